#include "EventData/tstTEventDataCDComponentCumulative.h"

#include "core/Define.h"

namespace statcore {

// The menu keys travel directly after Abandoned; TotalTime travels after RootStep and is shown
// after NavigationExit. Labels end in a colon and a blank, except the first three and period.
template <> struct Layout<TEventDataCDComponentCumulative> {
  static constexpr TextStyle kStyle{"{", ": ", "}"};
  static constexpr const char *kUnrendered[] = {"PeriodStamp"};
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, nodeKey),
      FIELD(Long, SiteK),
      FIELD(Long, BU),
      FIELD(Long, Invoked),
      FIELD(Long, Abandoned),
      FIELD(Long, MenuExitKey[0]),
      FIELD(Long, MenuExitKey[1]),
      FIELD(Long, MenuExitKey[2]),
      FIELD(Long, MenuExitKey[3]),
      FIELD(Long, MenuExitKey[4]),
      FIELD(Long, MenuExitKey[5]),
      FIELD(Long, MenuExitKey[6]),
      FIELD(Long, MenuExitKey[7]),
      FIELD(Long, MenuExitKey[8]),
      FIELD(Long, MenuExitKey[9]),
      FIELD(Long, MenuExitKeyStar),
      FIELD(Long, MenuEixtKeyPound),
      FIELD(Long, NoEntryExit),
      FIELD(Long, ErrorExit),
      FIELD(Long, NormalExit),
      FIELD(Long, FastPathExit),
      FIELD(Long, NavigationExit),
      FIELD(Long, InProgressStart),
      FIELD(Long, InProgressEnd),
      FIELD(Long, OperatorCount),
      FIELD(Long, Repeat),
      FIELD(Long, Help),
      FIELD(Long, PreviousStep),
      FIELD(Long, RootStep),
      FIELD(Duration, TotalTime),
      FIELD(Own, PeriodStamp),
      FIELD(Short, period));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(nodeKey)).Colon(":"),
      Show(MEMBER(SiteK)).Colon(":"),
      Show(MEMBER(BU)).Colon(":"),
      Show(MEMBER(Invoked)),
      Show(MEMBER(Abandoned)),
      Group("MenuExitKey[0,1,2,3,4,5,6,7,8,9]", r.MenuExitKey).Separator(", "),
      Show(MEMBER(MenuExitKeyStar)),
      Show(MEMBER(MenuEixtKeyPound)),
      Show(MEMBER(NoEntryExit)),
      Show(MEMBER(ErrorExit)),
      Show(MEMBER(NormalExit)),
      Show(MEMBER(FastPathExit)),
      Show(MEMBER(NavigationExit)),
      ShowDuration(MEMBER(TotalTime)),
      Show(MEMBER(InProgressStart)),
      Show(MEMBER(InProgressEnd)),
      Show(MEMBER(OperatorCount)),
      Show(MEMBER(Repeat)),
      Show(MEMBER(Help)),
      Show(MEMBER(PreviousStep)),
      Show(MEMBER(RootStep)),
      Show(MEMBER(period)).Colon(":"));
  }
};

template <>
struct EventLayout<TCDComponentCumulativeEvent> : StampThenList<TEventDataCDComponentCumulative> {
  static constexpr const char *kSource = "EventData/tstTEventDataCDComponentCumulative";
  static constexpr const char *kReleaseFailed =
      "TCDComponentCumulativeEvent::Clear: Exception occured";
};

} // namespace statcore

std::string TEventDataCDComponentCumulative::ToString() { return statcore::RenderLine(*this); }

STATCORE_DEFINE_RECORD(TEventDataCDComponentCumulative)

STATCORE_DEFINE_EVENT(TCDComponentCumulativeEvent, Clear)
