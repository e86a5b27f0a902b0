#include "EventData/tstTEventDataContactRealTime.h"

#include "core/Define.h"
#include "names/tstNameTables.h"

namespace statcore {

template <> struct Layout<TEventDataContactRealTime> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Own, State), FIELD(Short, QK), FIELD(Long, MT), FIELD(Short, Priority),
      FIELD(Long, TimeInState), FIELD(Long, WaitTime), FIELD(Long, VG), FIELD(Long, REQC),
      FIELD(Long, ResvdAK), FIELD(Long, BU), FIELD(Own, CID), FIELD(Own, Dest), FIELD(Own, Src),
      FIELD(Own, Desc));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show("CID", r.CID), Show("REQC", r.REQC), Show("QK", r.QK),
      Show("MT", r.MT, MediaTypeToString), Show("State", r.State, TCMState::ToString),
      Show("TimeInState", r.TimeInState), Show("WaitTime", r.WaitTime),
      Show("Priority", r.Priority), Show("VG", r.VG), Show("ResvdAK", r.ResvdAK), Show("BU", r.BU),
      Show("Src", r.Src), Show("Dest", r.Dest), Show("Desc", r.Desc));
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
