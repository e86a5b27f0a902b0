// Texts, wire layouts, assignment and bad input of the user real-time record and the four
// statistics records nested in it.
#include <atomic>
#include <climits>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "event_cases.h"
#include "support/DiagCapture.h"

// Every plain heap allocation of this program comes through here, so that a test can make one
// allocation fail.
namespace {
std::atomic<long> allocationsBeforeFailure{-1}; // -1: none fails
} // namespace

void *operator new(std::size_t size) {
  const long left = allocationsBeforeFailure.load();
  if (left >= 0) {
    allocationsBeforeFailure = left - 1;
    if (left == 0)
      throw std::bad_alloc();
  }
  if (void *block = std::malloc(size ? size : 1))
    return block;
  throw std::bad_alloc();
}
// Kept out of line: inlined into a caller, the compiler would see free() meet a pointer from
// operator new and warn about a mismatch that the replacement pair makes right.
[[gnu::noinline]] void operator delete(void *block) noexcept { std::free(block); }
[[gnu::noinline]] void operator delete(void *block, std::size_t) noexcept { std::free(block); }

namespace {

const std::string kAssignFailed = "TEventDataUserRealTime::operator= exception raised.";

bool EndsWith(const std::string &text, const std::string &end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEventDataUserContactStatistics Contact(long reqc, const std::string &cid) {
  TEventDataUserContactStatistics contact;
  contact.REQC = reqc;
  contact.CID = cid;
  return contact;
}

// A contact with every field distinct from its default and from the others.
TEventDataUserContactStatistics FullContact() {
  TEventDataUserContactStatistics contact = Contact(1, "C-9");
  contact.CT = CONTACTTYPE_ROUTEDOPENMEDIA;
  Distinct(1, contact.QK, contact.HandlingPrimTime, contact.PostProcPrimTime,
           contact.ContactPrimTime, contact.ContactNonPrimTime, contact.HandlingStatePrimTime);
  contact.HandlingState = HANDLINGSTATE_ONHOLD;
  contact.HandlingStateReason = -8;
  contact.Primary = true;
  contact.AuxText = "aux";
  return contact;
}

// A user record with every scalar distinct and one element in each nested list.
TEventDataUserRealTime FullUser() {
  TEventDataUserRealTime user;
  Distinct(0, user.AK, user.BU, user.Loc, user.RSTime, user.RSReason, user.PresTime,
           user.PresTimeExcDC, user.UserHelpTime, user.Resvd, user.MinCapAvail, user.MinCapTotal,
           user.MinCapKey, user.MaxCapAvail, user.MaxCapTotal, user.MaxCapKey);
  user.Ext = "4711";
  user.RS = TpsTRoutingState::ROUTING_READY;
  user.Pres = TpsTPresenceState::PRESENCE_BUSY;
  user.PresExcDC = TpsTPresenceState::PRESENCE_AWAY;
  user.GK = {3, 7};
  user.MediaStatistics.resize(1);
  user.MediaStatistics[0].Media = 3;
  user.PresenceStateStatistics.resize(1);
  user.ContactStatistics = {Contact(21, "c21")};
  user.CSMStatistics.resize(1);
  user.CSMStatistics[0].BGL = "sup";
  user.CSMStatistics[0].Type = CSMTYPE_BARGEIN;
  return user;
}

TEST(UserRealTimeText, DefaultAndFullRecords) {
  const std::string idle =
      TpsTPresenceState::ToString(static_cast<TpsTPresenceState::enPresenceState>(5));
  EXPECT_EQ(TEventDataUserRealTime().ToString(),
            "{AK:0, BU:0, Loc:0, Ext:, GK:[], RS:" +
                TpsTRoutingState::ToString(static_cast<TpsTRoutingState::enRoutingState>(4)) +
                ", RSTime:0, RSReason:0, Pres:" + idle + ", PresTime:0, Pres(ExcDC):" + idle +
                ", PresTime(ExcDC):0, MinCap[Avail,Total,Key]:[0,0,0], "
                "MaxCap[Avail,Total,Key]:[0,0,0], Resvd:0, UserHelpTime:-1}");

  TEventDataUserRealTime user = FullUser();
  EXPECT_EQ(user.ToString(),
            "{AK:1, BU:2, Loc:3, Ext:4711, GK:[3 7 ], RS:" + TpsTRoutingState::ToString(user.RS) +
                ", RSTime:4, RSReason:5, Pres:" + TpsTPresenceState::ToString(user.Pres) +
                ", PresTime:6, Pres(ExcDC):" + TpsTPresenceState::ToString(user.PresExcDC) +
                ", PresTime(ExcDC):7, MinCap[Avail,Total,Key]:[10,11,12], "
                "MaxCap[Avail,Total,Key]:[13,14,15], Resvd:9, UserHelpTime:8}");
}

TEST(UserStatisticsText, NestedRecords) {
  TEventDataUserMediaStatistics media;
  const std::string zero = TTimeStamp(1).GetTime(1, ':', '.');
  std::string entries;
  for (int state = 0; state < 12; ++state)
    entries += " [" + std::to_string(state) + "," + zero + "]";
  EXPECT_EQ(media.ToString(),
            "{Media:None, MediaState:Unknown, ShftRtdHndl:0, ShftRtdHndlPrimTime:" + zero +
                ", ShftRtdHndlNonPrimTime:" + zero + ", ShftRtdPostProcPrimTime:" + zero +
                ", ShftRtdPostProcNonPrimTime:" + zero +
                ", ShftMaxRtdActiveTime:0, ShftMaxRtdNonPrimTime:0, ShftRtdHeldOrCnslt:0, "
                "ShftRtdHeld:0, ShftRtdCnslt:0, ShftRtdProc:0, ShftDirHndl:0, "
                "ShftDirHndlPrimTime:" +
                zero + ", ShftDirHndlNonPrimTime:" + zero +
                ", ShiftHandlingStateTimes[state,time]:" + entries + "}");
  // The twelve entries belong to a new record only: a payload with none gives none.
  media.ShiftHandlingStateTimes.clear();
  TEventDataUserMediaStatistics decoded;
  UnpackInto(Packed(media), decoded);
  EXPECT_TRUE(EndsWith(decoded.ToString(), ", ShiftHandlingStateTimes[state,time]:}"));

  TEventDataUserPresenceStateStatistics presence;
  presence.ShiftPresCount = 2;
  presence.ShiftPresTime = Span(0, 0, 1, 0, 0);
  EXPECT_EQ(presence.ToString(), "{Pres:" + TpsTPresenceState::ToString(presence.Pres) +
                                     ", ShiftPresCount:2, ShiftPresTime:00:01:00.000}");

  TEventDataUserContactStatistics contact;
  contact.AuxText = "not written";
  EXPECT_EQ(contact.ToString(),
            "ContactStats: {CID:, REQC:0, CT:None, Primary:0, QK:0, HandlingPrimTime:0, "
            "PostProcPrimTime:0, ContactPrimTime:0, ContactNonPrimTime:0, HandlingState:None, "
            "HandlingStatePrimTime:0, HandlingStateReason:0}");
  EXPECT_EQ(FullContact().ToString(),
            "ContactStats: {CID:C-9, REQC:1, CT:Routed OpenMedia, Primary:1, QK:101, "
            "HandlingPrimTime:102, PostProcPrimTime:103, ContactPrimTime:104, "
            "ContactNonPrimTime:105, HandlingState:OnHold, HandlingStatePrimTime:106, "
            "HandlingStateReason:-8}");
  EXPECT_EQ(FullUser().CSMStatistics[0].ToString(), "CSMStats: {Type:BargeIn, BGL:sup}");
}

TEST(UserStatisticsText, RawEnumerationsOutsideTheTablesAreInvalidButTravelUnchanged) {
  TEventDataUserContactStatistics contact;
  contact.CT = static_cast<enContactType>(12);
  contact.HandlingState = static_cast<enHandlingState>(-1);
  TEventDataUserContactStatistics decoded;
  UnpackInto(Packed(contact), decoded);
  EXPECT_EQ(decoded.CT, 12);
  EXPECT_EQ(decoded.HandlingState, -1);
  EXPECT_NE(decoded.ToString().find(", CT:Invalid, "), std::string::npos);
  EXPECT_NE(decoded.ToString().find(", HandlingState:Invalid, "), std::string::npos);

  TEventDataUserCSMStatistics csm;
  csm.Type = static_cast<enCSMType>(INT_MIN);
  TEventDataUserCSMStatistics decodedCsm;
  UnpackInto(Packed(csm), decodedCsm);
  EXPECT_EQ(decodedCsm.Type, INT_MIN);
  EXPECT_EQ(decodedCsm.ToString(), "CSMStats: {Type:Invalid, BGL:}");
}

TEST(UserRealTimeWire, ScalarsInTableOrderThenTheFiveLists) {
  const TEventDataUserRealTime user = FullUser();
  EXPECT_EQ(Packed(user), PackedBytes([&](TPack &p) {
              p << 1L << 2L << 3L << std::string("4711") << user.RS << 4L << 5L << user.Pres << 6L
                << user.PresExcDC << 7L;
              p << 8L; // UserHelpTime before Resvd
              p << 9L; // Resvd before the capacities
              p << 10L << 11L << 12L << 13L << 14L << 15L;
              p << 2 << 3L << 7L;
              p << 1 << user.MediaStatistics[0] << 1 << user.PresenceStateStatistics[0] << 1
                << user.ContactStatistics[0] << 1 << user.CSMStatistics[0];
            }));
}

TEST(UserStatisticsWire, NestedRecordsInTableOrder) {
  TEventDataUserMediaStatistics media;
  Distinct(1, media.Media, media.ShftRtdHndl, media.ShftMaxRtdActiveTime,
           media.ShftMaxRtdNonPrimTime, media.ShftRtdHeldOrCnslt, media.ShftRtdHeld,
           media.ShftRtdCnslt, media.ShftRtdProc, media.ShftDirHndl);
  Distinct(0, media.ShftRtdHndlPrimTime, media.ShftRtdHndlNonPrimTime,
           media.ShftRtdPostProcPrimTime, media.ShftRtdPostProcNonPrimTime,
           media.ShftDirHndlPrimTime, media.ShftDirHndlNonPrimTime);
  media.MediaState = MEDIASTATE_AVAILABLE;
  media.ShiftHandlingStateTimes = {Span(0, 0, 2, 0, 7)};
  EXPECT_EQ(Packed(media), PackedBytes([](TPack &p) {
              p << 101L << 2 << 102L; // the media state travels as four raw bytes
              for (unsigned short i = 1; i <= 4; ++i)
                PackSpan(p, i, i);
              p << 103L << 104L << 105L << 106L << 107L << 108L << 109L;
              PackSpan(p, 5, 5);
              PackSpan(p, 6, 6);
              p << 1;
              PackSpan(p, 120, 7);
            }));

  EXPECT_EQ(Packed(FullContact()), PackedBytes([](TPack &p) {
              p << 1L << 10 << 101L << 102L << 103L << 104L << 105L << 7 << 106L << -8L << true
                << std::string("C-9") << std::string("aux");
            }));
  TEventDataUserCSMStatistics csm;
  csm.BGL = "b";
  csm.Type = CSMTYPE_CONTINUOUSSILENTMONITORING;
  EXPECT_EQ(Packed(csm), PackedBytes([](TPack &p) { p << std::string("b") << 3; }));
}

TEST(UserRealTimeRecord, UnpackingAndAssignmentReplaceEveryList) {
  TEventDataUserRealTime source;
  source.GK = {9};
  source.ContactStatistics = {Contact(1, "new")};

  TEventDataUserRealTime held = FullUser();
  held.ContactStatistics = {Contact(7, "old"), Contact(8, "old")};
  TEventDataUserRealTime assigned = held;
  UnpackInto(Packed(source), held);
  assigned = source;
  for (const TEventDataUserRealTime *user : {&held, &assigned})
    EXPECT_EQ(Packed(*user), Packed(source));

  const Bytes before = Packed(held);
  TEventDataUserRealTime &self = held;
  held = self;
  EXPECT_EQ(Packed(held), before);

  // Counts below one read as empty lists.
  Bytes negative = Packed(TEventDataUserRealTime());
  for (std::size_t list = 1; list <= 5; ++list)
    PutInt(negative, negative.size() - 4 * list, list % 2 ? -1 : INT_MIN);
  EXPECT_EQ(UnpackInto(negative, held), 0u);
  EXPECT_EQ(Packed(held), Packed(TEventDataUserRealTime()));
}

TEST(UserRealTimeRecord, FailureWhileAssigningIsLoggedAndKeepsWhatWasCopied) {
  const TEventDataUserRealTime source = FullUser();
  TEventDataUserRealTime target;
  target.ContactStatistics = {Contact(99, "kept")};
  DiagCapture diag;

  // Ext fits the string's own storage, so the first allocation is the first group key's.
  allocationsBeforeFailure = 0;
  EXPECT_NO_THROW(target = source);
  allocationsBeforeFailure = -1;
  EXPECT_EQ(target.Ext, "4711");
  EXPECT_EQ(target.MaxCapKey, 15);
  EXPECT_TRUE(target.GK.empty());
  EXPECT_EQ(target.ContactStatistics.at(0).CID, "kept");
  const auto lines = diag.Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, kAssignFailed);
  EXPECT_EQ(lines[0].file, std::string("EventData/tstTEventDataUserRealTime"));
  EXPECT_EQ(lines[0].category, TDiag::SEVR);

  // The copy constructor goes through the same guard.
  diag.Reset();
  allocationsBeforeFailure = 0;
  const TEventDataUserRealTime copy(source);
  allocationsBeforeFailure = -1;
  EXPECT_EQ(copy.MaxCapTotal, 14);
  EXPECT_TRUE(copy.GK.empty());
  EXPECT_EQ(diag.Texts(), std::vector<std::string>{kAssignFailed});
}

TEST(UserRealTimeEvent, FlagTravelsWithCopiesButNotOnTheWire) {
  TUserRealTimeEvent event;
  EXPECT_FALSE(event.ApplicationFlag);
  const Bytes unflagged = Packed(event);
  event.ApplicationFlag = true;
  EXPECT_EQ(Packed(event), unflagged);

  TUserRealTimeEvent assigned;
  assigned = event;
  EXPECT_TRUE(TUserRealTimeEvent(event).ApplicationFlag);
  EXPECT_TRUE(assigned.ApplicationFlag);

  TUserRealTimeEvent decoded;
  UnpackInto(unflagged, event);
  UnpackInto(Packed(event), decoded);
  EXPECT_TRUE(event.ApplicationFlag);
  EXPECT_FALSE(decoded.ApplicationFlag);
  event.Clear();
  EXPECT_TRUE(event.ApplicationFlag);
}

TEST(UserRealTimeBadInput, CutInsideARawEnumerationKeepsItsValueAndConsumesNothing) {
  const TEventDataUserCSMStatistics csm = FullUser().CSMStatistics[0];
  const Bytes bytes = Packed(csm);
  for (std::size_t missing = 1; missing <= 4; ++missing) {
    TEventDataUserCSMStatistics decoded;
    decoded.Type = CSMTYPE_SILENTMONITORING;
    EXPECT_EQ(UnpackInto(Bytes(bytes.begin(), bytes.end() - missing), decoded), 4u - missing);
    EXPECT_EQ(decoded.BGL, "sup");
    EXPECT_EQ(decoded.Type, CSMTYPE_SILENTMONITORING);
  }

  // At the end of a payload the event keeps the record and nothing leaks.
  const auto live = TMemory::LiveRegistrations();
  {
    Bytes payload = PackedBytes([](TPack &p) { p << 1 << FullUser(); });
    payload.resize(payload.size() - 2);
    TUserRealTimeEvent event;
    EXPECT_EQ(UnpackInto(payload, event), 2u);
    EXPECT_EQ(event.EventDataList.at(0)->CSMStatistics.at(0).Type, CSMTYPE_NONE);
  }
  EXPECT_EQ(TMemory::LiveRegistrations(), live);
}

} // namespace
