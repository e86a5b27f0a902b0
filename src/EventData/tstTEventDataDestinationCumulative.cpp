#include "EventData/tstTEventDataDestinationCumulative.h"

#include "core/Define.h"

namespace statcore {

// The text shows the single counts first, then the groups, TotalTime before Addi.
template <> struct Layout<TEventDataDestinationCumulative> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, QK),
      FIELD(Long, SiteK),
      FIELD(Long, BU),
      FIELD(Long, Recv[0]),
      FIELD(Long, Recv[1]),
      FIELD(Long, Ans),
      FIELD(Long, Abd),
      FIELD(Long, ReDirect[0]),
      FIELD(Long, ReDirect[1]),
      FIELD(Long, Disconnected),
      FIELD(Long, ReQ),
      FIELD(Long, Interval[0]),
      FIELD(Long, Interval[1]),
      FIELD(Long, AutoHandledEmail),
      FIELD(Long, Addi[0]),
      FIELD(Long, Addi[1]),
      FIELD(Duration, TotalTime[0]),
      FIELD(Duration, TotalTime[1]),
      FIELD(Duration, TotalTime[2]),
      FIELD(Own, PeriodStartGMT),
      FIELD(Short, Period));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(QK)),
      Show(MEMBER(SiteK)),
      Show(MEMBER(BU)),
      Show(MEMBER(Ans)),
      Show(MEMBER(Abd)),
      Show(MEMBER(Disconnected)),
      Show(MEMBER(ReQ)),
      Show(MEMBER(AutoHandledEmail)),
      Group("Recv[All,NetIn]", r.Recv),
      Group("ReDirect[OOS,NetOut]", r.ReDirect),
      Group("Interval[Start,End]", r.Interval),
      DurationGroup("TotalTime[Wait,Contact,PostP]", r.TotalTime),
      Group("Addi[Contact,PostP]", r.Addi),
      ShowTimeOfDay(MEMBER(PeriodStartGMT)),
      Show(MEMBER(Period)));
  }
};

template <>
struct EventLayout<TMonitoredDestinationCumulativeEvent>
    : StampThenList<TEventDataDestinationCumulative> {
  static constexpr const char *kSource = "EventData/tstTEventDataDestinationCumulative";
  static constexpr const char *kReleaseFailed =
      "TMonitoredDestinationCumulativeEvent::Clear: Exception occured";
};

} // namespace statcore

std::string TEventDataDestinationCumulative::ToString() { return statcore::RenderLine(*this); }

STATCORE_DEFINE_RECORD(TEventDataDestinationCumulative)

STATCORE_DEFINE_EVENT(TMonitoredDestinationCumulativeEvent, Clear)
