#include "EventData/tstTEventDataCallbackCumulative.h"

#include "core/Define.h"

namespace statcore {

// AddCounts travel before ContactsTime and are shown after it.
template <> struct Layout<TEventDataCallbackCumulative> {
  static constexpr const char *kUnrendered[] = {"PeriodStamp"};
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, CallOrigin),
      FIELD(Long, QueueK),
      FIELD(Long, SiteK),
      FIELD(Long, BU),
      FIELD(Long, Callback),
      FIELD(Long, RequeuedBefore),
      FIELD(Long, Tries),
      FIELD(Long, Successful),
      FIELD(Long, Deleted),
      FIELD(Long, MaxRetry),
      FIELD(Long, ScheduledExpired),
      FIELD(Long, Attempts),
      FIELD(Long, AttemptsMoreThanOnce),
      FIELD(Long, Requeued),
      FIELD(Long, TimedOut),
      FIELD(Long, AddCounts[0]),
      FIELD(Long, AddCounts[1]),
      FIELD(Duration, ContactsTime[0]),
      FIELD(Duration, ContactsTime[1]),
      FIELD(Own, PeriodStamp),
      FIELD(Short, PeriodTime));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(CallOrigin)),
      Show(MEMBER(QueueK)),
      Show(MEMBER(SiteK)),
      Show(MEMBER(BU)),
      Show(MEMBER(Callback)),
      Show(MEMBER(RequeuedBefore)),
      Show(MEMBER(Tries)),
      Show(MEMBER(Successful)),
      Show(MEMBER(Deleted)),
      Show(MEMBER(MaxRetry)),
      Show(MEMBER(ScheduledExpired)),
      Show(MEMBER(Attempts)),
      Show(MEMBER(AttemptsMoreThanOnce)),
      Show(MEMBER(Requeued)),
      Show(MEMBER(TimedOut)),
      DurationGroup("ContactsTime[Tot,PostP]", r.ContactsTime),
      Group("AddCounts[Contacts,ContactsPP]", r.AddCounts),
      Show(MEMBER(PeriodTime)));
  }
};

// Positions stay in the list until the walk has released every row.
template <>
struct EventLayout<TCallbackCumulativeEvent> : StampThenList<TEventDataCallbackCumulative> {
  static constexpr const char *kSource = "EventData/tstTEventDataCallbackCumulative";
  static constexpr const char *kReleaseFailed =
      "TCallbackCumulativeEvent::Clear: Exception occurred";
  static constexpr Release kRelease = Release::kWalkThenEmpty;
};

} // namespace statcore

std::string TEventDataCallbackCumulative::ToString() { return statcore::RenderLine(*this); }

STATCORE_DEFINE_RECORD(TEventDataCallbackCumulative)

STATCORE_DEFINE_EVENT(TCallbackCumulativeEvent, Clear)
