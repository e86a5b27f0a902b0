#!/usr/bin/env bash
# A soak across processes, outside the test command: a statsim daemon on a free port of
# 127.0.0.1 below the ephemeral range, 16 statwatch --connect processes watching the user
# real-time event as JSON and 4 statistics_client processes making the library's requests, for
# MINUTES minutes; the daemon is SIGKILLed and restarted on the same port every minute, with its
# events wherever the kernel puts them. VmRSS of every process is sampled every 2 s. Then
# scripts/soak_check.py checks and prints what happened (see README.md, "Soak").
#   scripts/soak.sh MINUTES
# Exit codes: 0 no violation; 1 a violation (each one printed); 2 bad usage, or the build or the
# first daemon failed. What the processes left is kept in the printed directory on failure.
set -euo pipefail
minutes=${1:-}
if ! [[ $minutes =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: scripts/soak.sh MINUTES" >&2
  exit 2
fi
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh
if [ ! -f build/release/build.ninja ]; then
  cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=g++ -DCMAKE_INSTALL_PREFIX="$root/build/install" || exit 2
fi
cmake --build build/release -j "$(nproc)" --target statsim statwatch statistics_client || exit 2
statsim=build/release/tools/statsim/statsim
statwatch=build/release/tools/statwatch/statwatch
client=build/release/tests/statistics_client
set +e

dir=$(mktemp -d /tmp/statclient-soak-XXXXXX)
declare -A live # name -> pid of every process started and not yet waited for
trap 'for pid in "${live[@]}"; do kill -KILL "$pid" 2>/dev/null; done' EXIT
violation() { echo "$*" >>"$dir/violations.txt"; }
now() { date +%s.%N; }

# Starts daemon run $1 at $2; fails when it does not listen within 10 s.
serve() {
  "$statsim" --bind "$2" --seed "$1" 2>"$dir/statsim$1.err" &
  daemon=$!
  live[statsim$1]=$daemon
  run_start=$(now)
  for _ in $(seq 100); do
    grep -q '^statsim: listening at' "$dir/statsim$1.err" && return 0
    kill -0 "$daemon" 2>/dev/null || break
    sleep 0.1
  done
  return 1
}

# Ends the current daemon run $1 with signal $2 and records its times; the status counts after
# SIGTERM only.
end_run() {
  {
    kill "-$2" "$daemon"
    wait "$daemon"
  } 2>/dev/null
  local status=$?
  unset "live[statsim$1]"
  [ "$2" = TERM ] && echo "statsim$1 $status" >>"$dir/status.txt"
  echo "$1 $run_start $(now)" >>"$dir/runs.txt"
}

sample() {
  local name rss
  for name in "${!live[@]}"; do
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/${live[$name]}/status" 2>/dev/null)
    [ -n "$rss" ] && echo "$((SECONDS - start)) $name $rss" >>"$dir/rss.txt"
  done
}

# A call port below the ephemeral range (32768 and up), so that no outgoing connection takes it
# while the daemon is down.
endpoint=
for _ in 1 2 3 4 5; do
  candidate="tcp://127.0.0.1:$((20000 + RANDOM % 10000))"
  if serve 1 "$candidate"; then
    endpoint=$candidate
    break
  fi
  kill -KILL "$daemon" 2>/dev/null
  wait "$daemon" 2>/dev/null
  unset "live[statsim1]"
done
if [ -z "$endpoint" ]; then
  echo "statsim did not listen: $(cat "$dir/statsim1.err")" >&2
  exit 2
fi
echo "soak: $minutes min at $endpoint, output in $dir"

total=$((minutes * 60))
start=$SECONDS
for i in $(seq 16); do
  "$statwatch" --connect "$endpoint" --format json --include-logged-off USERREALTIMEEVENT \
    >"$dir/watch$i.jsonl" 2>"$dir/watch$i.err" &
  live[watch$i]=$!
done
for i in 1 2 3 4; do
  "$client" "$endpoint" $((total - 2)) >"$dir/client$i.out" 2>"$dir/client$i.err" &
  live[client$i]=$!
done

run=1
last_sample=-2
while ((SECONDS - start < total)); do
  if ((SECONDS - start >= run * 60)); then
    end_run "$run" KILL
    sleep 1
    run=$((run + 1))
    serve "$run" "$endpoint" || violation "statsim$run did not listen: $(cat "$dir/statsim$run.err")"
  fi
  if ((SECONDS - start >= last_sample + 2)); then
    last_sample=$((SECONDS - start))
    sample
  fi
  sleep 0.5
done

# The clients end on their own (their duration ends just before this); statwatch on SIGTERM.
stop() { # NAME SIGNAL SECONDS: waits that long after the signal, then kills
  local pid=${live[$1]}
  [ -n "$2" ] && kill "-$2" "$pid" 2>/dev/null
  for _ in $(seq $(($3 * 10))); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && violation "$1 did not end" && kill -KILL "$pid"
  wait "$pid" 2>/dev/null
  echo "$1 $?" >>"$dir/status.txt"
  unset "live[$1]"
}
for i in 1 2 3 4; do stop "client$i" "" 60; done
for i in $(seq 16); do stop "watch$i" TERM 10; done
end_run "$run" TERM

python3 scripts/soak_check.py "$dir"
status=$?
if [ $status = 0 ]; then
  rm -rf "$dir"
else
  echo "soak: what the processes left is in $dir"
fi
exit $status
