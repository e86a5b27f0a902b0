// A point in time the cumulative record tests share.
#ifndef STATCLIENT_TESTS_CUMULATIVE_CHECKS_H_
#define STATCLIENT_TESTS_CUMULATIVE_CHECKS_H_

#include "event_fill.h"
#include "support/Spans.h"

// A point in time with a calendar date: 2024/05/06 08:30:15.250.
inline TTimeStamp PeriodInstant() {
  TTimeStamp instant = Span(6, 8, 30, 15, 250);
  instant.SetYear(2024);
  instant.SetMonth(5);
  return instant;
}

#endif // STATCLIENT_TESTS_CUMULATIVE_CHECKS_H_
