// Every event class of the shared event suite, with what the suite needs to know about it.
#ifndef STATCLIENT_TESTS_EVENT_CASES_H_
#define STATCLIENT_TESTS_EVENT_CASES_H_

#include <gtest/gtest.h>

#include "cases/cumulative.h"
#include "cases/realtime.h"

using EventTypes = ::testing::Types<
    TGroupRealTimeEvent, TContactRealTimeEvent, TCallbackRealTimeEvent, TUserRealTimeEvent,
    TQueueRealTimeEvent, TUserCumulativeEvent, TQueueCumulativeEvent, TGroupCumulativeEvent,
    TMonitoredDestinationCumulativeEvent, TRoutingStateCumulativeEvent,
    TPostProcessingCumulativeEvent, TContactResultsCumulativeEvent, TCallbackCumulativeEvent,
    TCDComponentCumulativeEvent, TWorkFlowCumulativeEvent>;

// A point in time with a calendar date: 2024/05/06 08:30:15.250.
inline TTimeStamp PeriodInstant() {
  TTimeStamp instant = Span(6, 8, 30, 15, 250);
  instant.SetYear(2024);
  instant.SetMonth(5);
  return instant;
}

// An event of `records` records filled with the seeds firstSeed, firstSeed + 1, ...
template <class E> E FilledEvent(int records, long firstSeed = 1) {
  E event;
  for (int i = 0; i < records; ++i)
    EventCase<E>::Fill(*AddRecord(event), firstSeed + i);
  return event;
}

#endif // STATCLIENT_TESTS_EVENT_CASES_H_
