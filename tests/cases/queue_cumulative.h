// The case of the queue cumulative event.
#ifndef STATCLIENT_TESTS_CASES_QUEUE_CUMULATIVE_H_
#define STATCLIENT_TESTS_CASES_QUEUE_CUMULATIVE_H_

#include "event_fill.h"

template <> struct EventCase<TQueueCumulativeEvent> : EventCaseBase<TQueueCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataQueueCumulative";
  static constexpr const char *kReleaseFailed = "TQueueCumulativeEvent::Clear: Exception occured";
  static void Fill(Record &r, long seed) {
    auto &ans = r.AnsweredInInterval;
    auto &abd = r.AbandonedInInterval;
    auto &max = r.MaxWaitTime;
    Distinct(seed, r.QK, r.SiteK, r.BU, r.Received[0], r.Received[1], r.Received[2],
             r.Redirected[0], r.Redirected[1], r.TransOOS, r.Answered[0], r.Answered[1],
             r.UnderThresholdAns, ans[0], ans[1], ans[2], ans[3], ans[4], r.Abandoned,
             r.UnderThresholdAbd, abd[0], abd[1], abd[2], abd[3], abd[4], max[0], max[1], max[2],
             max[3], r.Emails[0], r.Emails[1], r.Waiting[0], r.Waiting[1], r.Waiting[2],
             r.Waiting[3], r.Overflows[0], r.Overflows[1], r.Overflows[2]);
    r.SLF = static_cast<unsigned short>(65535 - seed);
    Distinct(-seed, r.AddCountsContacts, r.AddCountsContactsPP, r.AddCountsHandled,
             r.AddCountsEMDefer, r.AddCountsEMConOut, r.PeriodTime);
    Distinct(seed, r.WaitTime[0], r.WaitTime[1], r.WaitTime[2], r.WaitTime[3], r.EmailsTime[0],
             r.EmailsTime[1], r.ContactsTime[0], r.ContactsTime[1], r.UsersInvolvedTime[0],
             r.UsersInvolvedTime[1], r.PeriodStamp);
  }
};

#endif // STATCLIENT_TESTS_CASES_QUEUE_CUMULATIVE_H_
