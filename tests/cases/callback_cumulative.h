// The case of the callback cumulative event.
#ifndef STATCLIENT_TESTS_CASES_CALLBACK_CUMULATIVE_H_
#define STATCLIENT_TESTS_CASES_CALLBACK_CUMULATIVE_H_

#include "event_fill.h"

template <> struct EventCase<TCallbackCumulativeEvent> : EventCaseBase<TCallbackCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataCallbackCumulative";
  static constexpr const char *kReleaseFailed =
      "TCallbackCumulativeEvent::Clear: Exception occurred";
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.CallOrigin, r.QueueK, r.SiteK, r.BU, r.Callback, r.RequeuedBefore, r.Tries,
             r.Successful, r.Deleted, r.MaxRetry, r.ScheduledExpired, r.Attempts,
             r.AttemptsMoreThanOnce, r.Requeued, r.TimedOut, r.AddCounts[0], r.AddCounts[1]);
    Distinct(seed, r.ContactsTime[0], r.ContactsTime[1], r.PeriodStamp);
    r.PeriodTime = static_cast<short>(-seed);
  }
};

#endif // STATCLIENT_TESTS_CASES_CALLBACK_CUMULATIVE_H_
