// Durations for tests: a TTimeStamp holding a length of time, and its wire form.
#ifndef STATCLIENT_TESTS_SUPPORT_SPANS_H_
#define STATCLIENT_TESTS_SUPPORT_SPANS_H_

#include "framework/TPack.h"
#include "framework/TTimeStamp.h"

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

// A duration as the wire carries it, written with the framework's packers: whole seconds as
// int32, then milliseconds as uint16.
inline void PackSpan(TPack &pack, long seconds, unsigned short millis = 0) {
  pack << seconds << millis;
}

#endif // STATCLIENT_TESTS_SUPPORT_SPANS_H_
