// The cases of the cumulative events.
#ifndef STATCLIENT_TESTS_CASES_CUMULATIVE_H_
#define STATCLIENT_TESTS_CASES_CUMULATIVE_H_

#include "event_fill.h"

// A contact-type row with every field distinct from its default and from other seeds.
inline TEventDataUserContactTypeStatistics ContactTypeRow(long seed) {
  TEventDataUserContactTypeStatistics row;
  row.CT = static_cast<enContactType>(seed % 11 + 1);
  auto &o = row.Offered;
  auto &h = row.Handled;
  Distinct(seed, o[0], o[1], o[2], o[3], h[0], h[1], h[2], row.Abandoned[0], row.Abandoned[1],
           row.Unhandled, row.Held[0], row.Held[1], row.Held[2], row.Consulted[0], row.Consulted[1],
           row.Consulted[2], row.Disc, row.Requeued, row.Xferred, row.ReachMaxPending,
           row.Undelivered, row.Initiated, row.RecalledEM, row.DiscardedEM,
           row.MaxActiveContactsTime, row.MaxHandlingTime);
  Distinct(-seed, row.AddTalk, row.AddHeld, row.AddConsult, row.AddRing, row.AddProc,
           row.AddPostProc);
  Distinct(seed, row.TalkTime, row.HeldTime, row.ConsultTime, row.RingTime, row.PendingTime,
           row.ProcTime, row.PostProcTime, row.ActiveContactsTime);
  return row;
}

template <> struct EventCase<TUserCumulativeEvent> : EventCaseBase<TUserCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataUserCumulative";
  static constexpr const char *kReleaseFailed = "TUserCumulativeEvent::Clear: Exception occured";
  // Three contact-type rows, so that the truncation test cuts through rows nested in rows; a
  // row opens with its raw contact type and ends with a 16-bit value.
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.AK, r.DeptK, r.Loc, r.SiteK, r.BU, r.BusyCount, r.AwayCount, r.IdleCount,
             r.OtherCount);
    r.FirstLogonMedia = seed % 6;
    r.LastLogoffMedia = (seed + 1) % 6;
    auto &m = r.MaxActiveContacts;
    Distinct(-seed, r.AddBusyCount, m[0], m[1], m[2], m[3], m[4], m[5], r.PeriodTime);
    Distinct(seed, r.BusyTime, r.AwayTime, r.IdleTime, r.OtherTime, r.LogonTime, r.FirstLogonGMT,
             r.LastLogoffGMT, r.PeriodStamp);
    r.FirstLogonGMT.SetYear(static_cast<unsigned short>(2000 + seed % 100));
    r.ContactTypeStatistics = {ContactTypeRow(seed * 10), ContactTypeRow(seed * 10 + 1),
                               ContactTypeRow(seed * 10 + 2)};
  }
};

template <> struct EventCase<TQueueCumulativeEvent> : EventCaseBase<TQueueCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataQueueCumulative";
  static constexpr const char *kReleaseFailed = "TQueueCumulativeEvent::Clear: Exception occured";
  static void Fill(Record &r, long seed) {
    auto &ans = r.AnsweredInInterval;
    auto &abd = r.AbandonedInInterval;
    auto &max = r.MaxWaitTime;
    Distinct(seed, r.QK, r.SiteK, r.BU, r.Received[0], r.Received[1], r.Received[2],
             r.Redirected[0], r.Redirected[1], r.TransOOS, r.Answered[0], r.Answered[1],
             r.UnderThresholdAns, ans[0], ans[1], ans[2], ans[3], ans[4], r.Abandoned,
             r.UnderThresholdAbd, abd[0], abd[1], abd[2], abd[3], abd[4], max[0], max[1], max[2],
             max[3], r.Emails[0], r.Emails[1], r.Waiting[0], r.Waiting[1], r.Waiting[2],
             r.Waiting[3], r.Overflows[0], r.Overflows[1], r.Overflows[2]);
    r.SLF = static_cast<unsigned short>(65535 - seed);
    Distinct(-seed, r.AddCountsContacts, r.AddCountsContactsPP, r.AddCountsHandled,
             r.AddCountsEMDefer, r.AddCountsEMConOut, r.PeriodTime);
    Distinct(seed, r.WaitTime[0], r.WaitTime[1], r.WaitTime[2], r.WaitTime[3], r.EmailsTime[0],
             r.EmailsTime[1], r.ContactsTime[0], r.ContactsTime[1], r.UsersInvolvedTime[0],
             r.UsersInvolvedTime[1], r.PeriodStamp);
  }
};

template <> struct EventCase<TGroupCumulativeEvent> : EventCaseBase<TGroupCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataGroupCumulative";
  static constexpr const char *kReleaseFailed = "TGroupCumulativeEvent::Clear: Exception occured";
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.GK, r.SiteK, r.BU, r.RT, r.Recv[0], r.Recv[1], r.Recv[2], r.Offered[0],
             r.Offered[1], r.Consulted[0], r.Consulted[1], r.Transferred[0], r.Transferred[1],
             r.Waiting[0], r.Waiting[1], r.LoggedOn[0], r.LoggedOn[1]);
    Distinct(seed, r.TotalLogonTime, r.PeriodStartGMT);
    r.PeriodTime = static_cast<short>(-seed);
  }
};

template <>
struct EventCase<TMonitoredDestinationCumulativeEvent>
    : EventCaseBase<TMonitoredDestinationCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataDestinationCumulative";
  static constexpr const char *kReleaseFailed =
      "TMonitoredDestinationCumulativeEvent::Clear: Exception occured";
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.QK, r.SiteK, r.BU, r.Recv[0], r.Recv[1], r.Ans, r.Abd, r.ReDirect[0],
             r.ReDirect[1], r.Disconnected, r.ReQ, r.Interval[0], r.Interval[1], r.AutoHandledEmail,
             r.Addi[0], r.Addi[1]);
    Distinct(seed, r.TotalTime[0], r.TotalTime[1], r.TotalTime[2], r.PeriodStartGMT);
    r.Period = static_cast<short>(-seed);
  }
};

template <>
struct EventCase<TRoutingStateCumulativeEvent> : EventCaseBase<TRoutingStateCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataRoutingStateCumulative";
  static constexpr const char *kReleaseFailed =
      "TRoutingStateCumulativeEvent::Clear: Exception occured";
  // Two routing states, so that the truncation test cuts through rows nested in rows.
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.AK, r.DeptK, r.BU, r.Loc, r.SiteK);
    Distinct(seed, r.PeriodStamp);
    FillRows(r.RoutingStateStatistics, 2, [seed](auto &state, long i) {
      Distinct(seed * 10 + i, state.RSKey, state.RCount, state.PresCount);
      Distinct(-(seed * 10 + i), state.AddRCount, state.AddPresCount);
      state.Pres = static_cast<TpsTPresenceState::enPresenceState>((seed + i) % 5);
      Distinct(seed * 10 + i, state.RDur, state.PresDur);
    });
  }
};

template <>
struct EventCase<TPostProcessingCumulativeEvent> : EventCaseBase<TPostProcessingCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataPostProcessingCumulative";
  static constexpr const char *kReleaseFailed =
      "TPostProcessingCumulativeEvent::Clear: Exception occured";
  // Two reasons, so that the truncation test cuts through rows nested in rows.
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.AK, r.DeptK, r.BU, r.Loc, r.SiteK);
    Distinct(seed, r.PeriodStamp);
    FillRows(r.ReasonStatistics, 2, [seed](auto &reason, long i) {
      Distinct(seed * 10 + i, reason.ReasonK, reason.Count, reason.AddCount);
      Distinct(seed * 10 + i, reason.Dur);
    });
  }
};

template <>
struct EventCase<TContactResultsCumulativeEvent> : EventCaseBase<TContactResultsCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataContactResultsCumulative";
  static constexpr const char *kReleaseFailed =
      "TContactResultsCumulativeEvent::Clear: Exception occured";
  // Two result rows, so that the truncation test cuts through rows nested in rows.
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.AK, r.DeptK, r.Loc, r.SiteK, r.BU);
    Distinct(-seed, r.LocTZOffset, r.SiteTZOffset, r.PeriodTime);
    Distinct(seed, r.PeriodStartGMT);
    FillRows(r.ContactResultsStatistics, 2, [seed](auto &result, long i) {
      Distinct(seed * 10 + i, result.QK, result.ReasonK, result.Count);
    });
  }
};

template <> struct EventCase<TCallbackCumulativeEvent> : EventCaseBase<TCallbackCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataCallbackCumulative";
  static constexpr const char *kReleaseFailed =
      "TCallbackCumulativeEvent::Clear: Exception occurred";
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.CallOrigin, r.QueueK, r.SiteK, r.BU, r.Callback, r.RequeuedBefore, r.Tries,
             r.Successful, r.Deleted, r.MaxRetry, r.ScheduledExpired, r.Attempts,
             r.AttemptsMoreThanOnce, r.Requeued, r.TimedOut, r.AddCounts[0], r.AddCounts[1]);
    Distinct(seed, r.ContactsTime[0], r.ContactsTime[1], r.PeriodStamp);
    r.PeriodTime = static_cast<short>(-seed);
  }
};

template <>
struct EventCase<TCDComponentCumulativeEvent> : EventCaseBase<TCDComponentCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataCDComponentCumulative";
  static constexpr const char *kReleaseFailed =
      "TCDComponentCumulativeEvent::Clear: Exception occured";
  static void Fill(Record &r, long seed) {
    auto &key = r.MenuExitKey;
    Distinct(seed, r.nodeKey, r.SiteK, r.BU, r.Invoked, r.Abandoned, key[0], key[1], key[2], key[3],
             key[4], key[5], key[6], key[7], key[8], key[9], r.MenuExitKeyStar, r.MenuEixtKeyPound,
             r.NoEntryExit, r.ErrorExit, r.NormalExit, r.FastPathExit, r.NavigationExit,
             r.InProgressStart, r.InProgressEnd, r.OperatorCount, r.Repeat, r.Help, r.PreviousStep,
             r.RootStep);
    Distinct(seed, r.TotalTime, r.PeriodStamp);
    r.period = static_cast<short>(-seed);
  }
};

template <> struct EventCase<TWorkFlowCumulativeEvent> : EventCaseBase<TWorkFlowCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataWorkFlowCumulative";
  static constexpr const char *kReleaseFailed =
      "TWorkFlowCumulativeEvent::Clear: Exception occured";
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.FlowKey, r.SiteK, r.BU, r.Recevived, r.Answered, r.Abandoned, r.Transeferred,
             r.TransferredToIVR, r.SystemDisconnected, r.LinkedOut, r.EnQueued,
             r.EnQueuedToErrorQueue, r.AutoResponeded, r.InProgressStart, r.InProgressEnd);
    Distinct(seed, r.TotalTime, r.PeriodStamp);
    r.period = static_cast<short>(-seed);
  }
};

#endif // STATCLIENT_TESTS_CASES_CUMULATIVE_H_
