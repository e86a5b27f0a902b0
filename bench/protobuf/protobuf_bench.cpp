// The protobuf baselines: parsing and serialising, with every field set, messages equivalent to
// the group real-time rows (twenty integers), the user real-time rows (strings and nested lists)
// and the user cumulative rows (nested contact-type rows), each once with sfixed32 integers and
// once with varint int32. Parsing reuses one message, as the library's unpack reuses one event.
//
//   protobuf_<int>_parse/<family>/<rows>      ParseFromArray of the serialised rows
//   protobuf_<int>_serialise/<family>/<rows>  SerializeToArray into a buffer of the right size
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <google/protobuf/message.h>

#include "rows_int32.pb.h"
#include "rows_sfixed32.pb.h"
#include "support/Measure.h"

namespace {

using google::protobuf::FieldDescriptor;
using google::protobuf::Message;

// How many elements a nested list of a row holds: as many as the test suite's rows have.
int ElementsOf(const FieldDescriptor &field) {
  static const std::map<std::string, int> counts = {{"gk", 2},
                                                    {"shift_handling_state_times", 2},
                                                    {"media_statistics", 2},
                                                    {"presence_state_statistics", 1},
                                                    {"contact_statistics", 3},
                                                    {"csm_statistics", 0},
                                                    {"contact_type_statistics", 3}};
  const auto found = counts.find(field.name());
  return found == counts.end() ? 1 : found->second;
}

// Sets every field of `message`, nested messages included, to a value that differs from its
// default and from one seed to the next, as the test suite's rows do.
void FillEveryField(Message &message, long seed) {
  const auto *descriptor = message.GetDescriptor();
  const auto *reflection = message.GetReflection();
  std::int32_t value = static_cast<std::int32_t>(seed * 100);
  for (int i = 0; i < descriptor->field_count(); ++i) {
    const FieldDescriptor *field = descriptor->field(i);
    const int elements = field->is_repeated() ? ElementsOf(*field) : 1;
    for (int element = 0; element < elements; ++element) {
      switch (field->cpp_type()) {
      case FieldDescriptor::CPPTYPE_INT32:
        if (field->is_repeated())
          reflection->AddInt32(&message, field, ++value);
        else
          reflection->SetInt32(&message, field, ++value);
        break;
      case FieldDescriptor::CPPTYPE_BOOL:
        reflection->SetBool(&message, field, true);
        break;
      case FieldDescriptor::CPPTYPE_STRING:
        reflection->SetString(&message, field,
                              std::string(1, static_cast<char>('a' + i)) + std::to_string(seed));
        break;
      case FieldDescriptor::CPPTYPE_MESSAGE:
        FillEveryField(field->is_repeated() ? *reflection->AddMessage(&message, field)
                                            : *reflection->MutableMessage(&message, field),
                       seed * 10 + element);
        break;
      default:
        break;
      }
    }
  }
}

// `rows` rows of the message Rows, in its repeated field `rows`, with its other fields set.
template <class Rows> Rows MakeRows(long rows) {
  Rows message;
  FillEveryField(message, 1);
  message.clear_rows();
  for (long i = 0; i < rows; ++i)
    FillEveryField(*message.add_rows(), i + 1);
  return message;
}

template <class Rows> void RegisterRows(const std::string &integers, const std::string &family) {
  bench::RegisterForEachRowCount(
      "protobuf_" + integers + "_parse", family, [](benchmark::State &state, long rows) {
        const std::string bytes = MakeRows<Rows>(rows).SerializeAsString();
        Rows parsed;
        bench::Measure(state, rows, bytes.size(), [&] {
          benchmark::DoNotOptimize(
              parsed.ParseFromArray(bytes.data(), static_cast<int>(bytes.size())));
        });
      });
  bench::RegisterForEachRowCount(
      "protobuf_" + integers + "_serialise", family, [](benchmark::State &state, long rows) {
        const Rows message = MakeRows<Rows>(rows);
        std::vector<unsigned char> buffer(message.ByteSizeLong());
        bench::Measure(state, rows, buffer.size(), [&] {
          benchmark::DoNotOptimize(
              message.SerializeToArray(buffer.data(), static_cast<int>(buffer.size())));
          benchmark::ClobberMemory();
        });
      });
}

template <class GroupRows, class UserRealTimeRows, class UserCumulativeRows>
void RegisterVariant(const std::string &integers) {
  RegisterRows<GroupRows>(integers, "GroupRealTime");
  RegisterRows<UserRealTimeRows>(integers, "UserRealTime");
  RegisterRows<UserCumulativeRows>(integers, "UserCumulative");
}

const bool registered = [] {
  namespace fixed = statbench::sfixed32;
  namespace varint = statbench::int32;
  RegisterVariant<fixed::GroupRows, fixed::UserRealTimeRows, fixed::UserCumulativeRows>("sfixed32");
  RegisterVariant<varint::GroupRows, varint::UserRealTimeRows, varint::UserCumulativeRows>("int32");
  return true;
}();

} // namespace
