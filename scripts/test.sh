#!/usr/bin/env bash
# Builds everything and runs every test:
#   1. a release build with g++ (library, tools, examples, benchmarks, tests), and its tests;
#   2. the consumer project, built against the installed package (CMake and pkg-config);
#   3. a debug build with clang under AddressSanitizer and UndefinedBehaviorSanitizer, and
#      its tests, with a bounded smoke run of every fuzz target (scripts/fuzz.sh);
#   4. a clang build under ThreadSanitizer of the concurrency tests, and those tests.
# Any failure or sanitizer finding fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

root=$PWD
jobs=$(nproc)
start=$SECONDS

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=g++ -DCMAKE_INSTALL_PREFIX="$root/build/install"
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

rm -rf build/install build/consumer
cmake --install build/release >/dev/null
cmake -S tests/consumer -B build/consumer -G Ninja -DCMAKE_PREFIX_PATH="$root/build/install"
cmake --build build/consumer
ctest --test-dir build/consumer --output-on-failure
pc_flags=$(PKG_CONFIG_PATH="$root/build/install/lib/pkgconfig" pkg-config --cflags --libs statclient)
# shellcheck disable=SC2086
g++ -std=c++17 tests/consumer/consumer.cpp $pc_flags -o build/consumer/consumer-pkgconfig
LD_LIBRARY_PATH="$root/build/install/lib" build/consumer/consumer-pkgconfig

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DSTATCLIENT_SANITIZE=ON -DSTATCLIENT_BUILD_FUZZ=ON -DSTATCLIENT_BUILD_BENCH=OFF
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DSTATCLIENT_TSAN=ON -DSTATCLIENT_BUILD_BENCH=OFF -DSTATCLIENT_BUILD_TOOLS=OFF
concurrency_tests=(transport_stress_test proxy_test framework_test)
cmake --build build/tsan -j "$jobs" --target "${concurrency_tests[@]}"
cmake --build build/tsan -j "$jobs" --target transport_zmq_test
for test in "${concurrency_tests[@]}"; do
  TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 "build/tsan/tests/$test"
done
# libzmq is not instrumented, so of the transport suite only its in-process carrier runs here.
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 build/tsan/tests/transport_zmq_test \
  --gtest_filter='Carriers/Transport.*/0'

echo "all builds and tests passed in $((SECONDS - start)) s"
