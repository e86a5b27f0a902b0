#include "EventData/tstTEventDataGroupRealTime.h"

#include "core/Define.h"

namespace statcore {

template <> struct Layout<TEventDataGroupRealTime> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, VG), FIELD(Long, BU), FIELD(Long, LoggedOnUsers), FIELD(Long, IdleUsers),
      FIELD(Long, AwayUsers), FIELD(Long, BusyUsers), FIELD(Long, HndlRoutedUsers),
      FIELD(Long, HndlDirectOnlyUsers), FIELD(Long, RoutedHndl), FIELD(Long, DirectHndl),
      FIELD(Long, PrimWaiting), FIELD(Long, OverWaiting), FIELD(Long, MinLoggedOnCap),
      FIELD(Long, MinAvailCap), FIELD(Long, MinUnavailCap), FIELD(Long, MinWorkCap),
      FIELD(Long, MaxLoggedOnCap), FIELD(Long, MaxAvailCap), FIELD(Long, MaxUnavailCap),
      FIELD(Long, MaxWorkCap));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show("VG", r.VG), Show("BU", r.BU), Show("LoggedOnUsers", r.LoggedOnUsers),
      Show("IdleUsers", r.IdleUsers), Show("AwayUsers", r.AwayUsers),
      Show("BusyUsers", r.BusyUsers), Show("HndlRoutedUsers", r.HndlRoutedUsers),
      Show("HndlDirectOnlyUsers", r.HndlDirectOnlyUsers), Show("RoutedHndl", r.RoutedHndl),
      Show("DirectHndl", r.DirectHndl), Show("PrimWaiting", r.PrimWaiting),
      Show("OverWaiting", r.OverWaiting), Show("MinLoggedOnCap", r.MinLoggedOnCap),
      Show("MinAvailCap", r.MinAvailCap), Show("MinUnavailCap", r.MinUnavailCap),
      Show("MinWorkCap", r.MinWorkCap), Show("MaxLoggedOnCap", r.MaxLoggedOnCap),
      Show("MaxAvailCap", r.MaxAvailCap), Show("MaxUnavailCap", r.MaxUnavailCap),
      Show("MaxWorkCap", r.MaxWorkCap));
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
