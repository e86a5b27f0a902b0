#include "EventData/tstTEventDataUserRealTime.h"

#include "core/Define.h"
#include "names/tstNameTables.h"

namespace {

constexpr const char *kSource = "EventData/tstTEventDataUserRealTime";

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
  statcore::ReplaceByAppending(to.GK, from.GK);
  statcore::ReplaceByAppending(to.MediaStatistics, from.MediaStatistics);
  statcore::ReplaceByAppending(to.PresenceStateStatistics, from.PresenceStateStatistics);
  statcore::ReplaceByAppending(to.ContactStatistics, from.ContactStatistics);
  statcore::ReplaceByAppending(to.CSMStatistics, from.CSMStatistics);
}

} // namespace

namespace statcore {

template <> struct Layout<TEventDataUserMediaStatistics> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, Media),
      FIELD(RawEnum, MediaState),
      FIELD(Long, ShftRtdHndl),
      FIELD(Duration, ShftRtdHndlPrimTime),
      FIELD(Duration, ShftRtdHndlNonPrimTime),
      FIELD(Duration, ShftRtdPostProcPrimTime),
      FIELD(Duration, ShftRtdPostProcNonPrimTime),
      FIELD(Long, ShftMaxRtdActiveTime),
      FIELD(Long, ShftMaxRtdNonPrimTime),
      FIELD(Long, ShftRtdHeldOrCnslt),
      FIELD(Long, ShftRtdHeld),
      FIELD(Long, ShftRtdCnslt),
      FIELD(Long, ShftRtdProc),
      FIELD(Long, ShftDirHndl),
      FIELD(Duration, ShftDirHndlPrimTime),
      FIELD(Duration, ShftDirHndlNonPrimTime),
      FIELD(VectorOf(Duration), ShiftHandlingStateTimes));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(Media), MediaTypeToString),
      Show(MEMBER(MediaState), MediaStateToString),
      Show(MEMBER(ShftRtdHndl)),
      ShowDuration(MEMBER(ShftRtdHndlPrimTime)),
      ShowDuration(MEMBER(ShftRtdHndlNonPrimTime)),
      ShowDuration(MEMBER(ShftRtdPostProcPrimTime)),
      ShowDuration(MEMBER(ShftRtdPostProcNonPrimTime)),
      Show(MEMBER(ShftMaxRtdActiveTime)),
      Show(MEMBER(ShftMaxRtdNonPrimTime)),
      Show(MEMBER(ShftRtdHeldOrCnslt)),
      Show(MEMBER(ShftRtdHeld)),
      Show(MEMBER(ShftRtdCnslt)),
      Show(MEMBER(ShftRtdProc)),
      Show(MEMBER(ShftDirHndl)),
      ShowDuration(MEMBER(ShftDirHndlPrimTime)),
      ShowDuration(MEMBER(ShftDirHndlNonPrimTime)),
      IndexedDurations("ShiftHandlingStateTimes[state,time]", r.ShiftHandlingStateTimes)
          .Key("ShiftHandlingStateTimes"));
  }
};

template <> struct Layout<TEventDataUserPresenceStateStatistics> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Own, Pres), FIELD(Long, ShiftPresCount), FIELD(Duration, ShiftPresTime));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(Pres), TpsTPresenceState::ToString),
      Show(MEMBER(ShiftPresCount)),
      ShowDuration(MEMBER(ShiftPresTime)));
  }
};

template <> struct Layout<TEventDataUserContactStatistics> {
  static constexpr TextStyle kStyle{"ContactStats: {"};
  static constexpr const char *kUnrendered[] = {"AuxText"};
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, REQC),
      FIELD(RawEnum, CT),
      FIELD(Long, QK),
      FIELD(Long, HandlingPrimTime),
      FIELD(Long, PostProcPrimTime),
      FIELD(Long, ContactPrimTime),
      FIELD(Long, ContactNonPrimTime),
      FIELD(RawEnum, HandlingState),
      FIELD(Long, HandlingStatePrimTime),
      FIELD(Long, HandlingStateReason),
      FIELD(Bool, Primary),
      FIELD(Own, CID),
      FIELD(Own, AuxText));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(CID)),
      Show(MEMBER(REQC)),
      Show(MEMBER(CT), ContactTypeToString),
      Show(MEMBER(Primary)),
      Show(MEMBER(QK)),
      Show(MEMBER(HandlingPrimTime)),
      Show(MEMBER(PostProcPrimTime)),
      Show(MEMBER(ContactPrimTime)),
      Show(MEMBER(ContactNonPrimTime)),
      Show(MEMBER(HandlingState), HandlingStateToString),
      Show(MEMBER(HandlingStatePrimTime)),
      Show(MEMBER(HandlingStateReason)));
  }
};

template <> struct Layout<TEventDataUserCSMStatistics> {
  static constexpr TextStyle kStyle{"CSMStats: {"};
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Own, BGL), FIELD(RawEnum, Type));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(Type), CSMTypeToString), Show(MEMBER(BGL)));
  }
};

// The text leaves the nested statistics out; they have texts of their own.
template <> struct Layout<TEventDataUserRealTime> {
  static constexpr const char *kUnrendered[] = {
      "MediaStatistics", "PresenceStateStatistics", "ContactStatistics", "CSMStatistics"};
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, AK),
      FIELD(Long, BU),
      FIELD(Long, Loc),
      FIELD(Own, Ext),
      FIELD(Own, RS),
      FIELD(Long, RSTime),
      FIELD(Long, RSReason),
      FIELD(Own, Pres),
      FIELD(Long, PresTime),
      FIELD(Own, PresExcDC),
      FIELD(Long, PresTimeExcDC),
      FIELD(Long, UserHelpTime),
      FIELD(Long, Resvd),
      FIELD(Long, MinCapAvail),
      FIELD(Long, MinCapTotal),
      FIELD(Long, MinCapKey),
      FIELD(Long, MaxCapAvail),
      FIELD(Long, MaxCapTotal),
      FIELD(Long, MaxCapKey),
      FIELD(VectorOf(Long), GK),
      FIELD(VectorOf(Own), MediaStatistics),
      FIELD(VectorOf(Own), PresenceStateStatistics),
      FIELD(VectorOf(Own), ContactStatistics),
      FIELD(VectorOf(Own), CSMStatistics));
  }
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show(MEMBER(AK)),
      Show(MEMBER(BU)),
      Show(MEMBER(Loc)),
      Show(MEMBER(Ext)),
      List(MEMBER(GK)),
      Show(MEMBER(RS), TpsTRoutingState::ToString),
      Show(MEMBER(RSTime)),
      Show(MEMBER(RSReason)),
      Show(MEMBER(Pres), TpsTPresenceState::ToString),
      Show(MEMBER(PresTime)),
      Show("Pres(ExcDC)", r.PresExcDC, TpsTPresenceState::ToString),
      Show("PresTime(ExcDC)", r.PresTimeExcDC),
      Group("MinCap[Avail,Total,Key]", r.MinCapAvail, r.MinCapTotal, r.MinCapKey),
      Group("MaxCap[Avail,Total,Key]", r.MaxCapAvail, r.MaxCapTotal, r.MaxCapKey),
      Show(MEMBER(Resvd)),
      Show(MEMBER(UserHelpTime)));
  }
};

template <> struct EventLayout<TUserRealTimeEvent> : ListOnly<TEventDataUserRealTime> {
  static constexpr const char *kSource = ::kSource;
  static constexpr const char *kReleaseFailed = "TUserRealTimeEvent::Clear: Exception occured";
  static void CopyFixed(TUserRealTimeEvent &to, const TUserRealTimeEvent &from) {
    to.ApplicationFlag = from.ApplicationFlag;
  }
};

} // namespace statcore

std::string TEventDataUserMediaStatistics::ToString() { return statcore::RenderLine(*this); }
std::string TEventDataUserPresenceStateStatistics::ToString() {
  return statcore::RenderLine(*this);
}
std::string TEventDataUserContactStatistics::ToString() { return statcore::RenderLine(*this); }
std::string TEventDataUserCSMStatistics::ToString() { return statcore::RenderLine(*this); }

STATCORE_DEFINE_RECORD(TEventDataUserMediaStatistics)
STATCORE_DEFINE_RECORD(TEventDataUserPresenceStateStatistics)
STATCORE_DEFINE_RECORD(TEventDataUserContactStatistics)
STATCORE_DEFINE_RECORD(TEventDataUserCSMStatistics)

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
  statcore::Guarded({kSource, __LINE__},
                    "TEventDataUserRealTime::operator= exception raised.",
                    [&] { CopyGuardedFields(*this, other); });
  return *this;
}

TEventDataUserRealTime::~TEventDataUserRealTime() = default;

std::string TEventDataUserRealTime::ToString() { return statcore::RenderLine(*this); }

STATCORE_DEFINE_RECORD_OPERATORS(TEventDataUserRealTime)
STATCORE_DEFINE_WALK(TEventDataUserRealTime)

// ---------------------------------------------------------------------------------------------
// The event.

STATCORE_DEFINE_EVENT(TUserRealTimeEvent, Clear)
