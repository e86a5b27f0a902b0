// Wire helpers for tests: durations, and the bytes of packed values.
#ifndef STATCLIENT_TESTS_SUPPORT_SPANS_H_
#define STATCLIENT_TESTS_SUPPORT_SPANS_H_

#include <cstring>
#include <vector>

#include "framework/TPack.h"
#include "framework/TTimeStamp.h"
#include "support/TestServer.h"

using Bytes = std::vector<unsigned char>;

// A length of time from its day, hour, minute, second and millisecond fields.
inline TTimeStamp Span(unsigned short days, unsigned short hours, unsigned short minutes,
                       unsigned short seconds, unsigned short millis) {
  TTimeStamp span(1);
  span.SetDay(days);
  span.SetHour(hours);
  span.SetMinute(minutes);
  span.SetSecond(seconds);
  span.SetMSecond(millis);
  return span;
}

// A duration as the wire carries it: whole seconds as int32, then milliseconds as uint16.
inline void PackSpan(TPack &pack, long seconds, unsigned short millis = 0) {
  pack << seconds << millis;
}

template <class T> Bytes Packed(const T &value) {
  return PackedBytes([&](TPack &pack) { pack << value; });
}

// Unpacks `bytes` into `value`; returns how many bytes were left unread.
template <class T> unsigned long UnpackInto(Bytes bytes, T &value) {
  TPack pack(bytes.data(), static_cast<unsigned long>(bytes.size()));
  pack >> value;
  return pack.Length();
}

// Overwrites four bytes at `offset` with `value` as the wire carries an int32.
inline void PutInt(Bytes &bytes, std::size_t offset, int value) {
  std::memcpy(bytes.data() + offset, PackedBytes([&](TPack &pack) { pack << value; }).data(), 4);
}

#endif // STATCLIENT_TESTS_SUPPORT_SPANS_H_
