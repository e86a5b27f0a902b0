// The case of the contact results cumulative event.
#ifndef STATCLIENT_TESTS_CASES_CONTACT_RESULTS_CUMULATIVE_H_
#define STATCLIENT_TESTS_CASES_CONTACT_RESULTS_CUMULATIVE_H_

#include "event_fill.h"

template <>
struct EventCase<TContactResultsCumulativeEvent> : EventCaseBase<TContactResultsCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataContactResultsCumulative";
  static constexpr const char *kReleaseFailed =
      "TContactResultsCumulativeEvent::Clear: Exception occured";
  // Two result rows, so that the truncation test cuts through rows nested in rows.
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.AK, r.DeptK, r.Loc, r.SiteK, r.BU);
    Distinct(-seed, r.LocTZOffset, r.SiteTZOffset, r.PeriodTime);
    Distinct(seed, r.PeriodStartGMT);
    r.ContactResultsStatistics.clear();
    for (long i = 0; i < 2; ++i) {
      TEventDataContactResultsStatistics result;
      Distinct(seed * 10 + i, result.QK, result.ReasonK, result.Count);
      r.ContactResultsStatistics.push_back(result);
    }
  }
};

#endif // STATCLIENT_TESTS_CASES_CONTACT_RESULTS_CUMULATIVE_H_
