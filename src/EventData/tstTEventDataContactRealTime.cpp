#include "EventData/tstTEventDataContactRealTime.h"

#include "core/Define.h"
#include "names/tstNameTables.h"

namespace statcore {

template <> struct Layout<TEventDataContactRealTime> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Own, State),
      FIELD(Short, QK),
      FIELD(Long, MT),
      FIELD(Short, Priority),
      FIELD(Long, TimeInState),
      FIELD(Long, WaitTime),
      FIELD(Long, VG),
      FIELD(Long, REQC),
      FIELD(Long, ResvdAK),
      FIELD(Long, BU),
      FIELD(Own, CID),
      FIELD(Own, Dest),
      FIELD(Own, Src),
      FIELD(Own, Desc));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(CID)),
      Show(MEMBER(REQC)),
      Show(MEMBER(QK)),
      Show(MEMBER(MT), MediaTypeToString),
      Show(MEMBER(State), TCMState::ToString),
      Show(MEMBER(TimeInState)),
      Show(MEMBER(WaitTime)),
      Show(MEMBER(Priority)),
      Show(MEMBER(VG)),
      Show(MEMBER(ResvdAK)),
      Show(MEMBER(BU)),
      Show(MEMBER(Src)),
      Show(MEMBER(Dest)),
      Show(MEMBER(Desc)));
  }
};

template <> struct EventLayout<TContactRealTimeEvent> : ListOnly<TEventDataContactRealTime> {
  static constexpr const char *kSource = "EventData/tstTEventDataContactRealTime";
  static constexpr const char *kReleaseFailed = "TContactRealTimeEvent::Clear: Exception occured";
};

} // namespace statcore

std::string TEventDataContactRealTime::ToString() { return statcore::RenderLine(*this); }

STATCORE_DEFINE_RECORD(TEventDataContactRealTime)

STATCORE_DEFINE_EVENT(TContactRealTimeEvent, Clear)
