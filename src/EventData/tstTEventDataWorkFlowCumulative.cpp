#include "EventData/tstTEventDataWorkFlowCumulative.h"

#include "core/Define.h"

namespace statcore {

// TotalTime travels after InProgressEnd and is shown before InProgressStart. Labels end in a
// colon and a blank, except the first three and period.
template <> struct Layout<TEventDataWorkFlowCumulative> {
  static constexpr TextStyle kStyle{"{", ": ", "}"};
  static constexpr const char *kUnrendered[] = {"PeriodStamp"};
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, FlowKey),
      FIELD(Long, SiteK),
      FIELD(Long, BU),
      FIELD(Long, Recevived),
      FIELD(Long, Answered),
      FIELD(Long, Abandoned),
      FIELD(Long, Transeferred),
      FIELD(Long, TransferredToIVR),
      FIELD(Long, SystemDisconnected),
      FIELD(Long, LinkedOut),
      FIELD(Long, EnQueued),
      FIELD(Long, EnQueuedToErrorQueue),
      FIELD(Long, AutoResponeded),
      FIELD(Long, InProgressStart),
      FIELD(Long, InProgressEnd),
      FIELD(Duration, TotalTime),
      FIELD(Own, PeriodStamp),
      FIELD(Short, period));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(FlowKey)).Colon(":"),
      Show(MEMBER(SiteK)).Colon(":"),
      Show(MEMBER(BU)).Colon(":"),
      Show(MEMBER(Recevived)),
      Show(MEMBER(Answered)),
      Show(MEMBER(Abandoned)),
      Show(MEMBER(Transeferred)),
      Show(MEMBER(TransferredToIVR)),
      Show(MEMBER(SystemDisconnected)),
      Show(MEMBER(LinkedOut)),
      Show(MEMBER(EnQueued)),
      Show(MEMBER(EnQueuedToErrorQueue)),
      Show(MEMBER(AutoResponeded)),
      ShowDuration(MEMBER(TotalTime)),
      Show(MEMBER(InProgressStart)),
      Show(MEMBER(InProgressEnd)),
      Show(MEMBER(period)).Colon(":"));
  }
};

template <>
struct EventLayout<TWorkFlowCumulativeEvent> : StampThenList<TEventDataWorkFlowCumulative> {
  static constexpr const char *kSource = "EventData/tstTEventDataWorkFlowCumulative";
  static constexpr const char *kReleaseFailed =
      "TWorkFlowCumulativeEvent::Clear: Exception occured";
};

} // namespace statcore

std::string TEventDataWorkFlowCumulative::ToString() { return statcore::RenderLine(*this); }

STATCORE_DEFINE_RECORD(TEventDataWorkFlowCumulative)

STATCORE_DEFINE_EVENT(TWorkFlowCumulativeEvent, Clear)
