// The row layouts of the real-time rows (see row_layout.h).
#include "row_layout.h"

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

using Rows =
    ::testing::Types<TEventDataGroupRealTime, TEventDataContactRealTime, TEventDataCallbackRealTime,
                     TEventDataUserMediaStatistics, TEventDataUserPresenceStateStatistics,
                     TEventDataUserContactStatistics, TEventDataUserCSMStatistics,
                     TEventDataUserRealTime, TEventDataSiteStatistics, TEventDataQueueRealTime>;
INSTANTIATE_TYPED_TEST_SUITE_P(RealTime, RowLayout, Rows, );
