#include "EventData/tstTEventDataRoutingStateCumulative.h"

#include "EventData/tstUserKeysLayout.h"

namespace statcore {

// RDur is shown third, and the presence state as its number rather than its name.
template <> struct Layout<TEventDataRoutingStateStatistics> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, RSKey),
      FIELD(Long, RCount),
      FIELD(Short, AddRCount),
      FIELD(Own, Pres),
      FIELD(Long, PresCount),
      FIELD(Short, AddPresCount),
      FIELD(Duration, RDur),
      FIELD(Duration, PresDur));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(RSKey)),
      Show(MEMBER(RCount)),
      ShowDuration(MEMBER(RDur)),
      Show(MEMBER(AddRCount)),
      Show(MEMBER(Pres)),
      Show(MEMBER(PresCount)),
      ShowDuration(MEMBER(PresDur)),
      Show(MEMBER(AddPresCount)));
  }
};

// The text shows the keys only, without braces.
template <> struct Layout<TEventDataRoutingStateCumulative> {
  static constexpr TextStyle kStyle{"", ":", ""};
  static constexpr const char *kUnrendered[] = {"PeriodStamp", "RoutingStateStatistics"};
  template <class R, class F> static void Wire(R &r, F &&f) {
    UserKeysWire(r, f);
    f(FIELD(Own, PeriodStamp), FIELD(VectorOf(Own), RoutingStateStatistics));
  }
  template <class R, class F> static void Text(R &r, F &&f) { UserKeysText(r, f); }
};

template <>
struct EventLayout<TRoutingStateCumulativeEvent> : StampThenList<TEventDataRoutingStateCumulative> {
  static constexpr const char *kSource = "EventData/tstTEventDataRoutingStateCumulative";
  static constexpr const char *kReleaseFailed =
      "TRoutingStateCumulativeEvent::Clear: Exception occured";
};

} // namespace statcore

// ---------------------------------------------------------------------------------------------
// The routing-state row: the time stamps of a copy start from the current time.

std::string TEventDataRoutingStateStatistics::ToString() { return statcore::RenderLine(*this); }

STATCORE_DEFINE_RECORD_COPY_STARTING(TEventDataRoutingStateStatistics, RDur(0), PresDur(0))

// ---------------------------------------------------------------------------------------------
// The user row: the same for its period stamp; assignment replaces the routing-state rows with
// copies of the source's.

std::string TEventDataRoutingStateCumulative::ToString() { return statcore::RenderLine(*this); }

STATCORE_DEFINE_RECORD_COPY_STARTING(TEventDataRoutingStateCumulative, PeriodStamp(0))

// ---------------------------------------------------------------------------------------------
// The event.

STATCORE_DEFINE_EVENT(TRoutingStateCumulativeEvent, Clear)
