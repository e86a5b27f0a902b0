#include "EventData/tstTEventDataCallbackRealTime.h"

#include "EventData/tstEventRecord.h"

namespace EventRecord {

template <> struct RecordLayout<TEventDataCallbackRealTime> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(Long(r.REQC), Own(r.State), Short(r.Origin), Long(r.BU), Long(r.QK), Long(r.CreatorAK),
      Long(r.AttemptStatus), Long(r.LastAK), Long(r.AttemptsCount), Long(r.TimeInState),
      Long(r.WaitTime), Own(r.CID), Own(r.CustName), Own(r.CustNum), Own(r.Desc));
  }
};

template <> struct EventLayout<TCallbackRealTimeEvent> : ListOnly<TEventDataCallbackRealTime> {
  static constexpr const char *kSource = "EventData/tstTEventDataCallbackRealTime";
  static constexpr const char *kReleaseFailed = "TCallbackRealTimeEvent::Clear: Exception occurred";
  static constexpr Release kRelease = Release::kWalkThenEmpty;
};

} // namespace EventRecord

TEventDataCallbackRealTime::TEventDataCallbackRealTime() = default;
TEventDataCallbackRealTime::TEventDataCallbackRealTime(const TEventDataCallbackRealTime &) =
    default;
TEventDataCallbackRealTime &
TEventDataCallbackRealTime::operator=(const TEventDataCallbackRealTime &) = default;
TEventDataCallbackRealTime::~TEventDataCallbackRealTime() = default;

std::string TEventDataCallbackRealTime::ToString() {
  EventRecord::Text text;
  text("CID", CID);
  text("REQC", REQC);
  text("QK", QK);
  text("Origin", Origin);
  text("State", TCMState::ToString(State));
  text("TimeInState", TimeInState);
  text("WaitTime", WaitTime);
  text("AttemptStatus", AttemptStatus);
  text("AttemptsCount", AttemptsCount);
  text("CreatorAK", CreatorAK);
  text("LastAK", LastAK);
  text("BU", BU);
  text("CustName", CustName);
  text("CustNum", CustNum);
  text("Desc", Desc);
  return text.Close();
}

TPack &operator<<(TPack &pack, const TEventDataCallbackRealTime &record) {
  return EventRecord::PackRecord(pack, record);
}

TPack &operator>>(TPack &pack, TEventDataCallbackRealTime &record) {
  return EventRecord::UnpackRecord(pack, record);
}

TCallbackRealTimeEvent::TCallbackRealTimeEvent() = default;

TCallbackRealTimeEvent::TCallbackRealTimeEvent(const TCallbackRealTimeEvent &other) {
  EventRecord::CopyEvent(*this, other, __LINE__);
}

TCallbackRealTimeEvent &TCallbackRealTimeEvent::operator=(const TCallbackRealTimeEvent &other) {
  EventRecord::AssignEvent(*this, other, __LINE__);
  return *this;
}

TCallbackRealTimeEvent::~TCallbackRealTimeEvent() { EventRecord::ReleaseRecords(*this, __LINE__); }

unsigned long TCallbackRealTimeEvent::Size() const { return EventRecord::PackedSize(*this); }

void TCallbackRealTimeEvent::Clear() { EventRecord::ReleaseRecords(*this, __LINE__); }

TPack &operator<<(TPack &pack, const TCallbackRealTimeEvent &event) {
  return EventRecord::PackEvent(pack, event);
}

TPack &operator>>(TPack &pack, TCallbackRealTimeEvent &event) {
  return EventRecord::UnpackEvent(pack, event, __LINE__);
}
