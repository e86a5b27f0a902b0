// The cases of the real-time events.
#ifndef STATCLIENT_TESTS_CASES_REALTIME_H_
#define STATCLIENT_TESTS_CASES_REALTIME_H_

#include "event_fill.h"

template <class E> struct EventCase;

template <> struct EventCase<TGroupRealTimeEvent> : EventCaseBase<TGroupRealTimeEvent> {
  RELEASE_FAILS("GroupRealTime", TGroupRealTimeEvent, "Clear: Exception occured");
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.VG, r.BU, r.LoggedOnUsers, r.IdleUsers, r.AwayUsers, r.BusyUsers,
             r.HndlRoutedUsers, r.HndlDirectOnlyUsers, r.RoutedHndl, r.DirectHndl, r.PrimWaiting,
             r.OverWaiting, r.MinLoggedOnCap, r.MinAvailCap, r.MinUnavailCap, r.MinWorkCap,
             r.MaxLoggedOnCap, r.MaxAvailCap, r.MaxUnavailCap, r.MaxWorkCap);
  }
};

template <> struct EventCase<TContactRealTimeEvent> : EventCaseBase<TContactRealTimeEvent> {
  RELEASE_FAILS("ContactRealTime", TContactRealTimeEvent, "Clear: Exception occured");
  static void Fill(Record &r, long seed) {
    r.State = static_cast<TCMState::enContactState>(seed % 13 + 1);
    Distinct(-seed, r.QK, r.Priority);
    Distinct(seed, r.MT, r.TimeInState, r.WaitTime, r.VG, r.REQC, r.ResvdAK, r.BU, r.CID, r.Dest,
             r.Src, r.Desc);
  }
};

template <> struct EventCase<TCallbackRealTimeEvent> : EventCaseBase<TCallbackRealTimeEvent> {
  RELEASE_FAILS("CallbackRealTime", TCallbackRealTimeEvent, "Clear: Exception occurred");
  static void Fill(Record &r, long seed) {
    r.State = static_cast<TCMState::enContactState>(seed % 13 + 1);
    r.Origin = static_cast<short>(-seed - 2);
    Distinct(seed, r.REQC, r.BU, r.QK, r.CreatorAK, r.AttemptStatus, r.LastAK, r.AttemptsCount,
             r.TimeInState, r.WaitTime, r.CID, r.CustName, r.CustNum, r.Desc);
  }
};

template <> struct EventCase<TUserRealTimeEvent> : EventCaseBase<TUserRealTimeEvent> {
  RELEASE_FAILS("UserRealTime", TUserRealTimeEvent, "Clear: Exception occured");
  // Three contacts, so that the truncation test cuts through records nested in records. The
  // CSM list stays empty: an activity ends with a raw enumeration.
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.AK, r.BU, r.Loc, r.RSTime, r.RSReason, r.PresTime, r.PresTimeExcDC,
             r.UserHelpTime, r.Resvd, r.MinCapAvail, r.MinCapTotal, r.MinCapKey, r.MaxCapAvail,
             r.MaxCapTotal, r.MaxCapKey);
    r.Ext = "ext-" + std::to_string(seed);
    r.RS = static_cast<TpsTRoutingState::enRoutingState>(seed % 6);
    r.Pres = static_cast<TpsTPresenceState::enPresenceState>(seed % 6);
    r.PresExcDC = static_cast<TpsTPresenceState::enPresenceState>((seed + 1) % 6);
    r.GK = {seed + 16, seed + 17};

    TEventDataUserMediaStatistics media;
    media.Media = seed % 6;
    media.MediaState = static_cast<enMediaState>(seed % 4);
    Distinct(seed, media.ShftRtdHndl, media.ShftMaxRtdActiveTime, media.ShftMaxRtdNonPrimTime,
             media.ShftRtdHeldOrCnslt, media.ShftRtdHeld, media.ShftRtdCnslt, media.ShftRtdProc,
             media.ShftDirHndl, media.ShftRtdHndlPrimTime, media.ShftRtdHndlNonPrimTime,
             media.ShftRtdPostProcPrimTime, media.ShftRtdPostProcNonPrimTime,
             media.ShftDirHndlPrimTime, media.ShftDirHndlNonPrimTime);
    media.ShiftHandlingStateTimes = {Span(0, 0, 1, 2, 3), Span(0, 1, 2, 3, 4)};
    r.MediaStatistics = {media, TEventDataUserMediaStatistics()};

    TEventDataUserPresenceStateStatistics presence;
    presence.Pres = static_cast<TpsTPresenceState::enPresenceState>((seed + 2) % 6);
    presence.ShiftPresCount = seed + 20;
    Distinct(seed, presence.ShiftPresTime);
    r.PresenceStateStatistics = {presence};

    FillRows(r.ContactStatistics, 3, [seed](auto &contact, long i) {
      Distinct(seed * 10 + i, contact.REQC, contact.QK, contact.HandlingPrimTime,
               contact.PostProcPrimTime, contact.ContactPrimTime, contact.ContactNonPrimTime,
               contact.HandlingStatePrimTime, contact.HandlingStateReason);
      contact.CT = static_cast<enContactType>((seed + i) % 12);
      contact.HandlingState = static_cast<enHandlingState>((seed + i + 5) % 12);
      contact.Primary = i == 0;
      Distinct(seed * 10 + i, contact.CID, contact.AuxText);
    });
  }
};

template <> struct EventCase<TQueueRealTimeEvent> : EventCaseBase<TQueueRealTimeEvent> {
  RELEASE_FAILS("QueueRealTime", TQueueRealTimeEvent, "CleanUp: Exception occured");
  static void Fill(Record &r, long seed) {
    r.Medium = static_cast<TSMEnum::MEDIUM>(seed % 6);
    Distinct(seed, r.QK, r.BU, r.CIQ, r.CO, r.Shf.Rec, r.Shf.Ans, r.Shf.Abd, r.Shf.Red, r.Shf.RecNI,
             r.Shf.RedNO, r.Samp.OWT, r.Shf.WTAns, r.Shf.WTAbd, r.Est.WT);
    Distinct(seed, r.Samp.SL, r.Samp.AnsR, r.Samp.AbdR, r.Samp.AnsAvg, r.Samp.AbdAvg, r.Shf.SL,
             r.Shf.AR, r.Shf.AuxValue, r.Est.SL);
    r.LocalValue = static_cast<unsigned short>(seed);
  }
};

#endif // STATCLIENT_TESTS_CASES_REALTIME_H_
