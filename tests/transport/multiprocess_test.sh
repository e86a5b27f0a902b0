#!/bin/bash
# A statsim daemon and four application processes (statistics_client) on the loopback address:
# the daemon takes a free port, is killed mid-run and restarted on the same port; every client
# must end with the documented codes, recovered and without duplicate events. Bounded to about
# 25 seconds.
# Usage: multiprocess_test.sh STATSIM CLIENT
set -u
statsim=$1 client=$2
dir=$(mktemp -d /tmp/statclient-mp-XXXXXX)
trap 'kill -KILL ${server:-} 2>/dev/null; rm -rf "$dir"' EXIT

serve() { "$statsim" --bind "$2" --tick-ms 20 --seed "$1" 2>"$dir/statsim$1.err" & server=$!; }

serve 1 'tcp://127.0.0.1:*'
for _ in $(seq 50); do
  endpoint=$(sed -n 's/^statsim: listening at //p' "$dir/statsim1.err")
  [ -n "$endpoint" ] && break
  sleep 0.1
done
[ -n "$endpoint" ] || { echo "statsim did not listen: $(cat "$dir/statsim1.err")"; exit 1; }
echo "statsim at $endpoint"
pids=()
for i in 1 2 3 4; do
  timeout 20 "$client" "$endpoint" >"$dir/client$i.out" 2>"$dir/client$i.err" &
  pids+=($!)
done
sleep 2
{
  kill -KILL "$server"
  wait "$server"
} 2>/dev/null
sleep 1
serve 2 "$endpoint"

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
