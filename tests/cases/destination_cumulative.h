// The case of the monitored destination cumulative event.
#ifndef STATCLIENT_TESTS_CASES_DESTINATION_CUMULATIVE_H_
#define STATCLIENT_TESTS_CASES_DESTINATION_CUMULATIVE_H_

#include "event_fill.h"

template <>
struct EventCase<TMonitoredDestinationCumulativeEvent>
    : EventCaseBase<TMonitoredDestinationCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataDestinationCumulative";
  static constexpr const char *kReleaseFailed =
      "TMonitoredDestinationCumulativeEvent::Clear: Exception occured";
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.QK, r.SiteK, r.BU, r.Recv[0], r.Recv[1], r.Ans, r.Abd, r.ReDirect[0],
             r.ReDirect[1], r.Disconnected, r.ReQ, r.Interval[0], r.Interval[1], r.AutoHandledEmail,
             r.Addi[0], r.Addi[1]);
    Distinct(seed, r.TotalTime[0], r.TotalTime[1], r.TotalTime[2], r.PeriodStartGMT);
    r.Period = static_cast<short>(-seed);
  }
};

#endif // STATCLIENT_TESTS_CASES_DESTINATION_CUMULATIVE_H_
