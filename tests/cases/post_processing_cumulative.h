// The case of the post-processing cumulative event.
#ifndef STATCLIENT_TESTS_CASES_POST_PROCESSING_CUMULATIVE_H_
#define STATCLIENT_TESTS_CASES_POST_PROCESSING_CUMULATIVE_H_

#include "event_fill.h"

template <>
struct EventCase<TPostProcessingCumulativeEvent> : EventCaseBase<TPostProcessingCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataPostProcessingCumulative";
  static constexpr const char *kReleaseFailed =
      "TPostProcessingCumulativeEvent::Clear: Exception occured";
  // Two reasons, so that the truncation test cuts through rows nested in rows.
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.AK, r.DeptK, r.BU, r.Loc, r.SiteK);
    Distinct(seed, r.PeriodStamp);
    r.ReasonStatistics.clear();
    for (long i = 0; i < 2; ++i) {
      TEventDataPostProcessingReasonStatistics reason;
      Distinct(seed * 10 + i, reason.ReasonK, reason.Count, reason.AddCount);
      Distinct(seed * 10 + i, reason.Dur);
      r.ReasonStatistics.push_back(reason);
    }
  }
};

#endif // STATCLIENT_TESTS_CASES_POST_PROCESSING_CUMULATIVE_H_
