// Default text, filled text and wire order of the row classes whose fields are all fixed width,
// with the typed event suite's fill (event_fill.h), for seed 1 unless a case says otherwise: the
// integers 101, 102, ... in the order the fill lists them (pack order), the durations and points
// in time 00:01:01.001, 00:01:02.002, ... and a 16-bit period of -1. The bytes show where each
// field travels, the text where it shows.
#include <string>

#include <gtest/gtest.h>

#include "cumulative_checks.h"
#include "event_cases.h"

namespace {

// The n-th time value of the fill.
TTimeStamp Nth(unsigned short n) { return Span(0, 0, 1, n, n); }

void PackCounts(TPack &p, long first, long last) {
  for (long value = first; value <= last; ++value)
    p << value;
}

// A row: how it is filled, its bytes after the fill and its texts.
template <class Row> struct RowCase;

template <class Event, long kSeed = 1> struct FilledBy {
  static void Fill(RecordOf<Event> &row) { EventCase<Event>::Fill(row, kSeed); }
};

template <> struct RowCase<TEventDataGroupRealTime> : FilledBy<TGroupRealTimeEvent> {
  static void Wire(TPack &p) { PackCounts(p, 101, 120); }
  static constexpr const char *kDefault =
      "{VG:0, BU:0, LoggedOnUsers:0, IdleUsers:0, AwayUsers:0, BusyUsers:0, HndlRoutedUsers:0, "
      "HndlDirectOnlyUsers:0, RoutedHndl:0, DirectHndl:0, PrimWaiting:0, OverWaiting:0, "
      "MinLoggedOnCap:0, MinAvailCap:0, MinUnavailCap:0, MinWorkCap:0, MaxLoggedOnCap:0, "
      "MaxAvailCap:0, MaxUnavailCap:0, MaxWorkCap:0}";
  static constexpr const char *kFilled =
      "{VG:101, BU:102, LoggedOnUsers:103, IdleUsers:104, AwayUsers:105, BusyUsers:106, "
      "HndlRoutedUsers:107, HndlDirectOnlyUsers:108, RoutedHndl:109, DirectHndl:110, "
      "PrimWaiting:111, OverWaiting:112, MinLoggedOnCap:113, MinAvailCap:114, "
      "MinUnavailCap:115, MinWorkCap:116, MaxLoggedOnCap:117, MaxAvailCap:118, "
      "MaxUnavailCap:119, MaxWorkCap:120}";
};

// No braces; LoggedOn travels Min, Max and is shown Max, Min; the period's start travels whole
// and shows only its time of day; PeriodTime is 16 bits and signed.
template <> struct RowCase<TEventDataGroupCumulative> : FilledBy<TGroupCumulativeEvent> {
  static void Wire(TPack &p) {
    PackCounts(p, 101, 117);
    PackSpan(p, 61, 1);
    p << Nth(2) << short{-1};
  }
  static constexpr const char *kDefault =
      "GK:0, SiteK:0, BU:0, RT:0, Recv[Prim,Over,RHOE]:[0,0,0], Offered[Prim,Over]:[0,0], "
      "Consulted[Prim,Over]:[0,0], Transferred[Prim,Over]:[0,0], Waiting[Begin,End]:[0,0], "
      "LoggedOn[Max,Min]:[0,0], TotalLogonTime:00:00:00.000, PeriodStartGMT:00:00:00.000, "
      "PeriodTime:0";
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
    PackSpan(p, 61, 1);
    PackSpan(p, 62, 2);
    PackSpan(p, 63, 3);
    p << Nth(4) << short{-1};
  }
  static constexpr const char *kDefault =
      "{QK:0, SiteK:0, BU:0, Ans:0, Abd:0, Disconnected:0, ReQ:0, AutoHandledEmail:0, "
      "Recv[All,NetIn]:[0,0], ReDirect[OOS,NetOut]:[0,0], Interval[Start,End]:[0,0], "
      "TotalTime[Wait,Contact,PostP]:[00:00:00.000,00:00:00.000,00:00:00.000], "
      "Addi[Contact,PostP]:[0,0], PeriodStartGMT:00:00:00.000, Period:0}";
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
    PackSpan(p, 61, 1);
    PackSpan(p, 62, 2);
    p << Nth(3) << short{-1};
  }
  static constexpr const char *kDefault =
      "{CallOrigin:0, QueueK:0, SiteK:0, BU:0, Callback:0, RequeuedBefore:0, Tries:0, "
      "Successful:0, Deleted:0, MaxRetry:0, ScheduledExpired:0, Attempts:0, "
      "AttemptsMoreThanOnce:0, Requeued:0, TimedOut:0, "
      "ContactsTime[Tot,PostP]:[00:00:00.000,00:00:00.000], AddCounts[Contacts,ContactsPP]:[0,0], "
      "PeriodTime:0}";
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
  static constexpr const char *kDefault =
      "{nodeKey:0, SiteK:0, BU:0, Invoked: 0, Abandoned: 0, "
      "MenuExitKey[0,1,2,3,4,5,6,7,8,9]: [0, 0, 0, 0, 0, 0, 0, 0, 0, 0], MenuExitKeyStar: 0, "
      "MenuEixtKeyPound: 0, NoEntryExit: 0, ErrorExit: 0, NormalExit: 0, FastPathExit: 0, "
      "NavigationExit: 0, TotalTime: 00:00:00.000, InProgressStart: 0, InProgressEnd: 0, "
      "OperatorCount: 0, Repeat: 0, Help: 0, PreviousStep: 0, RootStep: 0, period:0}";
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
  static constexpr const char *kDefault =
      "{FlowKey:0, SiteK:0, BU:0, Recevived: 0, Answered: 0, Abandoned: 0, Transeferred: 0, "
      "TransferredToIVR: 0, SystemDisconnected: 0, LinkedOut: 0, EnQueued: 0, "
      "EnQueuedToErrorQueue: 0, AutoResponeded: 0, TotalTime: 00:00:00.000, InProgressStart: 0, "
      "InProgressEnd: 0, period:0}";
  static constexpr const char *kFilled =
      "{FlowKey:101, SiteK:102, BU:103, Recevived: 104, Answered: 105, Abandoned: 106, "
      "Transeferred: 107, TransferredToIVR: 108, SystemDisconnected: 109, LinkedOut: 110, "
      "EnQueued: 111, EnQueuedToErrorQueue: 112, AutoResponeded: 113, TotalTime: 00:01:01.001, "
      "InProgressStart: 114, InProgressEnd: 115, period:-1}";
};

// Seed 0: counters 1 to 37 in pack order, SLF 65535, AddCounts 1, 2, 3, 4 and -1 (Contacts to
// EMConOut), PeriodTime 6, durations of 1 to 10 seconds (and as many milliseconds) in pack
// order. AddCounts and UnderThreshold travel apart from their groups; SLF is unsigned.
template <> struct RowCase<TEventDataQueueCumulative> : FilledBy<TQueueCumulativeEvent, 0> {
  static void Fill(TEventDataQueueCumulative &row) {
    FilledBy::Fill(row);
    row.AddCountsEMConOut = -1;
  }
  static void Spans(TPack &p, long first, long last) {
    for (long seconds = first; seconds <= last; ++seconds)
      PackSpan(p, seconds, static_cast<unsigned short>(seconds));
  }
  static void Wire(TPack &p) {
    PackCounts(p, 1, 3);
    p << static_cast<unsigned short>(65535);
    PackCounts(p, 4, 24); // UnderThreshold [Ans] is 12, [Abd] 19
    Spans(p, 1, 4);
    PackCounts(p, 25, 30);
    p << short{4} << short{-1};
    Spans(p, 5, 6);
    PackCounts(p, 31, 37);
    Spans(p, 7, 8);
    p << short{1} << short{2};
    Spans(p, 9, 10);
    p << short{3} << Span(0, 0, 0, 11, 11) << short{6};
  }
  static constexpr const char *kDefault =
      "{QK:0, SiteK:0, BU:0, SLF:0, Received[All,Req,NetIn]:[0,0,0], Answered[Prim,Over]:[0,0], "
      "Abandoned:0, Redirected[OOS,NetOut]:[0,0], TransOOS:0, UnderThreshold[Ans,Abd]:[0,0], "
      "AnsweredInInterval[1,2,3,4,5]:[0,0,0,0,0], AbandonedInInterval[1,2,3,4,5]:[0,0,0,0,0], "
      "Overflows[Cur,Max,Min]:[0,0,0], Waiting[Begin,End,Max,Min]:[0,0,0,0], "
      "WaitTime[Tot,Ans,Abd,Red]:[00:00:00.000,00:00:00.000,00:00:00.000,00:00:00.000], "
      "MaxWaitTime[Max,Ans,Abd,Red]:[0,0,0,0], Emails[Defer,ConOut]:[0,0], "
      "EmailsTime[Defer,ConOut]:[00:00:00.000,00:00:00.000], "
      "ContactsTime[Tot,PostP]:[00:00:00.000,00:00:00.000], "
      "UsersInvolvedTime[Tot,PostP]:[00:00:00.000,00:00:00.000], "
      "AddCounts[Contacts,ContactsPP,Handled,EMDefer,EMConOut]:[0,0,0,0,0], PeriodTime:0}";
  static constexpr const char *kFilled =
      "{QK:1, SiteK:2, BU:3, SLF:65535, Received[All,Req,NetIn]:[4,5,6], "
      "Answered[Prim,Over]:[10,11], Abandoned:18, Redirected[OOS,NetOut]:[7,8], TransOOS:9, "
      "UnderThreshold[Ans,Abd]:[12,19], AnsweredInInterval[1,2,3,4,5]:[13,14,15,16,17], "
      "AbandonedInInterval[1,2,3,4,5]:[20,21,22,23,24], Overflows[Cur,Max,Min]:[35,36,37], "
      "Waiting[Begin,End,Max,Min]:[31,32,33,34], "
      "WaitTime[Tot,Ans,Abd,Red]:[00:00:01.001,00:00:02.002,00:00:03.003,00:00:04.004], "
      "MaxWaitTime[Max,Ans,Abd,Red]:[25,26,27,28], Emails[Defer,ConOut]:[29,30], "
      "EmailsTime[Defer,ConOut]:[00:00:05.005,00:00:06.006], "
      "ContactsTime[Tot,PostP]:[00:00:07.007,00:00:08.008], "
      "UsersInvolvedTime[Tot,PostP]:[00:00:09.009,00:00:10.010], "
      "AddCounts[Contacts,ContactsPP,Handled,EMDefer,EMConOut]:[1,2,3,4,-1], PeriodTime:6}";
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

template <class Row> class RowLayout : public ::testing::Test {};

using FixedWidthRows =
    ::testing::Types<TEventDataGroupRealTime, TEventDataGroupCumulative,
                     TEventDataDestinationCumulative, TEventDataCallbackCumulative,
                     TEventDataCDComponentCumulative, TEventDataWorkFlowCumulative,
                     TEventDataQueueCumulative, TEventDataUserContactTypeStatistics>;
TYPED_TEST_SUITE(RowLayout, FixedWidthRows, );

TYPED_TEST(RowLayout, TextsAndPackOrder) {
  using Case = RowCase<TypeParam>;
  EXPECT_EQ(TypeParam().ToString(), Case::kDefault);
  TypeParam row;
  Case::Fill(row);
  const Bytes bytes = Packed(row);
  EXPECT_EQ(bytes, PackedBytes(Case::Wire));
  EXPECT_EQ(row.ToString(), Case::kFilled);

  TypeParam decoded;
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_EQ(Packed(decoded), bytes);
  EXPECT_EQ(decoded.ToString(), Case::kFilled);
}

} // namespace
