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

EVENTRECORD_DEFINE_RECORD(TEventDataCallbackRealTime)

EVENTRECORD_DEFINE_EVENT(TCallbackRealTimeEvent, Clear)
