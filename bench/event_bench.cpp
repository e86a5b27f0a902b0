// The event operations of every family at 1, 100 and 10,000 rows, beside a memcpy of the same
// payload, and the group rows beside a hand-written decoder of the same bytes.
//
//   memcpy        copying the payload into a buffer of its size
//   unpack        decoding the payload into one event, reused from one iteration to the next
//   unpack_fresh  decoding the payload into a new event each time (records and list allocated)
//   pack          packing the event into a caller's buffer of the payload's size
//   size          Size() of the event
//   copy          copy-constructing the event
//   hand_decode   (group rows) reading the twenty little-endian int32 of each row into a plain
//                 struct vector, reused, with one bounds check per row
#include <cstring>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "statsupport/EventFamilies.h"
#include "support/Families.h"
#include "support/HandDecoder.h"
#include "support/Measure.h"

namespace {

using bench::Measure;
using bench::RegisterForEachRowCount;

struct RegisterFamily {
  template <class E> void operator()(const statsupport::EventFamily<E> &listed) const {
    const std::string family = listed.name;
    RegisterForEachRowCount("memcpy", family, [](benchmark::State &state, long rows) {
      const std::vector<unsigned char> payload = bench::PayloadOf(bench::MakeEvent<E>(rows));
      std::vector<unsigned char> target(payload.size());
      Measure(state, rows, payload.size(), [&] {
        std::memcpy(target.data(), payload.data(), payload.size());
        benchmark::ClobberMemory();
      });
    });
    RegisterForEachRowCount("unpack", family, [](benchmark::State &state, long rows) {
      std::vector<unsigned char> payload = bench::PayloadOf(bench::MakeEvent<E>(rows));
      E event;
      Measure(state, rows, payload.size(), [&] {
        TPack pack(payload.data(), static_cast<unsigned long>(payload.size()));
        pack >> event;
        benchmark::DoNotOptimize(event.EventDataList.data());
      });
    });
    RegisterForEachRowCount("unpack_fresh", family, [](benchmark::State &state, long rows) {
      std::vector<unsigned char> payload = bench::PayloadOf(bench::MakeEvent<E>(rows));
      Measure(state, rows, payload.size(), [&] {
        E event;
        TPack pack(payload.data(), static_cast<unsigned long>(payload.size()));
        pack >> event;
        benchmark::DoNotOptimize(event.EventDataList.data());
      });
    });
    RegisterForEachRowCount("pack", family, [](benchmark::State &state, long rows) {
      const E event = bench::MakeEvent<E>(rows);
      std::vector<unsigned char> buffer(bench::PayloadOf(event).size());
      Measure(state, rows, buffer.size(), [&] {
        TPack pack(1);
        pack.SetBuffer(buffer.data(), static_cast<unsigned long>(buffer.size()));
        pack << event;
        benchmark::ClobberMemory();
      });
    });
    RegisterForEachRowCount("size", family, [](benchmark::State &state, long rows) {
      const E event = bench::MakeEvent<E>(rows);
      Measure(state, rows, bench::PayloadOf(event).size(),
              [&] { benchmark::DoNotOptimize(event.Size()); });
    });
    RegisterForEachRowCount("copy", family, [](benchmark::State &state, long rows) {
      const E event = bench::MakeEvent<E>(rows);
      Measure(state, rows, bench::PayloadOf(event).size(), [&] {
        E copy(event);
        benchmark::DoNotOptimize(copy.EventDataList.data());
      });
    });
  }
};

const bool registered = [] {
  statsupport::ForEachEventFamily(RegisterFamily{});
  RegisterForEachRowCount("hand_decode", "GroupRealTime", [](benchmark::State &state, long rows) {
    const std::vector<unsigned char> payload =
        bench::PayloadOf(bench::MakeEvent<TGroupRealTimeEvent>(rows));
    std::vector<bench::PlainGroupRow> decoded;
    Measure(state, rows, payload.size(), [&] {
      bench::HandDecode(payload, decoded);
      benchmark::DoNotOptimize(decoded.data());
    });
  });
  return true;
}();

} // namespace
