#!/bin/bash
# The tools across processes: statsim serves on an ipc endpoint of a fresh temp dir, four
# statwatch processes connect to it and each must print 20 records of three families as JSON,
# one object per line. Bounded to about 30 seconds.
# Usage: tools_over_processes_test.sh STATSIM STATWATCH
set -u
statsim=$1 statwatch=$2
dir=$(mktemp -d /tmp/statclient-tools-XXXXXX)
endpoint="ipc://$dir/server"
trap 'kill -KILL ${server:-} 2>/dev/null; rm -rf "$dir"' EXIT

"$statsim" --bind "$endpoint" --tick-ms 20 --duration 30 2>"$dir/statsim.err" &
server=$!
# statwatch gives up on a server that does not answer at its start.
for _ in $(seq 100); do
  grep -q '^statsim: listening at' "$dir/statsim.err" && break
  sleep 0.1
done
pids=()
for i in 1 2 3 4; do
  timeout 20 "$statwatch" --connect "$endpoint" --count 20 --format json \
    GROUPREALTIMEEVENT QUEUEREALTIMEEVENT USERREALTIMEEVENT >"$dir/watch$i.out" 2>"$dir/watch$i.err" &
  pids+=($!)
done
status=0
for i in 1 2 3 4; do
  if ! wait "${pids[$((i - 1))]}"; then
    echo "statwatch $i failed: $(cat "$dir/watch$i.err")"
    status=1
  fi
  lines=$(grep -c '^{' "$dir/watch$i.out")
  echo "statwatch $i: $lines JSON records; $(tail -1 "$dir/watch$i.err")"
  [ "$lines" -ge 20 ] || status=1
done
kill -TERM "$server"
wait "$server" || status=1
exit $status
