#include "EventData/tstTEventDataCallbackRealTime.h"

#include "core/Define.h"

namespace statcore {

template <> struct Layout<TEventDataCallbackRealTime> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, REQC), FIELD(Own, State), FIELD(Short, Origin), FIELD(Long, BU), FIELD(Long, QK),
      FIELD(Long, CreatorAK), FIELD(Long, AttemptStatus), FIELD(Long, LastAK),
      FIELD(Long, AttemptsCount), FIELD(Long, TimeInState), FIELD(Long, WaitTime), FIELD(Own, CID),
      FIELD(Own, CustName), FIELD(Own, CustNum), FIELD(Own, Desc));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show("CID", r.CID), Show("REQC", r.REQC), Show("QK", r.QK), Show("Origin", r.Origin),
      Show("State", r.State, TCMState::ToString), Show("TimeInState", r.TimeInState),
      Show("WaitTime", r.WaitTime), Show("AttemptStatus", r.AttemptStatus),
      Show("AttemptsCount", r.AttemptsCount), Show("CreatorAK", r.CreatorAK),
      Show("LastAK", r.LastAK), Show("BU", r.BU), Show("CustName", r.CustName),
      Show("CustNum", r.CustNum), Show("Desc", r.Desc));
  }
};

template <> struct EventLayout<TCallbackRealTimeEvent> : ListOnly<TEventDataCallbackRealTime> {
  static constexpr const char *kSource = "EventData/tstTEventDataCallbackRealTime";
  static constexpr const char *kReleaseFailed = "TCallbackRealTimeEvent::Clear: Exception occurred";
  static constexpr Release kRelease = Release::kWalkThenEmpty;
};

} // namespace statcore

std::string TEventDataCallbackRealTime::ToString() { return statcore::RenderLine(*this); }

STATCORE_DEFINE_RECORD(TEventDataCallbackRealTime)

STATCORE_DEFINE_EVENT(TCallbackRealTimeEvent, Clear)
