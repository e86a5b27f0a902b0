// How one value reaches a TFieldSink: numbers as numbers, strings as texts, a TTimeStamp as the
// text of a point in time (a duration is described by its codec or text item, which know it
// is one), enumerations as their numbers, vectors as arrays and records as nested objects
// through WalkFields.
#ifndef STATCLIENT_CORE_DESCRIBE_H_
#define STATCLIENT_CORE_DESCRIBE_H_

#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "framework/TTimeStamp.h"
#include "statclient/tstRecordWalk.h"

namespace statcore {

inline std::string InstantText(const TTimeStamp &value) {
  return value.GetDateTime(1, '/', ':', '.');
}
inline std::string DurationText(const TTimeStamp &value) { return value.GetTime(1, ':', '.'); }

template <class T> void DescribeValue(TFieldSink &sink, std::string_view key, const T &value);

template <class T>
void DescribeValue(TFieldSink &sink, std::string_view key, const std::vector<T> &values) {
  sink.BeginArray(key);
  for (const T &value : values)
    DescribeValue(sink, {}, value);
  sink.EndArray();
}

template <class T> void DescribeValue(TFieldSink &sink, std::string_view key, const T &value) {
  if constexpr (std::is_same_v<T, bool>) {
    sink.Boolean(key, value);
  } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
    sink.Integer(key, static_cast<long long>(value));
  } else if constexpr (std::is_floating_point_v<T>) {
    sink.Real(key, static_cast<double>(value));
  } else if constexpr (std::is_convertible_v<const T &, std::string_view>) {
    sink.Text(key, value);
  } else if constexpr (std::is_same_v<T, TTimeStamp>) {
    sink.Text(key, InstantText(value));
  } else {
    sink.BeginObject(key);
    WalkFields(value, sink);
    sink.EndObject();
  }
}

} // namespace statcore

#endif // STATCLIENT_CORE_DESCRIBE_H_
