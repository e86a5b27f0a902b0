#!/usr/bin/env bash
# Runs every fuzz target (or the ones named) for SECONDS each, from its checked-in seed corpus
# with the dictionary, under -rss_limit_mb=512 -timeout=5, then prints one table of executions
# and coverage per target. Fails when any target reports a finding (crash, leak, time-out,
# out-of-memory, failed check); the input that caused it is left in <build>/fuzz-artifacts/.
#   scripts/fuzz.sh SECONDS [BUILD_DIR [TARGET...]]
# Without BUILD_DIR it configures and builds build/fuzz (clang, ASan + UBSan, libFuzzer).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?usage: scripts/fuzz.sh SECONDS [BUILD_DIR [TARGET...]]}
build=${2:-}
shift $(($# < 2 ? $# : 2))
targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  for source in "$root"/fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
if [[ -z $build ]]; then
  cmake -S "$root" -B "$root/build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_COMPILER=clang++ -DSTATCLIENT_SANITIZE=ON -DSTATCLIENT_BUILD_FUZZ=ON \
    -DSTATCLIENT_BUILD_TESTS=OFF -DSTATCLIENT_BUILD_BENCH=OFF >/dev/null
  cmake --build "$root/build/fuzz" -j2 --target "${targets[@]}"
  build=$root/build/fuzz/fuzz
fi

artifacts=$build/fuzz-artifacts
mkdir -p "$artifacts"
failed=0
table=""
for target in "${targets[@]}"; do
  work=$build/fuzz-work/$target
  log=$build/fuzz-work/$target.log
  mkdir -p "$work"
  status=0
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    "$build/$target" -max_total_time="$seconds" -rss_limit_mb=512 -timeout=5 \
    -dict="$root/fuzz/statclient.dict" -print_final_stats=1 -artifact_prefix="$artifacts/" \
    "$work" "$root/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  features=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  result=ok
  if [[ $status -ne 0 ]]; then
    result="FINDING (see $log)"
    failed=1
    tail -40 "$log" >&2
  fi
  table+=$(printf '%-22s %12s %8s %8s  %s' "$target" "${executions:-?}" "${coverage:-?}" \
    "${features:-?}" "$result")$'\n'
done
printf '%-22s %12s %8s %8s  %s\n' target executions cov ft result
printf '%s' "$table"
exit $failed
