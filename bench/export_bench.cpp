// The exporter's state: what ingesting an event costs beside decoding it, and what a scrape
// costs. Names follow support/Measure.h.
//
//   ingest_vs_decode/<family>/<rows>   each iteration decodes one payload into a fresh event
//                                      (the application's own cost) and ingests the same
//                                      payload into a state that already holds its entities;
//                                      counters decode_us, ingest_us and ingest_to_decode
//                                      (the ratio, measured in the same run; at most 2)
//   scrape/<mode>/10000                Collect and TextSerializer over a state of 10,000 users
//                                      in 50 groups and 500 queues: users counted per group,
//                                      per-user series, per-user series with the details;
//                                      counters scrape_ms and bytes
#include <chrono>
#include <sstream>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>
#include <prometheus/text_serializer.h>

#include <statclient/statclient.h>

#include "statexport/ExportState.h"
#include "statexport/TextExposition.h"
#include "support/Measure.h"

namespace {

using statexport::Clock;
using statexport::ExportOptions;
using statexport::ExportState;

template <class Event> std::vector<unsigned char> Packed(const Event &event) {
  TPack pack(1);
  pack << event;
  const auto *start = static_cast<const unsigned char *>(pack.Contents());
  return {start, start + pack.Length()};
}

// Users as a server reports them: groups, states, one medium with its shift figures and the
// handling-state times, one presence-state row.
std::vector<unsigned char> UserPayload(long users, long salt) {
  TUserRealTimeEvent event;
  for (long i = 0; i < users; ++i) {
    TEventDataUserRealTime *user = AddRecord(event);
    user->AK = 100000 + i;
    user->BU = 1;
    user->Ext = "x" + std::to_string(i);
    user->GK = {i % 50};
    user->RS = static_cast<TpsTRoutingState::enRoutingState>((i + salt) % 6);
    user->RSTime = i + salt;
    user->Pres = TpsTPresenceState::PRESENCE_AVAILABLE;
    user->PresTime = i;
    user->MediaStatistics.resize(1);
    user->MediaStatistics[0].Media = 1;
    user->MediaStatistics[0].ShftRtdHndl = i + salt;
    user->PresenceStateStatistics.resize(1);
  }
  return Packed(event);
}

std::vector<unsigned char> GroupPayload(long groups, long salt) {
  TGroupRealTimeEvent event;
  for (long i = 0; i < groups; ++i) {
    TEventDataGroupRealTime *group = AddRecord(event);
    group->VG = i;
    group->LoggedOnUsers = i + salt;
    group->IdleUsers = salt;
    group->PrimWaiting = i % 7;
    group->MaxWorkCap = 10;
  }
  return Packed(event);
}

std::vector<unsigned char> QueuePayload(long queues) {
  TQueueRealTimeEvent event;
  for (long i = 0; i < queues; ++i) {
    TEventDataQueueRealTime *queue = AddRecord(event);
    queue->QK = 2000 + i;
    queue->CIQ = i % 11;
    queue->Shf.Ans = i;
    queue->Shf.SL = 80.5f;
  }
  return Packed(event);
}

double Microseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::micro>(duration).count();
}

template <class Event>
void IngestVsDecode(benchmark::State &state, int eventId,
                    std::vector<unsigned char> (*payload)(long, long), long rows,
                    ExportOptions options) {
  const std::vector<unsigned char> payloads[2] = {payload(rows, 0), payload(rows, 1)};
  ExportState exporter(options);
  auto now = Clock::now();
  for (const auto &bytes : payloads)
    exporter.Ingest(static_cast<unsigned short>(eventId), bytes.data(), bytes.size(), now);
  Clock::duration decoding{};
  Clock::duration ingesting{};
  std::size_t turn = 0;
  for (auto _ : state) {
    const auto &bytes = payloads[turn++ % 2];
    const auto start = Clock::now();
    {
      Event event;
      TPack pack(const_cast<unsigned char *>(bytes.data()),
                 static_cast<unsigned long>(bytes.size()));
      pack >> event;
      benchmark::DoNotOptimize(event.EventDataList.data());
    }
    const auto decoded = Clock::now();
    now += std::chrono::seconds(1);
    exporter.Ingest(static_cast<unsigned short>(eventId), bytes.data(), bytes.size(), now);
    ingesting += Clock::now() - decoded;
    decoding += decoded - start;
  }
  const auto iterations = static_cast<double>(state.iterations());
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["decode_us"] = Microseconds(decoding) / iterations;
  state.counters["ingest_us"] = Microseconds(ingesting) / iterations;
  state.counters["ingest_to_decode"] =
      std::chrono::duration<double>(ingesting) / std::chrono::duration<double>(decoding);
}

void Scrape(benchmark::State &state, ExportOptions options) {
  ExportState exporter(options);
  const auto now = Clock::now();
  const auto users = UserPayload(10'000, 0);
  const auto queues = QueuePayload(500);
  const auto groups = GroupPayload(50, 0);
  exporter.Ingest(TStatisticsServer::USERREALTIMEEVENT, users.data(), users.size(), now);
  exporter.Ingest(TStatisticsServer::QUEUEREALTIMEEVENT, queues.data(), queues.size(), now);
  exporter.Ingest(TStatisticsServer::GROUPREALTIMEEVENT, groups.data(), groups.size(), now);
  const auto collectable = exporter.Collectable();
  std::size_t bytes = 0;
  Clock::duration spent{};
  for (auto _ : state) {
    const auto start = Clock::now();
    bytes = statexport::TextExposition(collectable->Collect(), bytes).size();
    spent += Clock::now() - start;
  }
  state.counters["scrape_ms"] =
      Microseconds(spent) / 1000.0 / static_cast<double>(state.iterations());
  state.counters["bytes"] = static_cast<double>(bytes);
}

const bool registered = [] {
  for (long rows : {100L, 10'000L}) {
    benchmark::RegisterBenchmark(bench::BenchName("ingest_vs_decode", "UserRealTime", rows).c_str(),
                                 [rows](benchmark::State &state) {
                                   IngestVsDecode<TUserRealTimeEvent>(
                                       state, TStatisticsServer::USERREALTIMEEVENT, UserPayload,
                                       rows, ExportOptions{});
                                 });
    benchmark::RegisterBenchmark(
        bench::BenchName("ingest_vs_decode", "UserRealTimePerUser", rows).c_str(),
        [rows](benchmark::State &state) {
          IngestVsDecode<TUserRealTimeEvent>(state, TStatisticsServer::USERREALTIMEEVENT,
                                             UserPayload, rows, ExportOptions{true, 5});
        });
    benchmark::RegisterBenchmark(
        bench::BenchName("ingest_vs_decode", "GroupRealTime", rows).c_str(),
        [rows](benchmark::State &state) {
          IngestVsDecode<TGroupRealTimeEvent>(state, TStatisticsServer::GROUPREALTIMEEVENT,
                                              GroupPayload, rows, ExportOptions{});
        });
  }
  const std::pair<const char *, ExportOptions> modes[] = {
      {"scrape/Counted/10000", ExportOptions{}},
      {"scrape/PerUser/10000", ExportOptions{true, 5}},
      {"scrape/PerUserDetail/10000", ExportOptions{true, 5, true}}};
  for (const auto &[name, options] : modes)
    benchmark::RegisterBenchmark(name, [options = options](benchmark::State &state) {
      Scrape(state, options);
    })->Unit(benchmark::kMillisecond);
  return true;
}();

} // namespace
