// Default text, filled text and wire order of every row class, and what unpacking, copying and
// assigning replace. Most rows take the typed event suite's fill (event_fill.h, cases/) for seed
// 1: the integers 101, 102, ... in the order the fill lists them (pack order), the strings a1,
// b1, ..., the durations and points in time 00:01:01.001, 00:01:02.002, ... and 16-bit values
// from -99 up where the fill lists them negated; a nested row is the first of its parent's
// (seed 10: 1001, ..., 00:10:01.001, ...). The bytes show where each field travels, the text
// where it shows. A row whose new text is its filled text with every value at its zero states
// no default text of its own.
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "event_cases.h"

namespace {

// The n-th time value of the fill.
TTimeStamp Nth(unsigned short n) { return Span(0, 0, 1, n, n); }

void PackCounts(TPack &p, long first, long last) {
  for (long value = first; value <= last; ++value)
    p << value;
}

// The fill's durations first to last: 00:01:01.001, 00:01:02.002, ...
void PackSpans(TPack &p, long first, long last) {
  for (long n = first; n <= last; ++n)
    PackSpan(p, 60 + n, static_cast<unsigned short>(n));
}

void PackStrings(TPack &p, const char *tags, const std::string &seed) {
  for (const char *tag = tags; *tag; ++tag)
    p << *tag + seed;
}

// `filled` with each integer at 0 and each time at 00:00:00.000; the digits of a label
// ("AnsweredInInterval[1,2,3,4,5]:") are no values and stay.
std::string Zeroed(const std::string &filled) {
  static const std::regex value(R"(\d\d:\d\d:\d\d\.\d{3}|-?\d+(?=[,\]}]|$)(?![\d,]*\]:))");
  std::string zeroed;
  auto at = filled.cbegin();
  for (std::sregex_iterator it(filled.begin(), filled.end(), value), end; it != end; ++it) {
    zeroed.append(at, (*it)[0].first).append(it->length() == 12 ? "00:00:00.000" : "0");
    at = (*it)[0].second;
  }
  return zeroed.append(at, filled.cend());
}

// A row: how it is filled, its bytes after the fill and its texts; kDefault stays null where
// the new row's text is Zeroed(kFilled).
template <class Row> struct RowCase;

template <class Event, long kSeed = 1> struct FilledBy {
  static void Fill(RecordOf<Event> &row) { EventCase<Event>::Fill(row, kSeed); }
  static constexpr const char *kDefault = nullptr;
};

// The first of the nested rows `kRows` of the row the event's fill gives.
template <class Event, auto kRows> struct FirstOf {
  template <class Row> static void Fill(Row &row) {
    RecordOf<Event> parent;
    EventCase<Event>::Fill(parent, 1);
    row = (parent.*kRows).at(0);
  }
  static constexpr const char *kDefault = nullptr;
};

template <> struct RowCase<TEventDataGroupRealTime> : FilledBy<TGroupRealTimeEvent> {
  static void Wire(TPack &p) { PackCounts(p, 101, 120); }
  static constexpr const char *kFilled =
      "{VG:101, BU:102, LoggedOnUsers:103, IdleUsers:104, AwayUsers:105, BusyUsers:106, "
      "HndlRoutedUsers:107, HndlDirectOnlyUsers:108, RoutedHndl:109, DirectHndl:110, "
      "PrimWaiting:111, OverWaiting:112, MinLoggedOnCap:113, MinAvailCap:114, "
      "MinUnavailCap:115, MinWorkCap:116, MaxLoggedOnCap:117, MaxAvailCap:118, "
      "MaxUnavailCap:119, MaxWorkCap:120}";
};

// QK and Priority are 16 bits; Dest travels before Src and shows after it.
template <> struct RowCase<TEventDataContactRealTime> : FilledBy<TContactRealTimeEvent> {
  static void Wire(TPack &p) {
    p << short{2} << short{-99} << 101L << short{-98};
    PackCounts(p, 102, 107);
    PackStrings(p, "abcd", "1");
  }
  static constexpr const char *kDefault =
      "{CID:, REQC:0, QK:0, MT:None, State:Invalid, TimeInState:0, WaitTime:0, Priority:0, VG:0, "
      "ResvdAK:0, BU:0, Src:, Dest:, Desc:}";
  static constexpr const char *kFilled =
      "{CID:a1, REQC:105, QK:-99, MT:MediaType: 101, State:Queued, TimeInState:102, "
      "WaitTime:103, Priority:-98, VG:104, ResvdAK:106, BU:107, Src:c1, Dest:b1, Desc:d1}";
};

// BU travels fourth and shows last of the numbers; Origin is 16 bits.
template <> struct RowCase<TEventDataCallbackRealTime> : FilledBy<TCallbackRealTimeEvent> {
  static void Wire(TPack &p) {
    p << 101L << short{2} << short{-3};
    PackCounts(p, 102, 109);
    PackStrings(p, "abcd", "1");
  }
  static constexpr const char *kDefault =
      "{CID:, REQC:0, QK:0, Origin:0, State:Invalid, TimeInState:0, WaitTime:0, AttemptStatus:0, "
      "AttemptsCount:0, CreatorAK:0, LastAK:0, BU:0, CustName:, CustNum:, Desc:}";
  static constexpr const char *kFilled =
      "{CID:a1, REQC:101, QK:103, Origin:-3, State:Queued, TimeInState:108, WaitTime:109, "
      "AttemptStatus:105, AttemptsCount:107, CreatorAK:104, LastAK:106, BU:102, CustName:b1, "
      "CustNum:c1, Desc:d1}";
};

// The media state travels as four raw bytes; a new row holds one zero duration per handling
// state, shown as " [state,time]" entries.
template <>
struct RowCase<TEventDataUserMediaStatistics>
    : FirstOf<TUserRealTimeEvent, &TEventDataUserRealTime::MediaStatistics> {
  static void Wire(TPack &p) {
    p << 1L << 1 << 101L;
    PackSpans(p, 1, 4);
    PackCounts(p, 102, 108);
    PackSpans(p, 5, 6);
    p << 2;
    PackSpan(p, 62, 3);
    PackSpan(p, 3723, 4);
  }
  static constexpr const char *kDefault =
      "{Media:None, MediaState:Unknown, ShftRtdHndl:0, ShftRtdHndlPrimTime:00:00:00.000, "
      "ShftRtdHndlNonPrimTime:00:00:00.000, ShftRtdPostProcPrimTime:00:00:00.000, "
      "ShftRtdPostProcNonPrimTime:00:00:00.000, ShftMaxRtdActiveTime:0, ShftMaxRtdNonPrimTime:0, "
      "ShftRtdHeldOrCnslt:0, ShftRtdHeld:0, ShftRtdCnslt:0, ShftRtdProc:0, ShftDirHndl:0, "
      "ShftDirHndlPrimTime:00:00:00.000, ShftDirHndlNonPrimTime:00:00:00.000, "
      "ShiftHandlingStateTimes[state,time]: [0,00:00:00.000] [1,00:00:00.000] [2,00:00:00.000] "
      "[3,00:00:00.000] [4,00:00:00.000] [5,00:00:00.000] [6,00:00:00.000] [7,00:00:00.000] "
      "[8,00:00:00.000] [9,00:00:00.000] [10,00:00:00.000] [11,00:00:00.000]}";
  static constexpr const char *kFilled =
      "{Media:Voice, MediaState:Logon, ShftRtdHndl:101, ShftRtdHndlPrimTime:00:01:01.001, "
      "ShftRtdHndlNonPrimTime:00:01:02.002, ShftRtdPostProcPrimTime:00:01:03.003, "
      "ShftRtdPostProcNonPrimTime:00:01:04.004, ShftMaxRtdActiveTime:102, "
      "ShftMaxRtdNonPrimTime:103, ShftRtdHeldOrCnslt:104, ShftRtdHeld:105, ShftRtdCnslt:106, "
      "ShftRtdProc:107, ShftDirHndl:108, ShftDirHndlPrimTime:00:01:05.005, "
      "ShftDirHndlNonPrimTime:00:01:06.006, "
      "ShiftHandlingStateTimes[state,time]: [0,00:01:02.003] [1,01:02:03.004]}";
};

template <>
struct RowCase<TEventDataUserPresenceStateStatistics>
    : FirstOf<TUserRealTimeEvent, &TEventDataUserRealTime::PresenceStateStatistics> {
  static void Wire(TPack &p) {
    p << TpsTPresenceState::PRESENCE_AWAY << 21L;
    PackSpans(p, 1, 1);
  }
  static constexpr const char *kDefault =
      "{Pres:Offline, ShiftPresCount:0, ShiftPresTime:00:00:00.000}";
  static constexpr const char *kFilled =
      "{Pres:Away, ShiftPresCount:21, ShiftPresTime:00:01:01.001}";
};

// Seed 10; CT and HandlingState travel as four raw bytes; AuxText travels and is not shown.
template <>
struct RowCase<TEventDataUserContactStatistics>
    : FirstOf<TUserRealTimeEvent, &TEventDataUserRealTime::ContactStatistics> {
  static void Wire(TPack &p) {
    p << 1001L << 1;
    PackCounts(p, 1002, 1006);
    p << 6 << 1007L << 1008L << true;
    PackStrings(p, "ab", "10");
  }
  static constexpr const char *kDefault =
      "ContactStats: {CID:, REQC:0, CT:None, Primary:0, QK:0, HandlingPrimTime:0, "
      "PostProcPrimTime:0, ContactPrimTime:0, ContactNonPrimTime:0, HandlingState:None, "
      "HandlingStatePrimTime:0, HandlingStateReason:0}";
  static constexpr const char *kFilled =
      "ContactStats: {CID:a10, REQC:1001, CT:Routed Voice, Primary:1, QK:1002, "
      "HandlingPrimTime:1003, PostProcPrimTime:1004, ContactPrimTime:1005, "
      "ContactNonPrimTime:1006, HandlingState:Queued, HandlingStatePrimTime:1007, "
      "HandlingStateReason:1008}";
};

// The fill leaves no activity (it would end the record with a raw enumeration): Type travels
// last, as four raw bytes, and shows first.
template <> struct RowCase<TEventDataUserCSMStatistics> {
  static void Fill(TEventDataUserCSMStatistics &row) {
    row.BGL = "sup";
    row.Type = CSMTYPE_BARGEIN;
  }
  static void Wire(TPack &p) { p << std::string("sup") << 2; }
  static constexpr const char *kDefault = "CSMStats: {Type:None, BGL:}";
  static constexpr const char *kFilled = "CSMStats: {Type:BargeIn, BGL:sup}";
};

// One of each nested row, a default second medium, and one activity. UserHelpTime travels
// before Resvd, both after the presence times, and shows last; the lists are not shown.
template <> struct RowCase<TEventDataUserRealTime> : FilledBy<TUserRealTimeEvent> {
  static void Fill(TEventDataUserRealTime &row) {
    FilledBy::Fill(row);
    row.ContactStatistics.resize(1);
    RowCase<TEventDataUserCSMStatistics>::Fill(row.CSMStatistics.emplace_back());
  }
  static void Wire(TPack &p) {
    p << 101L << 102L << 103L << std::string("ext-1") << TpsTRoutingState::ROUTING_READY << 104L
      << 105L << TpsTPresenceState::PRESENCE_AVAILABLE << 106L << TpsTPresenceState::PRESENCE_BUSY;
    PackCounts(p, 107, 115);
    p << 2 << 17L << 18L << 2;
    RowCase<TEventDataUserMediaStatistics>::Wire(p);
    p << TEventDataUserMediaStatistics() << 1;
    RowCase<TEventDataUserPresenceStateStatistics>::Wire(p);
    p << 1;
    RowCase<TEventDataUserContactStatistics>::Wire(p);
    p << 1;
    RowCase<TEventDataUserCSMStatistics>::Wire(p);
  }
  static constexpr const char *kDefault =
      "{AK:0, BU:0, Loc:0, Ext:, GK:[], RS:LoggedOff, RSTime:0, RSReason:0, Pres:Offline, "
      "PresTime:0, Pres(ExcDC):Offline, PresTime(ExcDC):0, MinCap[Avail,Total,Key]:[0,0,0], "
      "MaxCap[Avail,Total,Key]:[0,0,0], Resvd:0, UserHelpTime:-1}";
  static constexpr const char *kFilled =
      "{AK:101, BU:102, Loc:103, Ext:ext-1, GK:[17 18 ], RS:Ready, RSTime:104, RSReason:105, "
      "Pres:Available, PresTime:106, Pres(ExcDC):Busy, PresTime(ExcDC):107, "
      "MinCap[Avail,Total,Key]:[110,111,112], MaxCap[Avail,Total,Key]:[113,114,115], Resvd:109, "
      "UserHelpTime:108}";
};

// Floats in the default format; WT travels last and shows second.
template <> struct RowCase<TEventDataSiteStatistics> {
  static void Fill(TEventDataSiteStatistics &row) {
    row.Ans = 7;
    row.SL = 12.5f;
    row.EstSL = 80.25f;
    row.EstWT = 3.5f;
    row.WT = Span(0, 0, 0, 9, 4);
  }
  static void Wire(TPack &p) {
    p << 7L << 12.5f << 80.25f << 3.5f;
    PackSpan(p, 9, 4);
  }
  static constexpr const char *kDefault = "{Ans:0, WT:00:00:00.000, SL:100, EstSL:100, EstWT:0}";
  static constexpr const char *kFilled =
      "{Ans:7, WT:00:00:09.004, SL:12.5, EstSL:80.25, EstWT:3.5}";
};

// The medium's letter stands in the QK label; the blocks travel sample, shift, estimated and
// show shift first; the shift's AuxValue travels last and is not shown, and LocalValue does
// neither.
template <> struct RowCase<TEventDataQueueRealTime> : FilledBy<TQueueRealTimeEvent> {
  static void Wire(TPack &p) {
    p << 101L << TSMEnum::MEDIUM_TELEPHONY << 102L << 103L << 104L;
    for (float value = 101; value <= 105; ++value)
      p << value;
    PackSpans(p, 1, 1);
    PackCounts(p, 105, 110);
    p << 106.0f << 107.0f;
    PackSpans(p, 2, 3);
    p << 108.0f << 109.0f;
    PackSpans(p, 4, 4);
  }
  static constexpr const char *kDefault =
      "{QK(U):0, BU:0, CIQ:0, CO:0, Shf:{Rec:0, Rec NI:0, Ans:0, WT:00:00:00.000, Abd:0, "
      "WT:00:00:00.000, Red:0, Red NO:0, SL:0, AR:100}, Samp:{ SL:0, AnsR:0, AbdR:0, AnsAvg:0, "
      "AbdAvg:0, OWT:00:00:00.000}, Est:{SL:0, WT:00:00:00.000}}";
  static constexpr const char *kFilled =
      "{QK(T):101, BU:102, CIQ:103, CO:104, Shf:{Rec:105, Rec NI:109, Ans:106, WT:00:01:02.002, "
      "Abd:107, WT:00:01:03.003, Red:108, Red NO:110, SL:106, AR:107}, Samp:{ SL:101, AnsR:102, "
      "AbdR:103, AnsAvg:104, AbdAvg:105, OWT:00:01:01.001}, Est:{SL:109, WT:00:01:04.004}}";
};

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

template <class Row> class RowLayout : public ::testing::Test {};

using Rows =
    ::testing::Types<TEventDataGroupRealTime, TEventDataContactRealTime, TEventDataCallbackRealTime,
                     TEventDataUserMediaStatistics, TEventDataUserPresenceStateStatistics,
                     TEventDataUserContactStatistics, TEventDataUserCSMStatistics,
                     TEventDataUserRealTime, TEventDataSiteStatistics, TEventDataQueueRealTime,
                     TEventDataGroupCumulative, TEventDataDestinationCumulative,
                     TEventDataCallbackCumulative, TEventDataCDComponentCumulative,
                     TEventDataWorkFlowCumulative, TEventDataQueueCumulative,
                     TEventDataUserContactTypeStatistics, TEventDataUserCumulative,
                     TEventDataContactResultsStatistics, TEventDataContactResultsCumulative,
                     TEventDataPostProcessingReasonStatistics, TEventDataPostProcessingCumulative,
                     TEventDataRoutingStateStatistics, TEventDataRoutingStateCumulative>;
TYPED_TEST_SUITE(RowLayout, Rows, );

TYPED_TEST(RowLayout, TextsPackOrderAndReplacement) {
  using Case = RowCase<TypeParam>;
  EXPECT_EQ(TypeParam().ToString(), Case::kDefault ? Case::kDefault : Zeroed(Case::kFilled));
  TypeParam row;
  Case::Fill(row);
  const Bytes bytes = Packed(row);
  EXPECT_EQ(bytes, PackedBytes(Case::Wire));
  EXPECT_EQ(row.ToString(), Case::kFilled);

  // Unpacking, copying and assigning replace every field and every list the target held.
  const Bytes blank = Packed(TypeParam());
  TypeParam decoded;
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_EQ(Packed(decoded), bytes);
  EXPECT_EQ(UnpackInto(blank, decoded), 0u);
  EXPECT_EQ(Packed(decoded), blank);
  TypeParam copy(row);
  EXPECT_EQ(Packed(copy), bytes);
  copy = TypeParam();
  EXPECT_EQ(Packed(copy), blank);
  copy = row;
  TypeParam &self = copy;
  copy = self;
  EXPECT_EQ(Packed(copy), bytes);
}

} // namespace
