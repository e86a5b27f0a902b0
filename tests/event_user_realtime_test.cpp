// Texts, wire layouts, assignment and bad input of the user real-time record and the four
// statistics records nested in it.
#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <statclient/statclient.h>

#include "pack_bytes.h"
#include "support/DiagCapture.h"
#include "support/Spans.h"

// Every plain heap allocation of this program comes through here, so that a test can count the
// bytes an operation asks for, or make one allocation fail.
namespace {
std::atomic<long> allocationsBeforeFailure{-1}; // -1: none fails
std::atomic<unsigned long long> bytesRequested{0};
} // namespace

void *operator new(std::size_t size) {
  bytesRequested += size;
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

const char *const kSource = "EventData/tstTEventDataUserRealTime";

void PutInt(Bytes &bytes, std::size_t offset, int value) {
  TPack pack(1);
  pack << value;
  std::memcpy(bytes.data() + offset, pack.Contents(), 4);
}

std::string DurationText(const TTimeStamp &span) { return span.GetTime(1, ':', '.'); }

std::string Head(const std::string &text, std::size_t length) { return text.substr(0, length); }
std::string Tail(const std::string &text, std::size_t length) {
  return text.substr(text.size() - std::min(length, text.size()));
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
  contact.QK = 2;
  contact.HandlingPrimTime = 3;
  contact.PostProcPrimTime = 4;
  contact.ContactPrimTime = 5;
  contact.ContactNonPrimTime = 6;
  contact.HandlingState = HANDLINGSTATE_ONHOLD;
  contact.HandlingStatePrimTime = 7;
  contact.HandlingStateReason = -8;
  contact.Primary = true;
  contact.AuxText = "aux";
  return contact;
}

// A user record with every scalar distinct and one element in each nested list.
TEventDataUserRealTime FullUser() {
  TEventDataUserRealTime user;
  user.AK = 1;
  user.BU = 2;
  user.Loc = 3;
  user.Ext = "4711";
  user.RS = TpsTRoutingState::ROUTING_READY;
  user.RSTime = 5;
  user.RSReason = 6;
  user.Pres = TpsTPresenceState::PRESENCE_BUSY;
  user.PresTime = 7;
  user.PresExcDC = TpsTPresenceState::PRESENCE_AWAY;
  user.PresTimeExcDC = 8;
  user.UserHelpTime = 9;
  user.Resvd = 10;
  user.MinCapAvail = 11;
  user.MinCapTotal = 12;
  user.MinCapKey = 13;
  user.MaxCapAvail = 14;
  user.MaxCapTotal = 15;
  user.MaxCapKey = 16;
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

// ---------------------------------------------------------------------------------------------
// Texts.

TEST(UserRealTimeText, DefaultRecordNamesItsStatesAndWritesItsDefaults) {
  TEventDataUserRealTime user;
  EXPECT_EQ(user.ToString(),
            "{AK:0, BU:0, Loc:0, Ext:, GK:[], RS:" +
                TpsTRoutingState::ToString(static_cast<TpsTRoutingState::enRoutingState>(4)) +
                ", RSTime:0, RSReason:0, Pres:" +
                TpsTPresenceState::ToString(static_cast<TpsTPresenceState::enPresenceState>(5)) +
                ", PresTime:0, Pres(ExcDC):" +
                TpsTPresenceState::ToString(static_cast<TpsTPresenceState::enPresenceState>(5)) +
                ", PresTime(ExcDC):0, MinCap[Avail,Total,Key]:[0,0,0], "
                "MaxCap[Avail,Total,Key]:[0,0,0], Resvd:0, UserHelpTime:-1}");
}

TEST(UserRealTimeText, RendersInItsOwnOrderAndLeavesTheNestedListsOut) {
  TEventDataUserRealTime user = FullUser();
  const std::string text = user.ToString();
  EXPECT_EQ(text,
            "{AK:1, BU:2, Loc:3, Ext:4711, GK:[3 7 ], RS:" + TpsTRoutingState::ToString(user.RS) +
                ", RSTime:5, RSReason:6, Pres:" + TpsTPresenceState::ToString(user.Pres) +
                ", PresTime:7, Pres(ExcDC):" + TpsTPresenceState::ToString(user.PresExcDC) +
                ", PresTime(ExcDC):8, MinCap[Avail,Total,Key]:[11,12,13], "
                "MaxCap[Avail,Total,Key]:[14,15,16], Resvd:10, UserHelpTime:9}");

  user.MediaStatistics.clear();
  user.PresenceStateStatistics.clear();
  user.ContactStatistics.clear();
  user.CSMStatistics.clear();
  EXPECT_EQ(user.ToString(), text);
}

TEST(UserStatisticsText, MediaRecordWritesOneIndexedEntryPerHandlingState) {
  TEventDataUserMediaStatistics media;
  const std::string zero = DurationText(TTimeStamp(1));
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
  TEventDataUserMediaStatistics empty = media;
  empty.ShiftHandlingStateTimes.clear();
  empty.Media = 9;
  empty.MediaState = MEDIASTATE_DONOTDISTURB;
  TEventDataUserMediaStatistics decoded;
  EXPECT_EQ(UnpackInto(Packed(empty), decoded), 0u);
  EXPECT_TRUE(decoded.ShiftHandlingStateTimes.empty());
  const std::string text = decoded.ToString();
  const std::string head = "{Media:MediaType: 9, MediaState:Do Not Distrub, ";
  const std::string tail = ", ShiftHandlingStateTimes[state,time]:}";
  EXPECT_EQ(Head(text, head.size()), head);
  EXPECT_EQ(Tail(text, tail.size()), tail);
}

TEST(UserStatisticsText, PrefixesOrdersAndNameTables) {
  TEventDataUserPresenceStateStatistics presence;
  EXPECT_EQ(presence.Pres, 5);
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
  contact = FullContact();
  EXPECT_EQ(contact.ToString(),
            "ContactStats: {CID:C-9, REQC:1, CT:Routed OpenMedia, Primary:1, QK:2, "
            "HandlingPrimTime:3, PostProcPrimTime:4, ContactPrimTime:5, ContactNonPrimTime:6, "
            "HandlingState:OnHold, HandlingStatePrimTime:7, HandlingStateReason:-8}");

  TEventDataUserCSMStatistics csm;
  csm.BGL = "sup";
  csm.Type = CSMTYPE_BARGEIN;
  EXPECT_EQ(csm.ToString(), "CSMStats: {Type:BargeIn, BGL:sup}");
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

// ---------------------------------------------------------------------------------------------
// Wire layouts, against bytes written with the framework's own packers.

TEST(UserRealTimeWire, ScalarsInTableOrderThenTheFiveLists) {
  const TEventDataUserRealTime user = FullUser();
  TPack expected(1);
  expected << 1L << 2L << 3L << std::string("4711") << user.RS << 5L << 6L << user.Pres << 7L
           << user.PresExcDC << 8L;
  expected << 9L;  // UserHelpTime before Resvd
  expected << 10L; // Resvd before the capacities
  expected << 11L << 12L << 13L << 14L << 15L << 16L;
  expected << 2 << 3L << 7L;
  expected << 1 << user.MediaStatistics[0] << 1 << user.PresenceStateStatistics[0] << 1
           << user.ContactStatistics[0] << 1 << user.CSMStatistics[0];
  const Bytes bytes = Packed(user);
  EXPECT_EQ(bytes, Contents(expected));

  TEventDataUserRealTime decoded;
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_EQ(Packed(decoded), bytes);
  EXPECT_EQ(decoded.CSMStatistics[0].BGL, "sup");
}

TEST(UserStatisticsWire, NestedRecordsInTableOrder) {
  TEventDataUserMediaStatistics media;
  long *counts[] = {&media.Media,
                    &media.ShftRtdHndl,
                    &media.ShftMaxRtdActiveTime,
                    &media.ShftMaxRtdNonPrimTime,
                    &media.ShftRtdHeldOrCnslt,
                    &media.ShftRtdHeld,
                    &media.ShftRtdCnslt,
                    &media.ShftRtdProc,
                    &media.ShftDirHndl};
  for (long i = 0; i < 9; ++i)
    *counts[i] = 100 + i;
  TTimeStamp *spans[] = {&media.ShftRtdHndlPrimTime,     &media.ShftRtdHndlNonPrimTime,
                         &media.ShftRtdPostProcPrimTime, &media.ShftRtdPostProcNonPrimTime,
                         &media.ShftDirHndlPrimTime,     &media.ShftDirHndlNonPrimTime};
  for (unsigned short i = 0; i < 6; ++i)
    *spans[i] = Span(0, 0, 0, static_cast<unsigned short>(i + 1), 0);
  media.MediaState = MEDIASTATE_AVAILABLE;
  media.ShiftHandlingStateTimes = {Span(0, 0, 2, 0, 7)};

  TPack expected(1);
  expected << 100L << 2 << 101L; // the media state travels as four raw bytes
  for (long seconds = 1; seconds <= 4; ++seconds)
    PackSpan(expected, seconds, 0);
  expected << 102L << 103L << 104L << 105L << 106L << 107L << 108L;
  PackSpan(expected, 5, 0);
  PackSpan(expected, 6, 0);
  expected << 1;
  PackSpan(expected, 120, 7);
  EXPECT_EQ(Packed(media), Contents(expected));

  const TEventDataUserContactStatistics contact = FullContact();
  TPack expectedContact(1);
  expectedContact << 1L << 10 << 2L << 3L << 4L << 5L << 6L << 7 << 7L << -8L << true
                  << std::string("C-9") << std::string("aux");
  EXPECT_EQ(Packed(contact), Contents(expectedContact));
  TEventDataUserCSMStatistics csm;
  csm.BGL = "b";
  csm.Type = CSMTYPE_CONTINUOUSSILENTMONITORING;
  TPack expectedCsm(1);
  expectedCsm << std::string("b") << 3;
  EXPECT_EQ(Packed(csm), Contents(expectedCsm));
}

TEST(UserStatisticsWire, DurationOfOneDayOneHourOneMinuteOneSecondAndFiveMsRoundTrips) {
  const TTimeStamp span = Span(1, 1, 1, 1, 5);
  TEventDataUserPresenceStateStatistics presence;
  presence.ShiftPresTime = span;
  TPack expected(1);
  expected << presence.Pres << 0L;
  PackSpan(expected, 90061, 5);
  EXPECT_EQ(Packed(presence), Contents(expected));

  TEventDataUserPresenceStateStatistics decoded;
  decoded.ShiftPresTime = Span(9, 9, 9, 9, 9);
  UnpackInto(Packed(presence), decoded);
  EXPECT_EQ(decoded.ShiftPresTime, span);
  const std::string tail = ", ShiftPresTime:01:01:01.005}";
  EXPECT_EQ(Tail(decoded.ToString(), tail.size()), tail);
}

// ---------------------------------------------------------------------------------------------
// Replacing contents: unpacking and assignment.

TEST(UserRealTimeRecord, UnpackingAndAssignmentReplaceEveryList) {
  TEventDataUserRealTime source;
  source.GK = {9};
  source.ContactStatistics = {Contact(1, "new")};

  TEventDataUserRealTime held = FullUser();
  held.GK = {1, 2, 3};
  held.ContactStatistics = {Contact(7, "old"), Contact(8, "old")};
  TEventDataUserRealTime assigned = held;

  UnpackInto(Packed(source), held);
  assigned = source;
  for (const TEventDataUserRealTime *user : {&held, &assigned}) {
    EXPECT_EQ(user->GK, std::vector<long>{9});
    ASSERT_EQ(user->ContactStatistics.size(), 1u);
    EXPECT_EQ(user->ContactStatistics[0].CID, "new");
    EXPECT_TRUE(user->MediaStatistics.empty());
    EXPECT_TRUE(user->CSMStatistics.empty());
    EXPECT_EQ(Packed(*user), Packed(source));
  }

  const Bytes before = Packed(held);
  TEventDataUserRealTime &self = held;
  held = self;
  EXPECT_EQ(Packed(held), before);
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

  EXPECT_EQ(target.AK, 1);
  EXPECT_EQ(target.Loc, 3);
  EXPECT_EQ(target.Ext, "4711");
  EXPECT_EQ(target.Resvd, 10);
  EXPECT_EQ(target.MaxCapKey, 16);
  EXPECT_TRUE(target.GK.empty());
  ASSERT_EQ(target.ContactStatistics.size(), 1u);
  EXPECT_EQ(target.ContactStatistics[0].CID, "kept");
  auto lines = diag.Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, "TEventDataUserRealTime::operator= exception raised.");
  EXPECT_EQ(lines[0].file, kSource);
  EXPECT_EQ(lines[0].category, TDiag::SEVR);

  // The copy constructor goes through the same guard.
  diag.Reset();
  allocationsBeforeFailure = 0;
  const TEventDataUserRealTime copy(source);
  allocationsBeforeFailure = -1;
  EXPECT_EQ(copy.MaxCapTotal, 15);
  EXPECT_TRUE(copy.GK.empty());
  EXPECT_EQ(diag.Texts(),
            std::vector<std::string>{"TEventDataUserRealTime::operator= exception raised."});
}

// ---------------------------------------------------------------------------------------------
// The event's flag.

TEST(UserRealTimeEvent, FlagTravelsWithCopiesButNotOnTheWire) {
  TUserRealTimeEvent event;
  EXPECT_FALSE(event.ApplicationFlag);
  auto *record = new (__LINE__, "event_user_realtime_test", nullptr) TEventDataUserRealTime();
  TMemory::MemReg(__LINE__, "event_user_realtime_test", record, sizeof(*record));
  event.EventDataList.push_back(record);
  const Bytes unflagged = Packed(event);
  event.ApplicationFlag = true;
  EXPECT_EQ(Packed(event), unflagged);
  EXPECT_EQ(event.Size(), unflagged.size());

  TUserRealTimeEvent copy(event);
  TUserRealTimeEvent assigned;
  assigned = event;
  EXPECT_TRUE(copy.ApplicationFlag);
  EXPECT_TRUE(assigned.ApplicationFlag);

  TUserRealTimeEvent decoded;
  UnpackInto(unflagged, event);
  UnpackInto(Packed(event), decoded);
  EXPECT_TRUE(event.ApplicationFlag);
  EXPECT_FALSE(decoded.ApplicationFlag);
  event.Clear();
  EXPECT_TRUE(event.ApplicationFlag);
}

// ---------------------------------------------------------------------------------------------
// Bad input.

// The offset of each nested list's count in the packed FullUser(), in wire order.
std::vector<std::size_t> ListCountOffsets(const TEventDataUserRealTime &user) {
  TEventDataUserRealTime scalars = user;
  scalars.GK.clear();
  scalars.MediaStatistics.clear();
  scalars.PresenceStateStatistics.clear();
  scalars.ContactStatistics.clear();
  scalars.CSMStatistics.clear();
  std::size_t offset = Packed(scalars).size() - 5 * 4;
  const std::size_t elementBytes[] = {user.GK.size() * 4, Packed(user.MediaStatistics[0]).size(),
                                      Packed(user.PresenceStateStatistics[0]).size(),
                                      Packed(user.ContactStatistics[0]).size(),
                                      Packed(user.CSMStatistics[0]).size()};
  std::vector<std::size_t> offsets;
  for (std::size_t bytes : elementBytes) {
    offsets.push_back(offset);
    offset += 4 + bytes;
  }
  return offsets;
}

TEST(UserRealTimeBadInput, HostileNestedCountsFailFastWithoutAllocatingForThem) {
  const TEventDataUserRealTime user = FullUser();
  TPack packed(1);
  packed << 1 << user;
  const Bytes payload = Contents(packed);
  const auto offsets = ListCountOffsets(user);
  const auto live = TMemory::LiveRegistrations();
  for (std::size_t list = 0; list < offsets.size(); ++list) {
    SCOPED_TRACE("list " + std::to_string(list));
    Bytes hostile = payload;
    PutInt(hostile, 4 + offsets[list], INT_MAX);
    TUserRealTimeEvent event;
    const auto before = bytesRequested.load();
    EXPECT_THROW(UnpackInto(hostile, event), TPackError);
    EXPECT_LT(bytesRequested.load() - before, 64u * 1024u);
    EXPECT_TRUE(event.EventDataList.empty());
    EXPECT_EQ(TMemory::LiveRegistrations(), live);
  }
}

TEST(UserRealTimeBadInput, CutInsideARawEnumerationKeepsItsValueAndConsumesNothing) {
  TEventDataUserCSMStatistics csm;
  csm.BGL = "sup";
  csm.Type = CSMTYPE_BARGEIN;
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
    TPack packed(1);
    packed << 1 << FullUser();
    Bytes payload = Contents(packed);
    payload.resize(payload.size() - 2);
    TUserRealTimeEvent event;
    EXPECT_EQ(UnpackInto(payload, event), 2u);
    ASSERT_EQ(event.EventDataList.size(), 1u);
    EXPECT_EQ(event.EventDataList[0]->CSMStatistics.at(0).Type, CSMTYPE_NONE);
  }
  EXPECT_EQ(TMemory::LiveRegistrations(), live);
}

} // namespace
