// The cases of the cumulative events.
#ifndef STATCLIENT_TESTS_CASES_CUMULATIVE_H_
#define STATCLIENT_TESTS_CASES_CUMULATIVE_H_

#include "event_fill.h"

// A contact-type row with every field distinct from its default and from other seeds.
inline TEventDataUserContactTypeStatistics ContactTypeRow(long seed) {
  TEventDataUserContactTypeStatistics row;
  row.CT = static_cast<enContactType>(seed % 11 + 1);
  Distinct(seed, row.Offered, row.Handled, row.Abandoned, row.Unhandled, row.Held, row.Consulted,
           row.Disc, row.Requeued, row.Xferred, row.ReachMaxPending, row.Undelivered, row.Initiated,
           row.RecalledEM, row.DiscardedEM, row.MaxActiveContactsTime, row.MaxHandlingTime,
           row.TalkTime, row.HeldTime, row.ConsultTime, row.RingTime, row.PendingTime, row.ProcTime,
           row.PostProcTime, row.ActiveContactsTime);
  Distinct(-seed, row.AddTalk, row.AddHeld, row.AddConsult, row.AddRing, row.AddProc,
           row.AddPostProc);
  return row;
}

template <> struct EventCase<TUserCumulativeEvent> : EventCaseBase<TUserCumulativeEvent> {
  RELEASE_FAILS("UserCumulative", TUserCumulativeEvent, "Clear: Exception occured");
  // Three contact-type rows, so that the truncation test cuts through rows nested in rows; a
  // row opens with its raw contact type and ends with a 16-bit value.
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.AK, r.DeptK, r.Loc, r.SiteK, r.BU, r.BusyCount, r.AwayCount, r.IdleCount,
             r.OtherCount, r.BusyTime, r.AwayTime, r.IdleTime, r.OtherTime, r.LogonTime,
             r.FirstLogonGMT, r.LastLogoffGMT, r.PeriodStamp);
    r.FirstLogonMedia = seed % 6;
    r.LastLogoffMedia = (seed + 1) % 6;
    Distinct(-seed, r.AddBusyCount, r.MaxActiveContacts, r.PeriodTime);
    r.FirstLogonGMT.SetYear(static_cast<unsigned short>(2000 + seed % 100));
    r.ContactTypeStatistics = {ContactTypeRow(seed * 10), ContactTypeRow(seed * 10 + 1),
                               ContactTypeRow(seed * 10 + 2)};
  }
};

template <> struct EventCase<TQueueCumulativeEvent> : EventCaseBase<TQueueCumulativeEvent> {
  RELEASE_FAILS("QueueCumulative", TQueueCumulativeEvent, "Clear: Exception occured");
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.QK, r.SiteK, r.BU, r.Received, r.Redirected, r.TransOOS, r.Answered,
             r.UnderThresholdAns, r.AnsweredInInterval, r.Abandoned, r.UnderThresholdAbd,
             r.AbandonedInInterval, r.MaxWaitTime, r.Emails, r.Waiting, r.Overflows, r.WaitTime,
             r.EmailsTime, r.ContactsTime, r.UsersInvolvedTime, r.PeriodStamp);
    r.SLF = static_cast<unsigned short>(65535 - seed);
    Distinct(-seed, r.AddCountsContacts, r.AddCountsContactsPP, r.AddCountsHandled,
             r.AddCountsEMDefer, r.AddCountsEMConOut, r.PeriodTime);
  }
};

template <> struct EventCase<TGroupCumulativeEvent> : EventCaseBase<TGroupCumulativeEvent> {
  RELEASE_FAILS("GroupCumulative", TGroupCumulativeEvent, "Clear: Exception occured");
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.GK, r.SiteK, r.BU, r.RT, r.Recv, r.Offered, r.Consulted, r.Transferred,
             r.Waiting, r.LoggedOn, r.TotalLogonTime, r.PeriodStartGMT);
    r.PeriodTime = static_cast<short>(-seed);
  }
};

template <>
struct EventCase<TMonitoredDestinationCumulativeEvent>
    : EventCaseBase<TMonitoredDestinationCumulativeEvent> {
  RELEASE_FAILS("DestinationCumulative", TMonitoredDestinationCumulativeEvent,
                "Clear: Exception occured");
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.QK, r.SiteK, r.BU, r.Recv, r.Ans, r.Abd, r.ReDirect, r.Disconnected, r.ReQ,
             r.Interval, r.AutoHandledEmail, r.Addi, r.TotalTime, r.PeriodStartGMT);
    r.Period = static_cast<short>(-seed);
  }
};

template <>
struct EventCase<TRoutingStateCumulativeEvent> : EventCaseBase<TRoutingStateCumulativeEvent> {
  RELEASE_FAILS("RoutingStateCumulative", TRoutingStateCumulativeEvent, "Clear: Exception occured");
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.AK, r.DeptK, r.BU, r.Loc, r.SiteK, r.PeriodStamp);
    FillRows(r.RoutingStateStatistics, 2, [seed](auto &state, long i) {
      Distinct(seed * 10 + i, state.RSKey, state.RCount, state.PresCount, state.RDur,
               state.PresDur);
      Distinct(-(seed * 10 + i), state.AddRCount, state.AddPresCount);
      state.Pres = static_cast<TpsTPresenceState::enPresenceState>((seed + i) % 5);
    });
  }
};

template <>
struct EventCase<TPostProcessingCumulativeEvent> : EventCaseBase<TPostProcessingCumulativeEvent> {
  RELEASE_FAILS("PostProcessingCumulative", TPostProcessingCumulativeEvent,
                "Clear: Exception occured");
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.AK, r.DeptK, r.BU, r.Loc, r.SiteK, r.PeriodStamp);
    FillRows(r.ReasonStatistics, 2, [seed](auto &reason, long i) {
      Distinct(seed * 10 + i, reason.ReasonK, reason.Count, reason.AddCount, reason.Dur);
    });
  }
};

template <>
struct EventCase<TContactResultsCumulativeEvent> : EventCaseBase<TContactResultsCumulativeEvent> {
  RELEASE_FAILS("ContactResultsCumulative", TContactResultsCumulativeEvent,
                "Clear: Exception occured");
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.AK, r.DeptK, r.Loc, r.SiteK, r.BU, r.PeriodStartGMT);
    Distinct(-seed, r.LocTZOffset, r.SiteTZOffset, r.PeriodTime);
    FillRows(r.ContactResultsStatistics, 2, [seed](auto &result, long i) {
      Distinct(seed * 10 + i, result.QK, result.ReasonK, result.Count);
    });
  }
};

template <> struct EventCase<TCallbackCumulativeEvent> : EventCaseBase<TCallbackCumulativeEvent> {
  RELEASE_FAILS("CallbackCumulative", TCallbackCumulativeEvent, "Clear: Exception occurred");
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.CallOrigin, r.QueueK, r.SiteK, r.BU, r.Callback, r.RequeuedBefore, r.Tries,
             r.Successful, r.Deleted, r.MaxRetry, r.ScheduledExpired, r.Attempts,
             r.AttemptsMoreThanOnce, r.Requeued, r.TimedOut, r.AddCounts, r.ContactsTime,
             r.PeriodStamp);
    r.PeriodTime = static_cast<short>(-seed);
  }
};

template <>
struct EventCase<TCDComponentCumulativeEvent> : EventCaseBase<TCDComponentCumulativeEvent> {
  RELEASE_FAILS("CDComponentCumulative", TCDComponentCumulativeEvent, "Clear: Exception occured");
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.nodeKey, r.SiteK, r.BU, r.Invoked, r.Abandoned, r.MenuExitKey,
             r.MenuExitKeyStar, r.MenuEixtKeyPound, r.NoEntryExit, r.ErrorExit, r.NormalExit,
             r.FastPathExit, r.NavigationExit, r.InProgressStart, r.InProgressEnd, r.OperatorCount,
             r.Repeat, r.Help, r.PreviousStep, r.RootStep, r.TotalTime, r.PeriodStamp);
    r.period = static_cast<short>(-seed);
  }
};

template <> struct EventCase<TWorkFlowCumulativeEvent> : EventCaseBase<TWorkFlowCumulativeEvent> {
  RELEASE_FAILS("WorkFlowCumulative", TWorkFlowCumulativeEvent, "Clear: Exception occured");
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.FlowKey, r.SiteK, r.BU, r.Recevived, r.Answered, r.Abandoned, r.Transeferred,
             r.TransferredToIVR, r.SystemDisconnected, r.LinkedOut, r.EnQueued,
             r.EnQueuedToErrorQueue, r.AutoResponeded, r.InProgressStart, r.InProgressEnd,
             r.TotalTime, r.PeriodStamp);
    r.period = static_cast<short>(-seed);
  }
};

#endif // STATCLIENT_TESTS_CASES_CUMULATIVE_H_
