#include "EventData/tstTEventDataCallbackRealTime.h"

#include "core/Define.h"

namespace statcore {

template <> struct Layout<TEventDataCallbackRealTime> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, REQC),
      FIELD(Own, State),
      FIELD(Short, Origin),
      FIELD(Long, BU),
      FIELD(Long, QK),
      FIELD(Long, CreatorAK),
      FIELD(Long, AttemptStatus),
      FIELD(Long, LastAK),
      FIELD(Long, AttemptsCount),
      FIELD(Long, TimeInState),
      FIELD(Long, WaitTime),
      FIELD(Own, CID),
      FIELD(Own, CustName),
      FIELD(Own, CustNum),
      FIELD(Own, Desc));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(CID)),
      Show(MEMBER(REQC)),
      Show(MEMBER(QK)),
      Show(MEMBER(Origin)),
      Show(MEMBER(State), TCMState::ToString),
      Show(MEMBER(TimeInState)),
      Show(MEMBER(WaitTime)),
      Show(MEMBER(AttemptStatus)),
      Show(MEMBER(AttemptsCount)),
      Show(MEMBER(CreatorAK)),
      Show(MEMBER(LastAK)),
      Show(MEMBER(BU)),
      Show(MEMBER(CustName)),
      Show(MEMBER(CustNum)),
      Show(MEMBER(Desc)));
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
