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

TEventDataContactRealTime::TEventDataContactRealTime() = default;
TEventDataContactRealTime::TEventDataContactRealTime(const TEventDataContactRealTime &) = default;
TEventDataContactRealTime &
TEventDataContactRealTime::operator=(const TEventDataContactRealTime &) = default;
TEventDataContactRealTime::~TEventDataContactRealTime() = default;

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

TPack &operator<<(TPack &pack, const TEventDataContactRealTime &record) {
  return EventRecord::PackRecord(pack, record);
}

TPack &operator>>(TPack &pack, TEventDataContactRealTime &record) {
  return EventRecord::UnpackRecord(pack, record);
}

TContactRealTimeEvent::TContactRealTimeEvent() = default;

TContactRealTimeEvent::TContactRealTimeEvent(const TContactRealTimeEvent &other) {
  EventRecord::CopyEvent(*this, other, __LINE__);
}

TContactRealTimeEvent &TContactRealTimeEvent::operator=(const TContactRealTimeEvent &other) {
  EventRecord::AssignEvent(*this, other, __LINE__);
  return *this;
}

TContactRealTimeEvent::~TContactRealTimeEvent() { EventRecord::ReleaseRecords(*this, __LINE__); }

unsigned long TContactRealTimeEvent::Size() const { return EventRecord::PackedSize(*this); }

void TContactRealTimeEvent::Clear() { EventRecord::ReleaseRecords(*this, __LINE__); }

TPack &operator<<(TPack &pack, const TContactRealTimeEvent &event) {
  return EventRecord::PackEvent(pack, event);
}

TPack &operator>>(TPack &pack, TContactRealTimeEvent &event) {
  return EventRecord::UnpackEvent(pack, event, __LINE__);
}
