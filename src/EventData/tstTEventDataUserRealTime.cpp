#include "EventData/tstTEventDataUserRealTime.h"

#include "EventData/tstEventRecord.h"
#include "tstNameTables.h"

namespace {

constexpr const char *kSource = "EventData/tstTEventDataUserRealTime";

// Empties `to`, then appends each element of `from` in order: a copy cut short by an
// exception leaves the elements appended so far.
template <class T> void Reassign(std::vector<T> &to, const std::vector<T> &from) {
  to.clear();
  for (const T &element : from)
    to.push_back(element);
}

// The part of a user record's assignment that runs under the guard: every field after Loc.
void CopyGuardedFields(TEventDataUserRealTime &to, const TEventDataUserRealTime &from) {
  to.Ext = from.Ext;
  to.RS = from.RS;
  to.RSTime = from.RSTime;
  to.RSReason = from.RSReason;
  to.Pres = from.Pres;
  to.PresTime = from.PresTime;
  to.PresExcDC = from.PresExcDC;
  to.PresTimeExcDC = from.PresTimeExcDC;
  to.UserHelpTime = from.UserHelpTime;
  to.Resvd = from.Resvd;
  to.MinCapAvail = from.MinCapAvail;
  to.MinCapTotal = from.MinCapTotal;
  to.MinCapKey = from.MinCapKey;
  to.MaxCapAvail = from.MaxCapAvail;
  to.MaxCapTotal = from.MaxCapTotal;
  to.MaxCapKey = from.MaxCapKey;
  Reassign(to.GK, from.GK);
  Reassign(to.MediaStatistics, from.MediaStatistics);
  Reassign(to.PresenceStateStatistics, from.PresenceStateStatistics);
  Reassign(to.ContactStatistics, from.ContactStatistics);
  Reassign(to.CSMStatistics, from.CSMStatistics);
}

} // namespace

namespace EventRecord {

template <> struct RecordLayout<TEventDataUserMediaStatistics> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(Long(r.Media), RawEnum(r.MediaState), Long(r.ShftRtdHndl), Duration(r.ShftRtdHndlPrimTime),
      Duration(r.ShftRtdHndlNonPrimTime), Duration(r.ShftRtdPostProcPrimTime),
      Duration(r.ShftRtdPostProcNonPrimTime), Long(r.ShftMaxRtdActiveTime),
      Long(r.ShftMaxRtdNonPrimTime), Long(r.ShftRtdHeldOrCnslt), Long(r.ShftRtdHeld),
      Long(r.ShftRtdCnslt), Long(r.ShftRtdProc), Long(r.ShftDirHndl),
      Duration(r.ShftDirHndlPrimTime), Duration(r.ShftDirHndlNonPrimTime),
      Vector(r.ShiftHandlingStateTimes, Duration));
  }
};

template <> struct RecordLayout<TEventDataUserPresenceStateStatistics> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(Own(r.Pres), Long(r.ShiftPresCount), Duration(r.ShiftPresTime));
  }
};

template <> struct RecordLayout<TEventDataUserContactStatistics> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(Long(r.REQC), RawEnum(r.CT), Long(r.QK), Long(r.HandlingPrimTime), Long(r.PostProcPrimTime),
      Long(r.ContactPrimTime), Long(r.ContactNonPrimTime), RawEnum(r.HandlingState),
      Long(r.HandlingStatePrimTime), Long(r.HandlingStateReason), Bool(r.Primary), Own(r.CID),
      Own(r.AuxText));
  }
};

template <> struct RecordLayout<TEventDataUserCSMStatistics> {
  template <class R, class F> static void Wire(R &r, F &&f) { f(Own(r.BGL), RawEnum(r.Type)); }
};

template <> struct RecordLayout<TEventDataUserRealTime> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(Long(r.AK), Long(r.BU), Long(r.Loc), Own(r.Ext), Own(r.RS), Long(r.RSTime), Long(r.RSReason),
      Own(r.Pres), Long(r.PresTime), Own(r.PresExcDC), Long(r.PresTimeExcDC), Long(r.UserHelpTime),
      Long(r.Resvd), Long(r.MinCapAvail), Long(r.MinCapTotal), Long(r.MinCapKey),
      Long(r.MaxCapAvail), Long(r.MaxCapTotal), Long(r.MaxCapKey), Vector(r.GK, Long),
      Vector(r.MediaStatistics, Own), Vector(r.PresenceStateStatistics, Own),
      Vector(r.ContactStatistics, Own), Vector(r.CSMStatistics, Own));
  }
};

template <> struct EventLayout<TUserRealTimeEvent> : ListOnly<TEventDataUserRealTime> {
  static constexpr const char *kSource = ::kSource;
  static constexpr const char *kReleaseFailed = "TUserRealTimeEvent::Clear: Exception occured";
  static void CopyFixed(TUserRealTimeEvent &to, const TUserRealTimeEvent &from) {
    to.ApplicationFlag = from.ApplicationFlag;
  }
};

} // namespace EventRecord

// ---------------------------------------------------------------------------------------------
// Per-medium statistics.

std::string TEventDataUserMediaStatistics::ToString() {
  using EventRecord::AsDuration;
  EventRecord::Text text;
  text("Media", MediaTypeToString(Media));
  text("MediaState", MediaStateToString(MediaState));
  text("ShftRtdHndl", ShftRtdHndl);
  text("ShftRtdHndlPrimTime", AsDuration(ShftRtdHndlPrimTime));
  text("ShftRtdHndlNonPrimTime", AsDuration(ShftRtdHndlNonPrimTime));
  text("ShftRtdPostProcPrimTime", AsDuration(ShftRtdPostProcPrimTime));
  text("ShftRtdPostProcNonPrimTime", AsDuration(ShftRtdPostProcNonPrimTime));
  text("ShftMaxRtdActiveTime", ShftMaxRtdActiveTime);
  text("ShftMaxRtdNonPrimTime", ShftMaxRtdNonPrimTime);
  text("ShftRtdHeldOrCnslt", ShftRtdHeldOrCnslt);
  text("ShftRtdHeld", ShftRtdHeld);
  text("ShftRtdCnslt", ShftRtdCnslt);
  text("ShftRtdProc", ShftRtdProc);
  text("ShftDirHndl", ShftDirHndl);
  text("ShftDirHndlPrimTime", AsDuration(ShftDirHndlPrimTime));
  text("ShftDirHndlNonPrimTime", AsDuration(ShftDirHndlNonPrimTime));
  text.Label("ShiftHandlingStateTimes[state,time]");
  for (std::size_t state = 0; state < ShiftHandlingStateTimes.size(); ++state)
    text.Value(" [")
        .Value(state)
        .Value(',')
        .Value(AsDuration(ShiftHandlingStateTimes[state]))
        .Value(']');
  return text.Close();
}

EVENTRECORD_DEFINE_RECORD(TEventDataUserMediaStatistics)

// ---------------------------------------------------------------------------------------------
// Per-presence-state statistics.

std::string TEventDataUserPresenceStateStatistics::ToString() {
  EventRecord::Text text;
  text("Pres", TpsTPresenceState::ToString(Pres));
  text("ShiftPresCount", ShiftPresCount);
  text("ShiftPresTime", EventRecord::AsDuration(ShiftPresTime));
  return text.Close();
}

EVENTRECORD_DEFINE_RECORD(TEventDataUserPresenceStateStatistics)

// ---------------------------------------------------------------------------------------------
// Per-contact statistics.

std::string TEventDataUserContactStatistics::ToString() {
  EventRecord::Text text("ContactStats: {");
  text("CID", CID);
  text("REQC", REQC);
  text("CT", ContactTypeToString(CT));
  text("Primary", Primary);
  text("QK", QK);
  text("HandlingPrimTime", HandlingPrimTime);
  text("PostProcPrimTime", PostProcPrimTime);
  text("ContactPrimTime", ContactPrimTime);
  text("ContactNonPrimTime", ContactNonPrimTime);
  text("HandlingState", HandlingStateToString(HandlingState));
  text("HandlingStatePrimTime", HandlingStatePrimTime);
  text("HandlingStateReason", HandlingStateReason);
  return text.Close();
}

EVENTRECORD_DEFINE_RECORD(TEventDataUserContactStatistics)

// ---------------------------------------------------------------------------------------------
// Per-CSM-activity statistics.

std::string TEventDataUserCSMStatistics::ToString() {
  EventRecord::Text text("CSMStats: {");
  text("Type", CSMTypeToString(Type));
  text("BGL", BGL);
  return text.Close();
}

EVENTRECORD_DEFINE_RECORD(TEventDataUserCSMStatistics)

// ---------------------------------------------------------------------------------------------
// The user record.

TEventDataUserRealTime::TEventDataUserRealTime() = default;

TEventDataUserRealTime::TEventDataUserRealTime(const TEventDataUserRealTime &other)
    : TEventDataUserRealTime() {
  *this = other;
}

TEventDataUserRealTime &TEventDataUserRealTime::operator=(const TEventDataUserRealTime &other) {
  if (this == &other)
    return *this;
  AK = other.AK;
  BU = other.BU;
  Loc = other.Loc;
  EventRecord::Guarded({kSource, __LINE__}, "TEventDataUserRealTime::operator= exception raised.",
                       [&] { CopyGuardedFields(*this, other); });
  return *this;
}

TEventDataUserRealTime::~TEventDataUserRealTime() = default;

std::string TEventDataUserRealTime::ToString() {
  EventRecord::Text text;
  text("AK", AK);
  text("BU", BU);
  text("Loc", Loc);
  text("Ext", Ext);
  text.List("GK", GK);
  text("RS", TpsTRoutingState::ToString(RS));
  text("RSTime", RSTime);
  text("RSReason", RSReason);
  text("Pres", TpsTPresenceState::ToString(Pres));
  text("PresTime", PresTime);
  text("Pres(ExcDC)", TpsTPresenceState::ToString(PresExcDC));
  text("PresTime(ExcDC)", PresTimeExcDC);
  text.Group("MinCap[Avail,Total,Key]", MinCapAvail, MinCapTotal, MinCapKey);
  text.Group("MaxCap[Avail,Total,Key]", MaxCapAvail, MaxCapTotal, MaxCapKey);
  text("Resvd", Resvd);
  text("UserHelpTime", UserHelpTime);
  return text.Close();
}

EVENTRECORD_DEFINE_RECORD_OPERATORS(TEventDataUserRealTime)

// ---------------------------------------------------------------------------------------------
// The event.

EVENTRECORD_DEFINE_EVENT(TUserRealTimeEvent, Clear)
