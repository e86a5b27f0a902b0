#include "EventData/tstTEventDataQueueRealTime.h"

#include "EventData/tstEventRecord.h"

namespace EventRecord {

template <> struct RecordLayout<TEventDataSiteStatistics> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(Long(r.Ans), Float(r.SL), Float(r.EstSL), Float(r.EstWT), Duration(r.WT));
  }
};

template <> struct RecordLayout<TEventDataSampleStatistics> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(Float(r.SL), Float(r.AnsR), Float(r.AbdR), Float(r.AnsAvg), Float(r.AbdAvg), Duration(r.OWT));
  }
};

template <> struct RecordLayout<TEventDataShiftStatistics> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(Long(r.Rec), Long(r.Ans), Long(r.Abd), Long(r.Red), Long(r.RecNI), Long(r.RedNO), Float(r.SL),
      Float(r.AR), Duration(r.WTAns), Duration(r.WTAbd), Float(r.AuxValue));
  }
};

template <> struct RecordLayout<TEventDataEstimatedStatistics> {
  template <class R, class F> static void Wire(R &r, F &&f) { f(Float(r.SL), Duration(r.WT)); }
};

template <> struct RecordLayout<TEventDataQueueRealTime> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(Long(r.QK), Own(r.Medium), Long(r.BU), Long(r.CIQ), Long(r.CO), Own(r.Samp), Own(r.Shf),
      Own(r.Est));
  }
};

template <> struct EventLayout<TQueueRealTimeEvent> : ListOnly<TEventDataQueueRealTime> {
  static constexpr const char *kSource = "EventData/tstTEventDataQueueRealTime";
  static constexpr const char *kReleaseFailed = "TQueueRealTimeEvent::CleanUp: Exception occured";
  static constexpr Release kRelease = Release::kFromBack;
  template <class E, class F> static void Trailer(E &e, F &&f) {
    f(Own(e.SiteStatistics), UShort(e.TrailerValue));
  }
  static void CopyFixed(TQueueRealTimeEvent &to, const TQueueRealTimeEvent &from) {
    to.SiteStatistics = from.SiteStatistics;
    to.TrailerValue = from.TrailerValue;
  }
};

} // namespace EventRecord

using EventRecord::AsDuration;

// ---------------------------------------------------------------------------------------------
// Site statistics.

std::string TEventDataSiteStatistics::ToString() {
  EventRecord::Text text;
  text("Ans", Ans);
  text("WT", AsDuration(WT));
  text("SL", SL);
  text("EstSL", EstSL);
  text("EstWT", EstWT);
  return text.Close();
}

EVENTRECORD_DEFINE_RECORD(TEventDataSiteStatistics)

// ---------------------------------------------------------------------------------------------
// Sample statistics.

std::string TEventDataSampleStatistics::ToString() {
  EventRecord::Text text("{ ");
  text("SL", SL);
  text("AnsR", AnsR);
  text("AbdR", AbdR);
  text("AnsAvg", AnsAvg);
  text("AbdAvg", AbdAvg);
  text("OWT", AsDuration(OWT));
  return text.Close();
}

EVENTRECORD_DEFINE_RECORD(TEventDataSampleStatistics)

// ---------------------------------------------------------------------------------------------
// Shift statistics.

std::string TEventDataShiftStatistics::ToString() {
  EventRecord::Text text;
  text("Rec", Rec);
  text("Rec NI", RecNI);
  text("Ans", Ans);
  text("WT", AsDuration(WTAns));
  text("Abd", Abd);
  text("WT", AsDuration(WTAbd));
  text("Red", Red);
  text("Red NO", RedNO);
  text("SL", SL);
  text("AR", AR);
  return text.Close();
}

EVENTRECORD_DEFINE_RECORD(TEventDataShiftStatistics)

// ---------------------------------------------------------------------------------------------
// Estimated statistics.

std::string TEventDataEstimatedStatistics::ToString() {
  EventRecord::Text text;
  text("SL", SL);
  text("WT", AsDuration(WT));
  return text.Close();
}

EVENTRECORD_DEFINE_RECORD(TEventDataEstimatedStatistics)

// ---------------------------------------------------------------------------------------------
// The queue record.

std::string TEventDataQueueRealTime::ToString() {
  EventRecord::Text text;
  text(("QK(" + ToString(Medium) + ")").c_str(), QK);
  text("BU", BU);
  text("CIQ", CIQ);
  text("CO", CO);
  text("Shf", Shf.ToString());
  text("Samp", Samp.ToString());
  text("Est", Est.ToString());
  return text.Close();
}

std::string TEventDataQueueRealTime::ToString(const TSMEnum::MEDIUM &medium) const {
  switch (static_cast<int>(medium)) {
  case 1:
    return "T";
  case 2:
    return "C";
  case 3:
    return "E";
  case 4:
    return "W";
  default:
    return "U";
  }
}

EVENTRECORD_DEFINE_RECORD(TEventDataQueueRealTime)

// ---------------------------------------------------------------------------------------------
// The event.

EVENTRECORD_DEFINE_EVENT(TQueueRealTimeEvent, CleanUp)
