// What every cumulative event shares: the time stamp that travels before its rows.
#ifndef STATCLIENT_TESTS_CUMULATIVE_CHECKS_H_
#define STATCLIENT_TESTS_CUMULATIVE_CHECKS_H_

#include <string>

#include <gtest/gtest.h>

#include "event_cases.h"

const std::string kZeroTime = TTimeStamp(1).GetTime(1, ':', '.');

// A point in time with a calendar date: 2024/05/06 08:30:15.250.
inline TTimeStamp PeriodInstant() {
  TTimeStamp instant = Span(6, 8, 30, 15, 250);
  instant.SetYear(2024);
  instant.SetMonth(5);
  return instant;
}

// The time stamp travels whole before the count and the rows, unpacking reads it, copies and
// assignments carry it and Clear leaves it.
template <class E> void ExpectLeadingTimeStamp() {
  E event;
  event.TimeStamp = PeriodInstant();
  for (long seed = 1; seed <= 2; ++seed)
    EventCase<E>::Fill(*AddRecord(event), seed);
  const Bytes bytes = Packed(event);
  EXPECT_EQ(bytes, PackedBytes([&](TPack &p) {
              p << PeriodInstant() << 2;
              for (const auto *row : event.EventDataList)
                p << *row;
            }));

  E decoded;
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_EQ(decoded.TimeStamp, PeriodInstant());
  E copied(event);
  E assigned;
  assigned = event;
  EXPECT_EQ(copied.TimeStamp, PeriodInstant());
  EXPECT_EQ(assigned.TimeStamp, PeriodInstant());
  event.Clear();
  EXPECT_EQ(event.TimeStamp, PeriodInstant());
  EXPECT_EQ(Packed(event), PackedBytes([](TPack &p) { p << PeriodInstant() << 0; }));
}

#endif // STATCLIENT_TESTS_CUMULATIVE_CHECKS_H_
