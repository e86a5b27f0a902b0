#!/bin/bash
# A statsim daemon and four application processes (statistics_client) on the loopback address:
# the daemon takes a free port below the ephemeral range, is killed mid-run and restarted on the
# same port (its events then on another port the kernel picks); every client must end with the
# documented codes, recovered and without duplicate events. Bounded to about 35 seconds.
# Usage: multiprocess_test.sh STATSIM CLIENT
set -u
statsim=$1 client=$2
dir=$(mktemp -d /tmp/statclient-mp-XXXXXX)
trap 'kill -KILL ${server:-} 2>/dev/null; rm -rf "$dir"' EXIT

serve() { "$statsim" --bind "$2" --tick-ms 20 --seed "$1" 2>"$dir/statsim$1.err" & server=$!; }

# Ports below the ephemeral range (32768 and up), so that no outgoing connection of another test
# takes the call port while the daemon is down.
endpoint=
for _ in 1 2 3 4 5; do
  candidate="tcp://127.0.0.1:$((20000 + RANDOM % 10000))"
  serve 1 "$candidate"
  for _ in $(seq 100); do
    grep -q '^statsim: listening at' "$dir/statsim1.err" && endpoint=$candidate
    if [ -n "$endpoint" ] || ! kill -0 "$server" 2>/dev/null; then break; fi
    sleep 0.1
  done
  [ -n "$endpoint" ] && break
  kill -KILL "$server" 2>/dev/null
  wait "$server" 2>/dev/null
done
[ -n "$endpoint" ] || { echo "statsim did not listen: $(cat "$dir/statsim1.err")"; exit 1; }
echo "statsim at $endpoint"
pids=()
for i in 1 2 3 4; do
  timeout 30 "$client" "$endpoint" >"$dir/client$i.out" 2>"$dir/client$i.err" &
  pids+=($!)
done
# The server dies mid-run: once every client has had events (at most 10 s), and a moment later.
for _ in $(seq 100); do
  [ "$(grep -l 'receiving events' "$dir"/client*.err 2>/dev/null | wc -l)" = 4 ] && break
  sleep 0.1
done
sleep 0.5
{
  kill -KILL "$server"
  wait "$server"
} 2>/dev/null
sleep 1
serve 2 "$endpoint"

status=0
for i in 1 2 3 4; do
  if ! wait "${pids[$((i - 1))]}"; then
    status=1
    tail -3 "$dir/client$i.err"
  fi
  echo "client $i: $(cat "$dir/client$i.out")"
done
kill -TERM "$server"
wait "$server" || status=1
cat "$dir/statsim2.err"
echo "$([ $status = 0 ] && echo 1 || echo 0) passed, $([ $status = 0 ] && echo 0 || echo 1) failed"
exit $status
