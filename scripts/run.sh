#!/usr/bin/env bash
# Builds the library and runs the example: an in-process Statistics Server, a proxy with its
# three names, and a GROUPREALTIMEEVENT subscription with its result code.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++ \
  >/dev/null
cmake --build build/release -j "$(nproc)" --target subscribe_group_realtime
build/release/examples/subscribe_group_realtime
