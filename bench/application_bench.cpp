// Group real-time payloads handled as an application handles them, beside the hand-written
// decoder of the same bytes; bench/protobuf/application_protobuf.cpp does the same with
// protobuf. Only the public header is used, as an application would. Every operation takes
// kPayloadsInTurn distinct payloads of dense rows (support/DenseRows.h) in turn.
//
//   app_unpack_reused   event.Clear(), then payload >> event: one event for every payload
//   app_unpack_fresh    a new event for each payload, released when it goes
//   app_pack            TPack out(1); out << event: an owning pack that grows as it fills
//   hand_reused         the rows into one vector of plain structs, emptied for each payload
//   hand_fresh          the rows into a new vector for each payload
//
// Names are "<operation>/GroupApplication/<rows>" at 100 and 10,000 rows.
#include <vector>

#include <benchmark/benchmark.h>

#include <statclient/statclient.h>

#include "support/DenseRows.h"
#include "support/HandDecoder.h"
#include "support/Measure.h"

namespace {

using Fields = long TEventDataGroupRealTime::*;
constexpr Fields kFields[20] = {&TEventDataGroupRealTime::VG,
                                &TEventDataGroupRealTime::BU,
                                &TEventDataGroupRealTime::LoggedOnUsers,
                                &TEventDataGroupRealTime::IdleUsers,
                                &TEventDataGroupRealTime::AwayUsers,
                                &TEventDataGroupRealTime::BusyUsers,
                                &TEventDataGroupRealTime::HndlRoutedUsers,
                                &TEventDataGroupRealTime::HndlDirectOnlyUsers,
                                &TEventDataGroupRealTime::RoutedHndl,
                                &TEventDataGroupRealTime::DirectHndl,
                                &TEventDataGroupRealTime::PrimWaiting,
                                &TEventDataGroupRealTime::OverWaiting,
                                &TEventDataGroupRealTime::MinLoggedOnCap,
                                &TEventDataGroupRealTime::MinAvailCap,
                                &TEventDataGroupRealTime::MinUnavailCap,
                                &TEventDataGroupRealTime::MinWorkCap,
                                &TEventDataGroupRealTime::MaxLoggedOnCap,
                                &TEventDataGroupRealTime::MaxAvailCap,
                                &TEventDataGroupRealTime::MaxUnavailCap,
                                &TEventDataGroupRealTime::MaxWorkCap};

// The payloads taken in turn, packed by the library from the dense rows.
std::vector<std::vector<unsigned char>> Payloads(long rows) {
  std::vector<std::vector<unsigned char>> payloads;
  for (int payload = 0; payload < bench::kPayloadsInTurn; ++payload) {
    TGroupRealTimeEvent event;
    for (const bench::DenseRow &values : bench::DenseRows(rows, payload)) {
      TEventDataGroupRealTime *row = AddRecord(event);
      for (std::size_t field = 0; field < values.size(); ++field)
        row->*kFields[field] = values[field];
    }
    TPack pack(1);
    pack << event;
    const auto *start = static_cast<const unsigned char *>(pack.Contents());
    payloads.emplace_back(start, start + pack.Length());
  }
  return payloads;
}

// `decode(payload)` of each payload in turn, timed.
template <class Decode> void InTurn(benchmark::State &state, long rows, Decode &&decode) {
  const auto payloads = Payloads(rows);
  bench::InTurn turn;
  bench::Measure(state, rows, payloads[0].size(), [&] { decode(payloads[turn.Next()]); });
}

TPack Over(const std::vector<unsigned char> &payload) {
  return TPack(const_cast<unsigned char *>(payload.data()),
               static_cast<unsigned long>(payload.size()));
}

const bool registered = [] {
  const auto each = [](const char *operation, auto run) {
    for (long rows : {100L, 10'000L})
      benchmark::RegisterBenchmark(bench::BenchName(operation, "GroupApplication", rows).c_str(),
                                   [run, rows](benchmark::State &state) { run(state, rows); });
  };
  each("app_unpack_reused", [](benchmark::State &state, long rows) {
    TGroupRealTimeEvent event;
    InTurn(state, rows, [&](const std::vector<unsigned char> &payload) {
      event.Clear();
      TPack pack = Over(payload);
      pack >> event;
      benchmark::DoNotOptimize(event.EventDataList.data());
    });
  });
  each("app_unpack_fresh", [](benchmark::State &state, long rows) {
    InTurn(state, rows, [](const std::vector<unsigned char> &payload) {
      TGroupRealTimeEvent event;
      TPack pack = Over(payload);
      pack >> event;
      benchmark::DoNotOptimize(event.EventDataList.data());
    });
  });
  each("app_pack", [](benchmark::State &state, long rows) {
    std::vector<TGroupRealTimeEvent> events(bench::kPayloadsInTurn);
    const auto payloads = Payloads(rows);
    for (int i = 0; i < bench::kPayloadsInTurn; ++i) {
      TPack pack = Over(payloads[static_cast<std::size_t>(i)]);
      pack >> events[static_cast<std::size_t>(i)];
    }
    bench::InTurn turn;
    bench::Measure(state, rows, payloads[0].size(), [&] {
      TPack out(1);
      out << events[static_cast<std::size_t>(turn.Next())];
      benchmark::DoNotOptimize(out.Contents());
    });
  });
  each("hand_reused", [](benchmark::State &state, long rows) {
    std::vector<bench::PlainGroupRow> decoded;
    InTurn(state, rows, [&](const std::vector<unsigned char> &payload) {
      bench::HandDecode(payload, decoded);
      benchmark::DoNotOptimize(decoded.data());
    });
  });
  each("hand_fresh", [](benchmark::State &state, long rows) {
    InTurn(state, rows, [](const std::vector<unsigned char> &payload) {
      std::vector<bench::PlainGroupRow> decoded;
      bench::HandDecode(payload, decoded);
      benchmark::DoNotOptimize(decoded.data());
    });
  });
  return true;
}();

} // namespace
