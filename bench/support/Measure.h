// How every bench of this binary measures and names itself, so that scripts/bench.sh can put
// them side by side.
//
// A benchmark is named "<operation>/<family>/<rows>" ("unpack/GroupRealTime/10000") and reports
//   items_per_second   rows per second (ns per row is its inverse)
//   bytes_per_second   payload bytes per second, of the payload that operation reads or writes
//   heap_allocs        heap allocations per row during the timed loop
//   rows               the rows of one operation
// Baselines (memcpy, the hand-written decoder, protobuf, the bare ping-pong) follow the same
// scheme with their own operation names.
#ifndef STATCLIENT_BENCH_SUPPORT_MEASURE_H_
#define STATCLIENT_BENCH_SUPPORT_MEASURE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "support/HeapCount.h"

namespace bench {

// The row counts every family is measured at.
inline const std::vector<long> kRowCounts = {1, 100, 10'000};

inline std::string BenchName(const std::string &operation, const std::string &family, long rows) {
  return operation + "/" + family + "/" + std::to_string(rows);
}

// Runs `body` as the timed loop of `state` and reports the counters above for operations of
// `rows` rows over `bytes` payload bytes each.
template <class Body>
void Measure(benchmark::State &state, long rows, std::size_t bytes, Body &&body) {
  const long before = HeapAllocations();
  for (auto _ : state)
    body();
  const long allocations = HeapAllocations() - before;
  const auto iterations = static_cast<std::int64_t>(state.iterations());
  state.SetItemsProcessed(iterations * rows);
  state.SetBytesProcessed(iterations * static_cast<std::int64_t>(bytes));
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["heap_allocs"] =
      static_cast<double>(allocations) / static_cast<double>(iterations * (rows ? rows : 1));
}

// Registers `run(state, rows)` under BenchName(operation, family, rows) for every row count.
template <class Run>
void RegisterForEachRowCount(const std::string &operation, const std::string &family, Run run) {
  for (long rows : kRowCounts)
    benchmark::RegisterBenchmark(BenchName(operation, family, rows).c_str(),
                                 [run, rows](benchmark::State &state) { run(state, rows); });
}

} // namespace bench

#endif // STATCLIENT_BENCH_SUPPORT_MEASURE_H_
