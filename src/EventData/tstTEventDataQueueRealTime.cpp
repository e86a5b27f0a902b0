#include "EventData/tstTEventDataQueueRealTime.h"

#include "core/Define.h"

namespace statcore {

template <> struct Layout<TEventDataSiteStatistics> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, Ans),
      FIELD(Float, SL),
      FIELD(Float, EstSL),
      FIELD(Float, EstWT),
      FIELD(Duration, WT));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(Ans)),
      ShowDuration(MEMBER(WT)),
      Show(MEMBER(SL)),
      Show(MEMBER(EstSL)),
      Show(MEMBER(EstWT)));
  }
};

template <> struct Layout<TEventDataSampleStatistics> : TextIsWire {
  static constexpr TextStyle kStyle{"{ "};
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Float, SL),
      FIELD(Float, AnsR),
      FIELD(Float, AbdR),
      FIELD(Float, AnsAvg),
      FIELD(Float, AbdAvg),
      FIELD(Duration, OWT));
  }
};

template <> struct Layout<TEventDataShiftStatistics> {
  static constexpr const char *kUnrendered[] = {"AuxValue"};
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, Rec),
      FIELD(Long, Ans),
      FIELD(Long, Abd),
      FIELD(Long, Red),
      FIELD(Long, RecNI),
      FIELD(Long, RedNO),
      FIELD(Float, SL),
      FIELD(Float, AR),
      FIELD(Duration, WTAns),
      FIELD(Duration, WTAbd),
      FIELD(Float, AuxValue));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(Rec)),
      Show("Rec NI", r.RecNI),
      Show(MEMBER(Ans)),
      ShowDuration("WT", r.WTAns).Key("WTAns"),
      Show(MEMBER(Abd)),
      ShowDuration("WT", r.WTAbd).Key("WTAbd"),
      Show(MEMBER(Red)),
      Show("Red NO", r.RedNO),
      Show(MEMBER(SL)),
      Show(MEMBER(AR)));
  }
};

template <> struct Layout<TEventDataEstimatedStatistics> : TextIsWire {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Float, SL), FIELD(Duration, WT));
  }
};

// The queue key's label names the medium: "QK(T)".
template <> struct Layout<TEventDataQueueRealTime> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, QK),
      FIELD(Own, Medium),
      FIELD(Long, BU),
      FIELD(Long, CIQ),
      FIELD(Long, CO),
      FIELD(Own, Samp),
      FIELD(Own, Shf),
      FIELD(Own, Est));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    const auto medium = [&r](TSMEnum::MEDIUM m) { return r.ToString(m); };
    f(Show("QK(" + medium(r.Medium) + ")", r.QK).Key("QK"),
      StructuredOnly("Medium", r.Medium, medium),
      Show(MEMBER(BU)),
      Show(MEMBER(CIQ)),
      Show(MEMBER(CO)),
      Nested(MEMBER(Shf)),
      Nested(MEMBER(Samp)),
      Nested(MEMBER(Est)));
  }
};

template <> struct EventLayout<TQueueRealTimeEvent> : ListOnly<TEventDataQueueRealTime> {
  static constexpr const char *kSource = "EventData/tstTEventDataQueueRealTime";
  static constexpr const char *kReleaseFailed = "TQueueRealTimeEvent::CleanUp: Exception occured";
  static constexpr Release kRelease = Release::kFromBack;
  template <class R, class F> static void Trailer(R &r, F &&f) {
    f(FIELD(Own, SiteStatistics), FIELD(UShort, TrailerValue));
  }
  static void CopyFixed(TQueueRealTimeEvent &to, const TQueueRealTimeEvent &from) {
    to.SiteStatistics = from.SiteStatistics;
    to.TrailerValue = from.TrailerValue;
  }
};

} // namespace statcore

std::string TEventDataSiteStatistics::ToString() { return statcore::RenderLine(*this); }
std::string TEventDataSampleStatistics::ToString() { return statcore::RenderLine(*this); }
std::string TEventDataShiftStatistics::ToString() { return statcore::RenderLine(*this); }
std::string TEventDataEstimatedStatistics::ToString() { return statcore::RenderLine(*this); }
std::string TEventDataQueueRealTime::ToString() { return statcore::RenderLine(*this); }

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

STATCORE_DEFINE_RECORD(TEventDataSiteStatistics)
STATCORE_DEFINE_RECORD(TEventDataSampleStatistics)
STATCORE_DEFINE_RECORD(TEventDataShiftStatistics)
STATCORE_DEFINE_RECORD(TEventDataEstimatedStatistics)
STATCORE_DEFINE_RECORD(TEventDataQueueRealTime)

STATCORE_DEFINE_EVENT(TQueueRealTimeEvent, CleanUp)
