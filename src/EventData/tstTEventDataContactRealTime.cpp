#include "EventData/tstTEventDataContactRealTime.h"

#include "EventData/tstEventRecord.h"
#include "tstNameTables.h"

namespace EventRecord {

template <> struct RecordLayout<TEventDataContactRealTime> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(Own(r.State), Short(r.QK), Long(r.MT), Short(r.Priority), Long(r.TimeInState),
      Long(r.WaitTime), Long(r.VG), Long(r.REQC), Long(r.ResvdAK), Long(r.BU), Own(r.CID),
      Own(r.Dest), Own(r.Src), Own(r.Desc));
  }
};

template <> struct EventLayout<TContactRealTimeEvent> : ListOnly<TEventDataContactRealTime> {
  static constexpr const char *kSource = "EventData/tstTEventDataContactRealTime";
  static constexpr const char *kReleaseFailed = "TContactRealTimeEvent::Clear: Exception occured";
};

} // namespace EventRecord

std::string TEventDataContactRealTime::ToString() {
  EventRecord::Text text;
  text("CID", CID);
  text("REQC", REQC);
  text("QK", QK);
  text("MT", MediaTypeToString(MT));
  text("State", TCMState::ToString(State));
  text("TimeInState", TimeInState);
  text("WaitTime", WaitTime);
  text("Priority", Priority);
  text("VG", VG);
  text("ResvdAK", ResvdAK);
  text("BU", BU);
  text("Src", Src);
  text("Dest", Dest);
  text("Desc", Desc);
  return text.Close();
}

EVENTRECORD_DEFINE_RECORD(TEventDataContactRealTime)

EVENTRECORD_DEFINE_EVENT(TContactRealTimeEvent, Clear)
