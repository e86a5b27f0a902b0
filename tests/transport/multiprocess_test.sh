#!/bin/bash
# A statsim daemon and four application processes (statistics_client) on one ipc endpoint of a
# fresh temp dir: the daemon is killed mid-run and restarted; every client must end with the
# documented codes, recovered and without duplicate events. Bounded to about 20 seconds.
# Usage: multiprocess_test.sh STATSIM CLIENT
set -u
statsim=$1 client=$2
dir=$(mktemp -d /tmp/statclient-mp-XXXXXX)
endpoint="ipc://$dir/server"
trap 'kill -KILL ${server:-} 2>/dev/null; rm -rf "$dir"' EXIT

serve() { "$statsim" --bind "$endpoint" --tick-ms 20 --seed "$1" 2>"$dir/statsim$1.err" & server=$!; }

serve 1
pids=()
for i in 1 2 3 4; do
  timeout 20 "$client" "$endpoint" >"$dir/client$i.out" 2>"$dir/client$i.err" &
  pids+=($!)
done
sleep 2
kill -KILL "$server"
wait "$server" 2>/dev/null
sleep 1
serve 2

status=0
for i in 1 2 3 4; do
  wait "${pids[$((i - 1))]}" || status=1
  echo "client $i: $(cat "$dir/client$i.out")"
done
kill -TERM "$server"
wait "$server" || status=1
tail -1 "$dir/statsim2.err"
echo "$([ $status = 0 ] && echo 1 || echo 0) passed, $([ $status = 0 ] && echo 0 || echo 1) failed"
exit $status
