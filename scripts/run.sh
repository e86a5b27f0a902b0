#!/usr/bin/env bash
# Builds statwatch and runs it for a few seconds against the embedded Statistics Server
# simulator: one line per decoded record of every event family, then a summary on stderr.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++ \
  -DSTATCLIENT_BUILD_TESTS=OFF -DSTATCLIENT_BUILD_BENCH=OFF >/dev/null
cmake --build build/run -j "$(nproc)" --target statwatch
build/run/tools/statwatch/statwatch --duration "${STATWATCH_SECONDS:-4}" --tick-ms 250 \
  --refresh-rate 2 "$@"
