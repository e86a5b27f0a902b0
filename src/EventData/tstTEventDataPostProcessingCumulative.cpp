#include "EventData/tstTEventDataPostProcessingCumulative.h"

#include "EventData/tstUserKeysLayout.h"

namespace statcore {

// Dur is shown before AddCount, although it travels after it.
template <> struct Layout<TEventDataPostProcessingReasonStatistics> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, ReasonK), FIELD(Long, Count), FIELD(Long, AddCount), FIELD(Duration, Dur));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(ReasonK)),
      Show(MEMBER(Count)),
      ShowDuration(MEMBER(Dur)),
      Show(MEMBER(AddCount)));
  }
};

template <> struct Layout<TEventDataPostProcessingCumulative> {
  static constexpr const char *kUnrendered[] = {"PeriodStamp", "ReasonStatistics"};
  template <class R, class F> static void Wire(R &r, F &&f) {
    UserKeysWire(r, f);
    f(FIELD(Own, PeriodStamp), FIELD(VectorOf(Own), ReasonStatistics));
  }
  template <class R, class F> static void Text(R &r, F &&f) { UserKeysText(r, f); }
};

template <>
struct EventLayout<TPostProcessingCumulativeEvent>
    : StampThenList<TEventDataPostProcessingCumulative> {
  static constexpr const char *kSource = "EventData/tstTEventDataPostProcessingCumulative";
  static constexpr const char *kReleaseFailed =
      "TPostProcessingCumulativeEvent::Clear: Exception occured";
};

} // namespace statcore

std::string TEventDataPostProcessingReasonStatistics::ToString() {
  return statcore::RenderLine(*this);
}

STATCORE_DEFINE_RECORD(TEventDataPostProcessingReasonStatistics)

// ---------------------------------------------------------------------------------------------
// The user row: the reason rows are replaced by appending.

std::string TEventDataPostProcessingCumulative::ToString() { return statcore::RenderLine(*this); }

STATCORE_DEFINE_RECORD(TEventDataPostProcessingCumulative)

// ---------------------------------------------------------------------------------------------
// The event.

STATCORE_DEFINE_EVENT(TPostProcessingCumulativeEvent, Clear)
