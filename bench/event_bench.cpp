// Unpacking, packing and sizing group real-time events of 1, 100 and 10,000 records, each
// measured beside a memcpy of the same payload in the same run.
//
// Every benchmark reports bytes per second of payload and the counter "x_memcpy": how many
// times longer one operation takes than copying its payload with memcpy, measured just before
// it. The sizing benchmark also reports "heap_allocs" per call, which must stay 0.
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include <benchmark/benchmark.h>

#include <statclient/statclient.h>

namespace {

std::atomic<long> heapAllocations{0};

void *CountedAllocation(std::size_t size) {
  heapAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void *block = std::malloc(size ? size : 1))
    return block;
  throw std::bad_alloc();
}

} // namespace

// Every heap allocation of the process goes through these while the benchmark runs.
void *operator new(std::size_t size) { return CountedAllocation(size); }
void *operator new[](std::size_t size) { return CountedAllocation(size); }
void operator delete(void *block) noexcept { std::free(block); }
void operator delete[](void *block) noexcept { std::free(block); }
void operator delete(void *block, std::size_t) noexcept { std::free(block); }
void operator delete[](void *block, std::size_t) noexcept { std::free(block); }

namespace {

using Clock = std::chrono::steady_clock;

// A group event of `records` records with distinct values, owned as the library owns its own.
TGroupRealTimeEvent MakeEvent(long records) {
  TGroupRealTimeEvent event;
  for (long i = 0; i < records; ++i) {
    TEventDataGroupRealTime *record = AddRecord(event);
    record->VG = i;
    record->BU = i % 7;
    record->LoggedOnUsers = i * 3;
    record->MaxWorkCap = -i;
  }
  return event;
}

std::vector<unsigned char> Payload(const TGroupRealTimeEvent &event) {
  TPack pack(1);
  pack << event;
  const auto *start = static_cast<const unsigned char *>(pack.Contents());
  return std::vector<unsigned char>(start, start + pack.Length());
}

// Nanoseconds one memcpy of `payload` takes, averaged over enough copies to be steady.
double MemcpyNanoseconds(const std::vector<unsigned char> &payload) {
  std::vector<unsigned char> target(payload.size());
  const long copies = 1 + static_cast<long>(20'000'000 / (payload.size() + 64));
  const auto start = Clock::now();
  for (long i = 0; i < copies; ++i) {
    std::memcpy(target.data(), payload.data(), payload.size());
    benchmark::ClobberMemory();
  }
  const std::chrono::duration<double, std::nano> spent = Clock::now() - start;
  return spent.count() / static_cast<double>(copies);
}

// Runs `operation` as the benchmark's loop and reports its throughput and its ratio to memcpy.
template <class Operation>
void Measure(benchmark::State &state, const std::vector<unsigned char> &payload,
             Operation operation) {
  const double memcpyNs = MemcpyNanoseconds(payload);
  const auto start = Clock::now();
  for (auto _ : state)
    operation();
  const std::chrono::duration<double, std::nano> spent = Clock::now() - start;
  const auto iterations = static_cast<double>(state.iterations());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(payload.size()));
  state.counters["x_memcpy"] = spent.count() / iterations / memcpyNs;
}

void BM_Memcpy(benchmark::State &state) {
  const std::vector<unsigned char> payload = Payload(MakeEvent(state.range(0)));
  std::vector<unsigned char> target(payload.size());
  for (auto _ : state) {
    std::memcpy(target.data(), payload.data(), payload.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(payload.size()));
}

void BM_Unpack(benchmark::State &state) {
  std::vector<unsigned char> payload = Payload(MakeEvent(state.range(0)));
  TGroupRealTimeEvent event;
  Measure(state, payload, [&] {
    TPack pack(payload.data(), static_cast<unsigned long>(payload.size()));
    pack >> event;
    benchmark::DoNotOptimize(event.EventDataList.data());
  });
}

void BM_Pack(benchmark::State &state) {
  const TGroupRealTimeEvent event = MakeEvent(state.range(0));
  const std::vector<unsigned char> payload = Payload(event);
  std::vector<unsigned char> buffer(payload.size());
  Measure(state, payload, [&] {
    TPack pack(1);
    pack.SetBuffer(buffer.data(), static_cast<unsigned long>(buffer.size()));
    pack << event;
    benchmark::ClobberMemory();
  });
}

void BM_Size(benchmark::State &state) {
  const TGroupRealTimeEvent event = MakeEvent(state.range(0));
  const std::vector<unsigned char> payload = Payload(event);
  long allocations = 0;
  Measure(state, payload, [&] {
    const long before = heapAllocations.load(std::memory_order_relaxed);
    benchmark::DoNotOptimize(event.Size());
    allocations += heapAllocations.load(std::memory_order_relaxed) - before;
  });
  state.counters["heap_allocs"] =
      static_cast<double>(allocations) / static_cast<double>(state.iterations());
}

} // namespace

BENCHMARK(BM_Memcpy)->Arg(1)->Arg(100)->Arg(10'000);
BENCHMARK(BM_Unpack)->Arg(1)->Arg(100)->Arg(10'000);
BENCHMARK(BM_Pack)->Arg(1)->Arg(100)->Arg(10'000);
BENCHMARK(BM_Size)->Arg(1)->Arg(100)->Arg(10'000);
