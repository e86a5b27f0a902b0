#!/usr/bin/env bash
# Builds the bench if needed, runs it once (Google Benchmark's JSON goes to
# build/bench-<type>/bench.json) and prints one table per family and row count: ns per row,
# bytes per second, heap allocations per row, and beside each figure its ratio to memcpy of the
# same payload, to the hand-written decoder and to protobuf from the same run. Arguments go to
# the bench binary, for example
#   scripts/bench.sh --benchmark_filter=GroupApplication --benchmark_repetitions=5
# The build type is the one the test command installs the library with (RelWithDebInfo, -O2),
# which is what an application links; BENCH_BUILD_TYPE=Release measures an -O3 build.
set -euo pipefail
cd "$(dirname "$0")/.."

type=${BENCH_BUILD_TYPE:-RelWithDebInfo}
build=build/bench-$(echo "$type" | tr '[:upper:]' '[:lower:]')
if [[ ! -f $build/build.ninja ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="$type" -DCMAKE_CXX_COMPILER=g++ \
    -DSTATCLIENT_BUILD_TESTS=OFF >/dev/null
fi
echo "building $build ($type)" >&2
cmake --build "$build" -j2 --target statclient_bench >/dev/null

"$build/bench/statclient_bench" --benchmark_out="$build/bench.json" \
  --benchmark_out_format=json "$@" >&2 # its console lines show the progress
python3 scripts/bench_table.py "$build/bench.json"
