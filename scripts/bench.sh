#!/usr/bin/env bash
# Builds the release bench if needed, runs it once (Google Benchmark's JSON goes to
# build/bench-release/bench.json) and prints one table per family and row count: ns per row,
# bytes per second, heap allocations per row, and the ratios to memcpy of the same payload, to
# the hand-written decoder and to protobuf. Arguments go to the bench binary, for example
#   scripts/bench.sh --benchmark_filter=GroupRealTime --benchmark_min_time=0.2
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/bench-release
if [[ ! -f $build/build.ninja ]]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ \
    -DSTATCLIENT_BUILD_TESTS=OFF -DSTATCLIENT_BUILD_TOOLS=OFF >/dev/null
fi
cmake --build "$build" -j2 --target statclient_bench >/dev/null

"$build/bench/statclient_bench" --benchmark_format=json --benchmark_out="$build/bench.json" \
  --benchmark_out_format=json "$@" >/dev/null
python3 scripts/bench_table.py "$build/bench.json"
