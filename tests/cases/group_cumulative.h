// The case of the group cumulative event.
#ifndef STATCLIENT_TESTS_CASES_GROUP_CUMULATIVE_H_
#define STATCLIENT_TESTS_CASES_GROUP_CUMULATIVE_H_

#include "event_fill.h"

template <> struct EventCase<TGroupCumulativeEvent> : EventCaseBase<TGroupCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataGroupCumulative";
  static constexpr const char *kReleaseFailed = "TGroupCumulativeEvent::Clear: Exception occured";
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.GK, r.SiteK, r.BU, r.RT, r.Recv[0], r.Recv[1], r.Recv[2], r.Offered[0],
             r.Offered[1], r.Consulted[0], r.Consulted[1], r.Transferred[0], r.Transferred[1],
             r.Waiting[0], r.Waiting[1], r.LoggedOn[0], r.LoggedOn[1]);
    Distinct(seed, r.TotalLogonTime, r.PeriodStartGMT);
    r.PeriodTime = static_cast<short>(-seed);
  }
};

#endif // STATCLIENT_TESTS_CASES_GROUP_CUMULATIVE_H_
