#!/bin/bash
# A server daemon and four client processes on one ipc endpoint of a fresh temp dir: the daemon
# is killed mid-run and restarted; every client must end with the documented codes, recovered
# and without duplicate events (see transport_client.cpp). Bounded to about 15 seconds.
# Usage: multiprocess_test.sh DAEMON CLIENT
set -u
daemon=$1 client=$2
dir=$(mktemp -d /tmp/statclient-mp-XXXXXX)
endpoint="ipc://$dir/server"
trap 'kill -KILL ${server:-} 2>/dev/null; rm -rf "$dir"' EXIT

"$daemon" "$endpoint" >"$dir/daemon1.out" &
server=$!
pids=()
for i in 1 2 3 4; do
  timeout 15 "$client" "$endpoint" >"$dir/client$i.out" &
  pids+=($!)
done
sleep 1.5
kill -KILL "$server"
wait "$server" 2>/dev/null
sleep 1
"$daemon" "$endpoint" >"$dir/daemon2.out" &
server=$!

status=0
for i in 1 2 3 4; do
  wait "${pids[$((i - 1))]}" || status=1
  echo "client $i: $(cat "$dir/client$i.out")"
done
kill -TERM "$server"
wait "$server" || status=1
echo "$([ $status = 0 ] && echo 1 || echo 0) passed, $([ $status = 0 ] && echo 0 || echo 1) failed"
exit $status
