#include "EventData/tstTEventDataGroupCumulative.h"

#include "core/Define.h"

namespace statcore {

// LoggedOn travels Min, Max and is shown Max, Min. The text has no braces.
template <> struct Layout<TEventDataGroupCumulative> {
  static constexpr TextStyle kStyle{"", ":", ""};
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, GK),
      FIELD(Long, SiteK),
      FIELD(Long, BU),
      FIELD(Long, RT),
      FIELD(Long, Recv[0]),
      FIELD(Long, Recv[1]),
      FIELD(Long, Recv[2]),
      FIELD(Long, Offered[0]),
      FIELD(Long, Offered[1]),
      FIELD(Long, Consulted[0]),
      FIELD(Long, Consulted[1]),
      FIELD(Long, Transferred[0]),
      FIELD(Long, Transferred[1]),
      FIELD(Long, Waiting[0]),
      FIELD(Long, Waiting[1]),
      FIELD(Long, LoggedOn[0]),
      FIELD(Long, LoggedOn[1]),
      FIELD(Duration, TotalLogonTime),
      FIELD(Own, PeriodStartGMT),
      FIELD(Short, PeriodTime));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(GK)),
      Show(MEMBER(SiteK)),
      Show(MEMBER(BU)),
      Show(MEMBER(RT)),
      Group("Recv[Prim,Over,RHOE]", r.Recv),
      Group("Offered[Prim,Over]", r.Offered),
      Group("Consulted[Prim,Over]", r.Consulted),
      Group("Transferred[Prim,Over]", r.Transferred),
      Group("Waiting[Begin,End]", r.Waiting),
      Group("LoggedOn[Max,Min]", r.LoggedOn[1], r.LoggedOn[0]),
      ShowDuration(MEMBER(TotalLogonTime)),
      ShowTimeOfDay(MEMBER(PeriodStartGMT)),
      Show(MEMBER(PeriodTime)));
  }
};

template <> struct EventLayout<TGroupCumulativeEvent> : StampThenList<TEventDataGroupCumulative> {
  static constexpr const char *kSource = "EventData/tstTEventDataGroupCumulative";
  static constexpr const char *kReleaseFailed = "TGroupCumulativeEvent::Clear: Exception occured";
};

} // namespace statcore

std::string TEventDataGroupCumulative::ToString() { return statcore::RenderLine(*this); }

STATCORE_DEFINE_RECORD(TEventDataGroupCumulative)

STATCORE_DEFINE_EVENT(TGroupCumulativeEvent, Clear)
