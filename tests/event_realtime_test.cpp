// What the user and queue real-time records and events do beyond what the row layout and event
// suites check.
#include <atomic>
#include <climits>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "event_cases.h"
#include "framework/TCompiler.h"
#include "support/DiagCapture.h"

// Every plain heap allocation of this program comes through here, so that a test can make one
// allocation fail.
namespace {
std::atomic<long> allocationsBeforeFailure{-1}; // below 0: none fails
} // namespace

void *operator new(std::size_t size) {
  if (allocationsBeforeFailure.fetch_sub(1) == 0)
    throw std::bad_alloc();
  if (void *block = std::malloc(size ? size : 1))
    return block;
  throw std::bad_alloc();
}
// Kept out of line: inlined into a caller, the compiler would see free() meet a pointer from
// operator new and warn about a mismatch that the replacement pair makes right.
STATCLIENT_NOINLINE void operator delete(void *block) noexcept { std::free(block); }
STATCLIENT_NOINLINE void operator delete(void *block, std::size_t) noexcept { std::free(block); }

namespace {

TEventDataUserRealTime FilledUser() {
  TEventDataUserRealTime user;
  EventCase<TUserRealTimeEvent>::Fill(user, 1);
  return user;
}

TEST(UserRealTimeRecord, FailureWhileCopyingIsLoggedAndKeepsWhatWasCopied) {
  const TEventDataUserRealTime source = FilledUser();
  TEventDataUserRealTime target;
  target.ContactStatistics.resize(1);
  DiagCapture diag;

  // Ext fits the string's own storage, so the first allocation is the first group key's. The
  // copy constructor goes through the same guard.
  allocationsBeforeFailure = 0;
  target = source;
  allocationsBeforeFailure = 0;
  TEventDataUserRealTime copy(source);
  allocationsBeforeFailure = -1;
  for (const TEventDataUserRealTime *user : {&target, &copy}) {
    EXPECT_EQ(user->Ext, "ext-1");
    EXPECT_EQ(user->MaxCapKey, 115);
    EXPECT_TRUE(user->GK.empty());
  }
  EXPECT_EQ(target.ContactStatistics.size(), 1u);
  const auto lines = diag.Lines();
  ASSERT_EQ(lines.size(), 2u);
  for (const auto &line : lines) {
    EXPECT_EQ(line.text, "TEventDataUserRealTime::operator= exception raised.");
    EXPECT_EQ(line.file, std::string("EventData/tstTEventDataUserRealTime"));
    EXPECT_EQ(line.category, TDiag::SEVR);
  }
}

TEST(UserRealTimeRecord, CountsBelowOneReadAsEmptyLists) {
  Bytes negative = Packed(TEventDataUserRealTime());
  for (std::size_t list = 1; list <= 5; ++list)
    PutInt(negative, negative.size() - 4 * list, list % 2 ? -1 : INT_MIN);
  TEventDataUserRealTime user = FilledUser();
  EXPECT_EQ(UnpackInto(negative, user), 0u);
  EXPECT_EQ(Packed(user), Packed(TEventDataUserRealTime()));
}

// The raw enumerations of the user rows: one outside its table travels whole and shows as
// invalid; one cut short keeps the field's value and consumes nothing, and at the end of a
// payload the event keeps the record and nothing leaks.
TEST(UserRealTimeRawEnumerations, TravelWholeAndACutOneKeepsItsValue) {
  TEventDataUserContactStatistics contact, decodedContact;
  contact.CT = static_cast<enContactType>(12);
  contact.HandlingState = static_cast<enHandlingState>(-1);
  EXPECT_EQ(UnpackInto(Packed(contact), decodedContact), 0u);
  EXPECT_EQ(decodedContact.CT, 12);
  EXPECT_EQ(decodedContact.HandlingState, -1);
  EXPECT_NE(decodedContact.ToString().find(", CT:Invalid, "), std::string::npos);
  EXPECT_NE(decodedContact.ToString().find(", HandlingState:Invalid, "), std::string::npos);

  TEventDataUserCSMStatistics csm, decodedCsm;
  csm.Type = static_cast<enCSMType>(INT_MIN);
  EXPECT_EQ(UnpackInto(Packed(csm), decodedCsm), 0u);
  EXPECT_EQ(decodedCsm.Type, INT_MIN);
  EXPECT_EQ(decodedCsm.ToString(), "CSMStats: {Type:Invalid, BGL:}");

  TEventDataUserRealTime user;
  user.CSMStatistics.resize(1);
  user.CSMStatistics[0].BGL = "sup";
  user.CSMStatistics[0].Type = CSMTYPE_BARGEIN;
  const Bytes bytes = Packed(user.CSMStatistics[0]);
  for (std::size_t missing = 1; missing <= 4; ++missing) {
    TEventDataUserCSMStatistics decoded;
    decoded.Type = CSMTYPE_SILENTMONITORING;
    EXPECT_EQ(UnpackInto(Bytes(bytes.begin(), bytes.end() - missing), decoded), 4u - missing);
    EXPECT_EQ(decoded.BGL, "sup");
    EXPECT_EQ(decoded.Type, CSMTYPE_SILENTMONITORING);
  }

  const auto live = TMemory::LiveRegistrations();
  {
    Bytes payload = PackedBytes([&](TPack &p) { p << 1 << user; });
    payload.resize(payload.size() - 2);
    TUserRealTimeEvent event;
    EXPECT_EQ(UnpackInto(payload, event), 2u);
    EXPECT_EQ(event.EventDataList.at(0)->CSMStatistics.at(0).Type, CSMTYPE_NONE);
  }
  EXPECT_EQ(TMemory::LiveRegistrations(), live);
}

// Fields that stay on this side: the wire leaves them (packing skips them, unpacking and
// clearing keep them) and copies carry them.
TEST(LocalFields, StayOffTheWireAndTravelWithCopies) {
  TUserRealTimeEvent event;
  const Bytes unflagged = Packed(event);
  event.ApplicationFlag = true;
  EXPECT_EQ(Packed(event), unflagged);
  EXPECT_EQ(UnpackInto(unflagged, event), 0u);
  event.Clear();
  TUserRealTimeEvent assigned;
  assigned = event;
  EXPECT_TRUE(TUserRealTimeEvent(event).ApplicationFlag);
  EXPECT_TRUE(assigned.ApplicationFlag);
  TUserRealTimeEvent decoded;
  UnpackInto(Packed(event), decoded);
  EXPECT_FALSE(decoded.ApplicationFlag);

  TEventDataQueueRealTime queue;
  queue.LocalValue = 24;
  TEventDataQueueRealTime decodedQueue;
  decodedQueue.LocalValue = 9;
  EXPECT_EQ(UnpackInto(Packed(queue), decodedQueue), 0u);
  EXPECT_EQ(decodedQueue.LocalValue, 9);
  EXPECT_EQ(TEventDataQueueRealTime(queue).LocalValue, 24);
  decodedQueue = queue;
  EXPECT_EQ(decodedQueue.LocalValue, 24);
}

// Each medium's letter in the queue key's label, and U on either side of the table.
TEST(QueueRealTimeRecord, MediumLetters) {
  std::string letters;
  for (int medium = -1; medium <= 6; ++medium)
    letters += TEventDataQueueRealTime().ToString(static_cast<TSMEnum::MEDIUM>(medium));
  EXPECT_EQ(letters, "UUTCEWUU");
}

} // namespace
