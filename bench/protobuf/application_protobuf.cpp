// protobuf's side of bench/application_bench.cpp: the same dense group rows as GroupRows
// messages, sfixed32 and varint int32, handled as an application handles them, each payload of
// kPayloadsInTurn in turn.
//
//   protobuf_<int>_parse_reused   ParseFromArray into one message for every payload
//   protobuf_<int>_parse_fresh    a new message for each payload
//   protobuf_<int>_serialise      SerializeToString into a new string
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "rows_int32.pb.h"
#include "rows_sfixed32.pb.h"
#include "support/DenseRows.h"
#include "support/Measure.h"

namespace {

template <class Rows> Rows Message(long rows, int payload) {
  Rows message;
  for (const bench::DenseRow &values : bench::DenseRows(rows, payload)) {
    auto *row = message.add_rows();
    const auto *descriptor = row->GetDescriptor();
    for (int field = 0; field < descriptor->field_count(); ++field)
      row->GetReflection()->SetInt32(row, descriptor->field(field),
                                     values[static_cast<std::size_t>(field)]);
  }
  return message;
}

template <class Rows> std::vector<std::string> Serialised(long rows) {
  std::vector<std::string> payloads;
  for (int payload = 0; payload < bench::kPayloadsInTurn; ++payload)
    payloads.push_back(Message<Rows>(rows, payload).SerializeAsString());
  return payloads;
}

template <class Rows> void Register(const std::string &integers) {
  const auto each = [&integers](const std::string &operation, auto run) {
    for (long rows : {100L, 10'000L})
      benchmark::RegisterBenchmark(
          bench::BenchName("protobuf_" + integers + "_" + operation, "GroupApplication", rows)
              .c_str(),
          [run, rows](benchmark::State &state) { run(state, rows); });
  };
  each("parse_reused", [](benchmark::State &state, long rows) {
    const auto payloads = Serialised<Rows>(rows);
    Rows parsed;
    bench::InTurn turn;
    bench::Measure(state, rows, payloads[0].size(), [&] {
      const std::string &bytes = payloads[static_cast<std::size_t>(turn.Next())];
      benchmark::DoNotOptimize(parsed.ParseFromArray(bytes.data(), static_cast<int>(bytes.size())));
    });
  });
  each("parse_fresh", [](benchmark::State &state, long rows) {
    const auto payloads = Serialised<Rows>(rows);
    bench::InTurn turn;
    bench::Measure(state, rows, payloads[0].size(), [&] {
      const std::string &bytes = payloads[static_cast<std::size_t>(turn.Next())];
      Rows parsed;
      benchmark::DoNotOptimize(parsed.ParseFromArray(bytes.data(), static_cast<int>(bytes.size())));
    });
  });
  each("serialise", [](benchmark::State &state, long rows) {
    std::vector<Rows> messages;
    for (int payload = 0; payload < bench::kPayloadsInTurn; ++payload)
      messages.push_back(Message<Rows>(rows, payload));
    bench::InTurn turn;
    bench::Measure(state, rows, messages[0].ByteSizeLong(), [&] {
      std::string bytes;
      messages[static_cast<std::size_t>(turn.Next())].SerializeToString(&bytes);
      benchmark::DoNotOptimize(bytes.data());
    });
  });
}

const bool registered = [] {
  Register<statbench::sfixed32::GroupRows>("sfixed32");
  Register<statbench::int32::GroupRows>("int32");
  return true;
}();

} // namespace
