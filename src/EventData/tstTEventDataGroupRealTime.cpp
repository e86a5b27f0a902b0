#include "EventData/tstTEventDataGroupRealTime.h"

#include "core/Define.h"

namespace statcore {

template <> struct Layout<TEventDataGroupRealTime> : TextIsWire {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, VG),
      FIELD(Long, BU),
      FIELD(Long, LoggedOnUsers),
      FIELD(Long, IdleUsers),
      FIELD(Long, AwayUsers),
      FIELD(Long, BusyUsers),
      FIELD(Long, HndlRoutedUsers),
      FIELD(Long, HndlDirectOnlyUsers),
      FIELD(Long, RoutedHndl),
      FIELD(Long, DirectHndl),
      FIELD(Long, PrimWaiting),
      FIELD(Long, OverWaiting),
      FIELD(Long, MinLoggedOnCap),
      FIELD(Long, MinAvailCap),
      FIELD(Long, MinUnavailCap),
      FIELD(Long, MinWorkCap),
      FIELD(Long, MaxLoggedOnCap),
      FIELD(Long, MaxAvailCap),
      FIELD(Long, MaxUnavailCap),
      FIELD(Long, MaxWorkCap));
  }
};

template <> struct EventLayout<TGroupRealTimeEvent> : ListOnly<TEventDataGroupRealTime> {
  static constexpr const char *kSource = "EventData/tstTEventDataGroupRealTime";
  static constexpr const char *kReleaseFailed = "TGroupRealTimeEvent::Clear: Exception occured";
};

} // namespace statcore

std::string TEventDataGroupRealTime::ToString() { return statcore::RenderLine(*this); }

STATCORE_DEFINE_RECORD(TEventDataGroupRealTime)

STATCORE_DEFINE_EVENT(TGroupRealTimeEvent, Clear)
