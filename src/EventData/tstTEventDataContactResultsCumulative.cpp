#include "EventData/tstTEventDataContactResultsCumulative.h"

#include "EventData/tstUserKeysLayout.h"

namespace statcore {

template <> struct Layout<TEventDataContactResultsStatistics> : TextIsWire {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, QK), FIELD(Long, ReasonK), FIELD(Long, Count));
  }
};

// The period's start shows only its time of day, after a colon and a blank.
template <> struct Layout<TEventDataContactResultsCumulative> {
  static constexpr const char *kUnrendered[] = {"ContactResultsStatistics"};
  template <class R, class F> static void Wire(R &r, F &&f) {
    UserKeysWire(r, f);
    f(FIELD(Short, LocTZOffset),
      FIELD(Short, SiteTZOffset),
      FIELD(Own, PeriodStartGMT),
      FIELD(Short, PeriodTime),
      FIELD(VectorOf(Own), ContactResultsStatistics));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    UserKeysText(r, f);
    f(Show(MEMBER(LocTZOffset)),
      Show(MEMBER(SiteTZOffset)),
      ShowTimeOfDay(MEMBER(PeriodStartGMT)).Colon(": "),
      Show(MEMBER(PeriodTime)));
  }
};

template <>
struct EventLayout<TContactResultsCumulativeEvent>
    : StampThenList<TEventDataContactResultsCumulative> {
  static constexpr const char *kSource = "EventData/tstTEventDataContactResultsCumulative";
  static constexpr const char *kReleaseFailed =
      "TContactResultsCumulativeEvent::Clear: Exception occured";
};

} // namespace statcore

std::string TEventDataContactResultsStatistics::ToString() { return statcore::RenderLine(*this); }
std::string TEventDataContactResultsCumulative::ToString() { return statcore::RenderLine(*this); }

STATCORE_DEFINE_RECORD(TEventDataContactResultsStatistics)
STATCORE_DEFINE_RECORD(TEventDataContactResultsCumulative)

STATCORE_DEFINE_EVENT(TContactResultsCumulativeEvent, Clear)
