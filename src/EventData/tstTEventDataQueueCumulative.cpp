#include "EventData/tstTEventDataQueueCumulative.h"

#include "core/Define.h"

namespace statcore {

// The AddCounts travel apart (after the e-mail counters, the contact times and the user
// times) and are shown together; so are the two UnderThreshold counts.
template <> struct Layout<TEventDataQueueCumulative> {
  static constexpr const char *kUnrendered[] = {"PeriodStamp"};
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, QK),
      FIELD(Long, SiteK),
      FIELD(Long, BU),
      FIELD(UShort, SLF),
      FIELD(Long, Received[0]),
      FIELD(Long, Received[1]),
      FIELD(Long, Received[2]),
      FIELD(Long, Redirected[0]),
      FIELD(Long, Redirected[1]),
      FIELD(Long, TransOOS),
      FIELD(Long, Answered[0]),
      FIELD(Long, Answered[1]),
      FIELD(Long, UnderThresholdAns),
      FIELD(Long, AnsweredInInterval[0]),
      FIELD(Long, AnsweredInInterval[1]),
      FIELD(Long, AnsweredInInterval[2]),
      FIELD(Long, AnsweredInInterval[3]),
      FIELD(Long, AnsweredInInterval[4]),
      FIELD(Long, Abandoned),
      FIELD(Long, UnderThresholdAbd),
      FIELD(Long, AbandonedInInterval[0]),
      FIELD(Long, AbandonedInInterval[1]),
      FIELD(Long, AbandonedInInterval[2]),
      FIELD(Long, AbandonedInInterval[3]),
      FIELD(Long, AbandonedInInterval[4]),
      FIELD(Duration, WaitTime[0]),
      FIELD(Duration, WaitTime[1]),
      FIELD(Duration, WaitTime[2]),
      FIELD(Duration, WaitTime[3]),
      FIELD(Long, MaxWaitTime[0]),
      FIELD(Long, MaxWaitTime[1]),
      FIELD(Long, MaxWaitTime[2]),
      FIELD(Long, MaxWaitTime[3]),
      FIELD(Long, Emails[0]),
      FIELD(Long, Emails[1]),
      FIELD(Short, AddCountsEMDefer),
      FIELD(Short, AddCountsEMConOut),
      FIELD(Duration, EmailsTime[0]),
      FIELD(Duration, EmailsTime[1]),
      FIELD(Long, Waiting[0]),
      FIELD(Long, Waiting[1]),
      FIELD(Long, Waiting[2]),
      FIELD(Long, Waiting[3]),
      FIELD(Long, Overflows[0]),
      FIELD(Long, Overflows[1]),
      FIELD(Long, Overflows[2]),
      FIELD(Duration, ContactsTime[0]),
      FIELD(Duration, ContactsTime[1]),
      FIELD(Short, AddCountsContacts),
      FIELD(Short, AddCountsContactsPP),
      FIELD(Duration, UsersInvolvedTime[0]),
      FIELD(Duration, UsersInvolvedTime[1]),
      FIELD(Short, AddCountsHandled),
      FIELD(Own, PeriodStamp),
      FIELD(Short, PeriodTime));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(QK)),
      Show(MEMBER(SiteK)),
      Show(MEMBER(BU)),
      Show(MEMBER(SLF)),
      Group("Received[All,Req,NetIn]", r.Received),
      Group("Answered[Prim,Over]", r.Answered),
      Show(MEMBER(Abandoned)),
      Group("Redirected[OOS,NetOut]", r.Redirected),
      Show(MEMBER(TransOOS)),
      Group("UnderThreshold[Ans,Abd]", r.UnderThresholdAns, r.UnderThresholdAbd),
      Group("AnsweredInInterval[1,2,3,4,5]", r.AnsweredInInterval),
      Group("AbandonedInInterval[1,2,3,4,5]", r.AbandonedInInterval),
      Group("Overflows[Cur,Max,Min]", r.Overflows),
      Group("Waiting[Begin,End,Max,Min]", r.Waiting),
      DurationGroup("WaitTime[Tot,Ans,Abd,Red]", r.WaitTime),
      Group("MaxWaitTime[Max,Ans,Abd,Red]", r.MaxWaitTime),
      Group("Emails[Defer,ConOut]", r.Emails),
      DurationGroup("EmailsTime[Defer,ConOut]", r.EmailsTime),
      DurationGroup("ContactsTime[Tot,PostP]", r.ContactsTime),
      DurationGroup("UsersInvolvedTime[Tot,PostP]", r.UsersInvolvedTime),
      Group("AddCounts[Contacts,ContactsPP,Handled,EMDefer,EMConOut]",
            r.AddCountsContacts,
            r.AddCountsContactsPP,
            r.AddCountsHandled,
            r.AddCountsEMDefer,
            r.AddCountsEMConOut),
      Show(MEMBER(PeriodTime)));
  }
};

template <> struct EventLayout<TQueueCumulativeEvent> : StampThenList<TEventDataQueueCumulative> {
  static constexpr const char *kSource = "EventData/tstTEventDataQueueCumulative";
  static constexpr const char *kReleaseFailed = "TQueueCumulativeEvent::Clear: Exception occured";
};

} // namespace statcore

std::string TEventDataQueueCumulative::ToString() { return statcore::RenderLine(*this); }

STATCORE_DEFINE_RECORD(TEventDataQueueCumulative)

STATCORE_DEFINE_EVENT(TQueueCumulativeEvent, Clear)
