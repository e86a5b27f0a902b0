// The row layouts of the cumulative rows (see row_layout.h).
#include "row_layout.h"

// No braces; LoggedOn travels Min, Max and is shown Max, Min; the period's start travels whole
// and shows only its time of day; PeriodTime is 16 bits and signed.
template <> struct RowCase<TEventDataGroupCumulative> : FilledBy<TGroupCumulativeEvent> {
  static void Wire(TPack &p) {
    PackCounts(p, 101, 117);
    PackSpan(p, 61, 1);
    p << Nth(2) << short{-1};
  }
  static constexpr const char *kFilled =
      "GK:101, SiteK:102, BU:103, RT:104, Recv[Prim,Over,RHOE]:[105,106,107], "
      "Offered[Prim,Over]:[108,109], Consulted[Prim,Over]:[110,111], "
      "Transferred[Prim,Over]:[112,113], Waiting[Begin,End]:[114,115], "
      "LoggedOn[Max,Min]:[117,116], TotalLogonTime:00:01:01.001, PeriodStartGMT:00:01:02.002, "
      "PeriodTime:-1";
};

// The counts travel in table order, Addi before the TotalTime durations; the text shows the
// single counts first and TotalTime before Addi.
template <>
struct RowCase<TEventDataDestinationCumulative> : FilledBy<TMonitoredDestinationCumulativeEvent> {
  static void Wire(TPack &p) {
    PackCounts(p, 101, 116);
    PackSpans(p, 1, 3);
    p << Nth(4) << short{-1};
  }
  static constexpr const char *kFilled =
      "{QK:101, SiteK:102, BU:103, Ans:106, Abd:107, Disconnected:110, ReQ:111, "
      "AutoHandledEmail:114, Recv[All,NetIn]:[104,105], ReDirect[OOS,NetOut]:[108,109], "
      "Interval[Start,End]:[112,113], "
      "TotalTime[Wait,Contact,PostP]:[00:01:01.001,00:01:02.002,00:01:03.003], "
      "Addi[Contact,PostP]:[115,116], PeriodStartGMT:00:01:04.004, Period:-1}";
};

// AddCounts are 32-bit and travel before ContactsTime, which the text shows first; PeriodStamp
// travels whole and is not shown.
template <> struct RowCase<TEventDataCallbackCumulative> : FilledBy<TCallbackCumulativeEvent> {
  static void Wire(TPack &p) {
    PackCounts(p, 101, 117);
    PackSpans(p, 1, 2);
    p << Nth(3) << short{-1};
  }
  static constexpr const char *kFilled =
      "{CallOrigin:101, QueueK:102, SiteK:103, BU:104, Callback:105, RequeuedBefore:106, "
      "Tries:107, Successful:108, Deleted:109, MaxRetry:110, ScheduledExpired:111, "
      "Attempts:112, AttemptsMoreThanOnce:113, Requeued:114, TimedOut:115, "
      "ContactsTime[Tot,PostP]:[00:01:01.001,00:01:02.002], "
      "AddCounts[Contacts,ContactsPP]:[116,117], PeriodTime:-1}";
};

// The menu keys travel directly after Abandoned although declared after RootStep; TotalTime
// travels after RootStep and shows after NavigationExit; PeriodStamp travels whole, unshown.
template <>
struct RowCase<TEventDataCDComponentCumulative> : FilledBy<TCDComponentCumulativeEvent> {
  static void Wire(TPack &p) {
    PackCounts(p, 101, 129);
    PackSpan(p, 61, 1);
    p << Nth(2) << short{-1};
  }
  static constexpr const char *kFilled =
      "{nodeKey:101, SiteK:102, BU:103, Invoked: 104, Abandoned: 105, "
      "MenuExitKey[0,1,2,3,4,5,6,7,8,9]: [106, 107, 108, 109, 110, 111, 112, 113, 114, 115], "
      "MenuExitKeyStar: 116, MenuEixtKeyPound: 117, NoEntryExit: 118, ErrorExit: 119, "
      "NormalExit: 120, FastPathExit: 121, NavigationExit: 122, TotalTime: 00:01:01.001, "
      "InProgressStart: 123, InProgressEnd: 124, OperatorCount: 125, Repeat: 126, Help: 127, "
      "PreviousStep: 128, RootStep: 129, period:-1}";
};

// TotalTime travels after InProgressEnd and shows before InProgressStart; PeriodStamp travels
// whole and is not shown.
template <> struct RowCase<TEventDataWorkFlowCumulative> : FilledBy<TWorkFlowCumulativeEvent> {
  static void Wire(TPack &p) {
    PackCounts(p, 101, 115);
    PackSpan(p, 61, 1);
    p << Nth(2) << short{-1};
  }
  static constexpr const char *kFilled =
      "{FlowKey:101, SiteK:102, BU:103, Recevived: 104, Answered: 105, Abandoned: 106, "
      "Transeferred: 107, TransferredToIVR: 108, SystemDisconnected: 109, LinkedOut: 110, "
      "EnQueued: 111, EnQueuedToErrorQueue: 112, AutoResponeded: 113, TotalTime: 00:01:01.001, "
      "InProgressStart: 114, InProgressEnd: 115, period:-1}";
};

// AddCounts and UnderThreshold travel apart from their groups; SLF is unsigned.
template <> struct RowCase<TEventDataQueueCumulative> : FilledBy<TQueueCumulativeEvent> {
  static void Wire(TPack &p) {
    PackCounts(p, 101, 103);
    p << static_cast<unsigned short>(65534);
    PackCounts(p, 104, 124); // UnderThreshold [Ans] is 112, [Abd] 119
    PackSpans(p, 1, 4);
    PackCounts(p, 125, 130);
    p << short{-96} << short{-95};
    PackSpans(p, 5, 6);
    PackCounts(p, 131, 137);
    PackSpans(p, 7, 8);
    p << short{-99} << short{-98};
    PackSpans(p, 9, 10);
    p << short{-97} << Nth(11) << short{-94};
  }
  static constexpr const char *kFilled =
      "{QK:101, SiteK:102, BU:103, SLF:65534, Received[All,Req,NetIn]:[104,105,106], "
      "Answered[Prim,Over]:[110,111], Abandoned:118, Redirected[OOS,NetOut]:[107,108], "
      "TransOOS:109, UnderThreshold[Ans,Abd]:[112,119], "
      "AnsweredInInterval[1,2,3,4,5]:[113,114,115,116,117], "
      "AbandonedInInterval[1,2,3,4,5]:[120,121,122,123,124], Overflows[Cur,Max,Min]:[135,136,137], "
      "Waiting[Begin,End,Max,Min]:[131,132,133,134], "
      "WaitTime[Tot,Ans,Abd,Red]:[00:01:01.001,00:01:02.002,00:01:03.003,00:01:04.004], "
      "MaxWaitTime[Max,Ans,Abd,Red]:[125,126,127,128], Emails[Defer,ConOut]:[129,130], "
      "EmailsTime[Defer,ConOut]:[00:01:05.005,00:01:06.006], "
      "ContactsTime[Tot,PostP]:[00:01:07.007,00:01:08.008], "
      "UsersInvolvedTime[Tot,PostP]:[00:01:09.009,00:01:10.010], "
      "AddCounts[Contacts,ContactsPP,Handled,EMDefer,EMConOut]:[-99,-98,-97,-96,-95], "
      "PeriodTime:-94}";
};

// Seed 0; the raw contact type leads as an int32; Held and Consulted are shown before Abandoned,
// the 16-bit Add counts before the durations.
template <> struct RowCase<TEventDataUserContactTypeStatistics> {
  static void Fill(TEventDataUserContactTypeStatistics &row) { row = ContactTypeRow(0); }
  static void Wire(TPack &p) {
    p << 1;
    PackCounts(p, 1, 24);
    for (long seconds = 1; seconds <= 8; ++seconds)
      PackSpan(p, seconds, static_cast<unsigned short>(seconds));
    p << 25L << 26L;
    for (short value = 1; value <= 6; ++value)
      p << value;
  }
  static constexpr const char *kDefault =
      "{CT:None, Offered[Prim,Over,Other,Resvd]:[0,0,0,0], Handled[Prim,Over,Other]:[0,0,0], "
      "Held[Prim,Over,Other]:[0,0,0], Consulted[Prim,Over,Other]:[0,0,0], "
      "Abandoned[Prim,Over]:[0,0], Unhandled:0, Disc:0, Requeued:0, Xferred:0, ReachMaxPending:0, "
      "Undelivered:0, Initiated:0, RecalledEM:0, DiscardedEM:0, AddTalk:0, AddHeld:0, "
      "AddConsult:0, AddRing:0, AddProc:0, AddPostProc:0, TalkTime:00:00:00.000, "
      "HeldTime:00:00:00.000, ConsultTime:00:00:00.000, RingTime:00:00:00.000, "
      "PendingTime:00:00:00.000, ProcTime:00:00:00.000, PostProcTime:00:00:00.000, "
      "ActiveContactsTime:00:00:00.000, MaxActiveContactsTime:0, MaxHandlingTime:0}";
  static constexpr const char *kFilled =
      "{CT:Routed Voice, Offered[Prim,Over,Other,Resvd]:[1,2,3,4], "
      "Handled[Prim,Over,Other]:[5,6,7], Held[Prim,Over,Other]:[11,12,13], "
      "Consulted[Prim,Over,Other]:[14,15,16], Abandoned[Prim,Over]:[8,9], Unhandled:10, "
      "Disc:17, Requeued:18, Xferred:19, ReachMaxPending:20, Undelivered:21, Initiated:22, "
      "RecalledEM:23, DiscardedEM:24, AddTalk:1, AddHeld:2, AddConsult:3, AddRing:4, "
      "AddProc:5, AddPostProc:6, TalkTime:00:00:01.001, HeldTime:00:00:02.002, "
      "ConsultTime:00:00:03.003, RingTime:00:00:04.004, PendingTime:00:00:05.005, "
      "ProcTime:00:00:06.006, PostProcTime:00:00:07.007, ActiveContactsTime:00:00:08.008, "
      "MaxActiveContactsTime:25, MaxHandlingTime:26}";
};

// A day-long busy time (its hours show alone) and a first logon with a date; AddBusyCount
// travels before BusyTime; the third and fourth MaxActiveContacts show swapped; PeriodStamp
// travels before PeriodTime and is not shown, nor are the contact-type rows.
template <> struct RowCase<TEventDataUserCumulative> : FilledBy<TUserCumulativeEvent> {
  static void Fill(TEventDataUserCumulative &row) {
    FilledBy::Fill(row);
    row.BusyTime = Span(1, 1, 1, 1, 5);
    row.FirstLogonGMT = PeriodInstant();
  }
  static void Wire(TPack &p) {
    PackCounts(p, 101, 106);
    p << short{-99};
    PackSpan(p, 90061, 5);
    p << 107L;
    PackSpans(p, 2, 2);
    p << 108L;
    PackSpans(p, 3, 3);
    p << 109L;
    PackSpans(p, 4, 5);
    p << 1L << 2L << PeriodInstant() << Nth(7);
    for (short value = -98; value <= -93; ++value)
      p << value;
    p << Nth(8) << short{-92} << 3 << ContactTypeRow(10) << ContactTypeRow(11)
      << ContactTypeRow(12);
  }
  static constexpr const char *kDefault =
      "{AK:0, DeptK:0, Loc:0, SiteK:0, BU:0, IdleCount:0, IdleTime:00:00:00.000, AwayCount:0, "
      "AwayTime:00:00:00.000, BusyCount:0, BusyTime:00:00:00.000, AddBusyCount:0, OtherCount:0, "
      "OtherTime:00:00:00.000, LogonTime:00:00:00.000, PeriodTime:0, FirstLogonMedia:None, "
      "FirstLogonGMT:0000/00/00 00:00:00.000, LastLogoffMedia:None, "
      "LastLogoffGMT:0000/00/00 00:00:00.000, MaxActiveContacts[All,V,CB,EM,WC,OM]:[0,0,0,0,0,0]}";
  static constexpr const char *kFilled =
      "{AK:101, DeptK:102, Loc:103, SiteK:104, BU:105, IdleCount:108, IdleTime:00:01:03.003, "
      "AwayCount:107, AwayTime:00:01:02.002, BusyCount:106, BusyTime:01:01:01.005, "
      "AddBusyCount:-99, OtherCount:109, OtherTime:00:01:04.004, LogonTime:00:01:05.005, "
      "PeriodTime:-92, FirstLogonMedia:Voice, FirstLogonGMT:2024/05/06 08:30:15.250, "
      "LastLogoffMedia:Callback, LastLogoffGMT:0000/00/00 00:01:07.007, "
      "MaxActiveContacts[All,V,CB,EM,WC,OM]:[-98,-97,-95,-96,-94,-93]}";
};

// The three rows that open with the user keys: BU is declared last of them but travels and
// shows third (the fill lists the keys in that order); the sub-rows follow as an int32 count
// and are not shown. Seed 10 for the first sub-row, 11 for the second.
template <>
struct RowCase<TEventDataContactResultsStatistics>
    : FirstOf<TContactResultsCumulativeEvent,
              &TEventDataContactResultsCumulative::ContactResultsStatistics> {
  static void Wire(TPack &p) { PackCounts(p, 1001, 1003); }
  static constexpr const char *kFilled = "{QK:1001, ReasonK:1002, Count:1003}";
};

// The offsets are signed 16-bit; the period's start shows its time of day after a blank.
template <>
struct RowCase<TEventDataContactResultsCumulative> : FilledBy<TContactResultsCumulativeEvent> {
  static void Fill(TEventDataContactResultsCumulative &row) {
    FilledBy::Fill(row);
    row.PeriodStartGMT = PeriodInstant();
  }
  static void Wire(TPack &p) {
    p << 101L << 102L << 105L << 103L << 104L << short{-99} << short{-98} << PeriodInstant()
      << short{-97} << 2;
    PackCounts(p, 1001, 1003);
    PackCounts(p, 1101, 1103);
  }
  static constexpr const char *kFilled =
      "{AK:101, DeptK:102, BU:105, Loc:103, SiteK:104, LocTZOffset:-99, SiteTZOffset:-98, "
      "PeriodStartGMT: 08:30:15.250, PeriodTime:-97}";
};

// AddCount travels before Dur and shows after it.
template <>
struct RowCase<TEventDataPostProcessingReasonStatistics>
    : FirstOf<TPostProcessingCumulativeEvent,
              &TEventDataPostProcessingCumulative::ReasonStatistics> {
  static void Wire(TPack &p) {
    PackCounts(p, 1001, 1003);
    PackSpan(p, 601, 1);
  }
  static constexpr const char *kFilled =
      "{ReasonK:1001, Count:1002, Dur:00:10:01.001, AddCount:1003}";
};

// The keys only.
template <>
struct RowCase<TEventDataPostProcessingCumulative> : FilledBy<TPostProcessingCumulativeEvent> {
  static void Wire(TPack &p) {
    PackCounts(p, 101, 105);
    p << Nth(1) << 2;
    RowCase<TEventDataPostProcessingReasonStatistics>::Wire(p);
    PackCounts(p, 1101, 1103);
    PackSpan(p, 661, 1);
  }
  static constexpr const char *kFilled = "{AK:101, DeptK:102, BU:103, Loc:104, SiteK:105}";
};

// RDur travels seventh and shows third; the presence state shows as its number.
template <>
struct RowCase<TEventDataRoutingStateStatistics>
    : FirstOf<TRoutingStateCumulativeEvent,
              &TEventDataRoutingStateCumulative::RoutingStateStatistics> {
  static void Wire(TPack &p) {
    p << 1001L << 1002L << short{-999} << TpsTPresenceState::PRESENCE_AVAILABLE << 1003L
      << short{-998};
    PackSpan(p, 601, 1);
    PackSpan(p, 602, 2);
  }
  static constexpr const char *kDefault =
      "{RSKey:0, RCount:0, RDur:00:00:00.000, AddRCount:0, Pres:5, PresCount:0, "
      "PresDur:00:00:00.000, AddPresCount:0}";
  static constexpr const char *kFilled =
      "{RSKey:1001, RCount:1002, RDur:00:10:01.001, AddRCount:-999, Pres:1, PresCount:1003, "
      "PresDur:00:10:02.002, AddPresCount:-998}";
};

// The keys only, without braces.
template <>
struct RowCase<TEventDataRoutingStateCumulative> : FilledBy<TRoutingStateCumulativeEvent> {
  static void Wire(TPack &p) {
    PackCounts(p, 101, 105);
    p << Nth(1) << 2;
    RowCase<TEventDataRoutingStateStatistics>::Wire(p);
    p << 1101L << 1102L << short{-1099} << TpsTPresenceState::PRESENCE_BUSY << 1103L
      << short{-1098};
    PackSpan(p, 661, 1);
    PackSpan(p, 662, 2);
  }
  static constexpr const char *kFilled = "AK:101, DeptK:102, BU:103, Loc:104, SiteK:105";
};

using Rows =
    ::testing::Types<TEventDataGroupCumulative, TEventDataDestinationCumulative,
                     TEventDataCallbackCumulative, TEventDataCDComponentCumulative,
                     TEventDataWorkFlowCumulative, TEventDataQueueCumulative,
                     TEventDataUserContactTypeStatistics, TEventDataUserCumulative,
                     TEventDataContactResultsStatistics, TEventDataContactResultsCumulative,
                     TEventDataPostProcessingReasonStatistics, TEventDataPostProcessingCumulative,
                     TEventDataRoutingStateStatistics, TEventDataRoutingStateCumulative>;
INSTANTIATE_TYPED_TEST_SUITE_P(Cumulative, RowLayout, Rows, );
