#include "EventData/tstTEventDataCallbackCumulative.h"

#include "core/Define.h"

namespace statcore {

// AddCounts travel before ContactsTime and are shown after it.
template <> struct Layout<TEventDataCallbackCumulative> {
  static constexpr const char *kUnrendered[] = {"PeriodStamp"};
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, CallOrigin), FIELD(Long, QueueK), FIELD(Long, SiteK), FIELD(Long, BU),
      FIELD(Long, Callback), FIELD(Long, RequeuedBefore), FIELD(Long, Tries),
      FIELD(Long, Successful), FIELD(Long, Deleted), FIELD(Long, MaxRetry),
      FIELD(Long, ScheduledExpired), FIELD(Long, Attempts), FIELD(Long, AttemptsMoreThanOnce),
      FIELD(Long, Requeued), FIELD(Long, TimedOut), FIELD(Long, AddCounts[0]),
      FIELD(Long, AddCounts[1]), FIELD(Duration, ContactsTime[0]), FIELD(Duration, ContactsTime[1]),
      FIELD(Own, PeriodStamp), FIELD(Short, PeriodTime));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show("CallOrigin", r.CallOrigin), Show("QueueK", r.QueueK), Show("SiteK", r.SiteK),
      Show("BU", r.BU), Show("Callback", r.Callback), Show("RequeuedBefore", r.RequeuedBefore),
      Show("Tries", r.Tries), Show("Successful", r.Successful), Show("Deleted", r.Deleted),
      Show("MaxRetry", r.MaxRetry), Show("ScheduledExpired", r.ScheduledExpired),
      Show("Attempts", r.Attempts), Show("AttemptsMoreThanOnce", r.AttemptsMoreThanOnce),
      Show("Requeued", r.Requeued), Show("TimedOut", r.TimedOut),
      DurationGroup("ContactsTime[Tot,PostP]", r.ContactsTime[0], r.ContactsTime[1]),
      Group("AddCounts[Contacts,ContactsPP]", r.AddCounts[0], r.AddCounts[1]),
      Show("PeriodTime", r.PeriodTime));
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
