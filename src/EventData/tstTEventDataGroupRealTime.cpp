#include "EventData/tstTEventDataGroupRealTime.h"

#include "EventData/tstEventRecord.h"

namespace EventRecord {

template <> struct RecordLayout<TEventDataGroupRealTime> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(Long(r.VG), Long(r.BU), Long(r.LoggedOnUsers), Long(r.IdleUsers), Long(r.AwayUsers),
      Long(r.BusyUsers), Long(r.HndlRoutedUsers), Long(r.HndlDirectOnlyUsers), Long(r.RoutedHndl),
      Long(r.DirectHndl), Long(r.PrimWaiting), Long(r.OverWaiting), Long(r.MinLoggedOnCap),
      Long(r.MinAvailCap), Long(r.MinUnavailCap), Long(r.MinWorkCap), Long(r.MaxLoggedOnCap),
      Long(r.MaxAvailCap), Long(r.MaxUnavailCap), Long(r.MaxWorkCap));
  }
};

template <> struct EventLayout<TGroupRealTimeEvent> : ListOnly<TEventDataGroupRealTime> {
  static constexpr const char *kSource = "EventData/tstTEventDataGroupRealTime";
  static constexpr const char *kReleaseFailed = "TGroupRealTimeEvent::Clear: Exception occured";
};

} // namespace EventRecord

std::string TEventDataGroupRealTime::ToString() {
  EventRecord::Text text;
  text("VG", VG);
  text("BU", BU);
  text("LoggedOnUsers", LoggedOnUsers);
  text("IdleUsers", IdleUsers);
  text("AwayUsers", AwayUsers);
  text("BusyUsers", BusyUsers);
  text("HndlRoutedUsers", HndlRoutedUsers);
  text("HndlDirectOnlyUsers", HndlDirectOnlyUsers);
  text("RoutedHndl", RoutedHndl);
  text("DirectHndl", DirectHndl);
  text("PrimWaiting", PrimWaiting);
  text("OverWaiting", OverWaiting);
  text("MinLoggedOnCap", MinLoggedOnCap);
  text("MinAvailCap", MinAvailCap);
  text("MinUnavailCap", MinUnavailCap);
  text("MinWorkCap", MinWorkCap);
  text("MaxLoggedOnCap", MaxLoggedOnCap);
  text("MaxAvailCap", MaxAvailCap);
  text("MaxUnavailCap", MaxUnavailCap);
  text("MaxWorkCap", MaxWorkCap);
  return text.Close();
}

EVENTRECORD_DEFINE_RECORD(TEventDataGroupRealTime)

EVENTRECORD_DEFINE_EVENT(TGroupRealTimeEvent, Clear)
