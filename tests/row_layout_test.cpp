// Default text, filled text and wire order of the row classes whose fields are all fixed width,
// with the typed event suite's fill for seed 1 (event_fill.h): the integers 101, 102, ... in
// the order the fill lists them (pack order), the durations and points in time 00:01:01.001,
// 00:01:02.002, ... and a 16-bit period of -1. The bytes show where each field travels, the text
// where it shows.
#include <string>
#include <vector>

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

// A row: its event, its bytes after the fill and its texts.
template <class Row> struct RowCase;

template <> struct RowCase<TEventDataGroupRealTime> {
  using Event = TGroupRealTimeEvent;
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
template <> struct RowCase<TEventDataGroupCumulative> {
  using Event = TGroupCumulativeEvent;
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
template <> struct RowCase<TEventDataDestinationCumulative> {
  using Event = TMonitoredDestinationCumulativeEvent;
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
template <> struct RowCase<TEventDataCallbackCumulative> {
  using Event = TCallbackCumulativeEvent;
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
template <> struct RowCase<TEventDataCDComponentCumulative> {
  using Event = TCDComponentCumulativeEvent;
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
template <> struct RowCase<TEventDataWorkFlowCumulative> {
  using Event = TWorkFlowCumulativeEvent;
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

template <class Row> class RowLayout : public ::testing::Test {};

using FixedWidthRows =
    ::testing::Types<TEventDataGroupRealTime, TEventDataGroupCumulative,
                     TEventDataDestinationCumulative, TEventDataCallbackCumulative,
                     TEventDataCDComponentCumulative, TEventDataWorkFlowCumulative>;
TYPED_TEST_SUITE(RowLayout, FixedWidthRows, );

TYPED_TEST(RowLayout, TextsAndPackOrder) {
  using Case = RowCase<TypeParam>;
  EXPECT_EQ(TypeParam().ToString(), Case::kDefault);
  TypeParam row;
  EventCase<typename Case::Event>::Fill(row, 1);
  const Bytes bytes = Packed(row);
  EXPECT_EQ(bytes, PackedBytes(Case::Wire));
  EXPECT_EQ(row.ToString(), Case::kFilled);

  TypeParam decoded;
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_EQ(Packed(decoded), bytes);
  EXPECT_EQ(decoded.ToString(), Case::kFilled);
}

// Every position stays in the list while the rows are released; the list is emptied after.
TEST(CumulativeEventClear, KeepsEveryPositionUntilTheWalkEnds) {
  TCallbackCumulativeEvent event;
  event.TimeStamp = PeriodInstant();
  std::vector<TEventDataCallbackCumulative *> rows;
  for (long queue = 1; queue <= 3; ++queue) {
    rows.push_back(AddRecord(event));
    rows.back()->QueueK = queue;
  }
  std::vector<std::vector<TEventDataCallbackCumulative *>> listAtFailure;
  const TDiag::Sink previous =
      TDiag::SetSink([&](TDiag::enDiagType, unsigned short, const char *, const std::string &) {
        listAtFailure.push_back(event.EventDataList);
      });
  TMemory::FaultPlan plan;
  plan.memFreeThrowsAfter = 1; // the second release throws
  TMemory::SetFaultPlan(plan);
  event.Clear();
  TMemory::SetFaultPlan({});
  TDiag::SetSink(previous);

  ASSERT_EQ(listAtFailure.size(), 1u);
  EXPECT_EQ(listAtFailure[0], rows);
  EXPECT_TRUE(event.EventDataList.empty());
  EXPECT_EQ(event.TimeStamp, PeriodInstant());
}

} // namespace
