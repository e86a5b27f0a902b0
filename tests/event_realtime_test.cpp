// What the user and queue real-time records and events do beyond the layouts the row layout
// suite checks.
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
[[gnu::noinline]] void operator delete(void *block) noexcept { std::free(block); }
[[gnu::noinline]] void operator delete(void *block, std::size_t) noexcept { std::free(block); }

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

// A raw enumeration cut short keeps the field's value and consumes nothing; at the end of a
// payload the event keeps the record and nothing leaks.
TEST(UserRealTimeBadInput, CutInsideARawEnumerationKeepsItsValueAndConsumesNothing) {
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

// The flag is not packed: unpacking and clearing leave it, and a decoded event starts without it.
TEST(UserRealTimeEvent, FlagTravelsWithCopiesButNotOnTheWire) {
  TUserRealTimeEvent event;
  const Bytes unflagged = Packed(event);
  event.ApplicationFlag = true;
  EXPECT_EQ(Packed(event), unflagged);
  TUserRealTimeEvent assigned;
  assigned = event;
  EXPECT_TRUE(TUserRealTimeEvent(event).ApplicationFlag);
  EXPECT_TRUE(assigned.ApplicationFlag);

  TUserRealTimeEvent decoded;
  UnpackInto(unflagged, event);
  event.Clear();
  UnpackInto(Packed(event), decoded);
  EXPECT_TRUE(event.ApplicationFlag);
  EXPECT_FALSE(decoded.ApplicationFlag);
}

TEST(QueueRealTimeRecord, MediumLettersAndTheLocalValue) {
  std::string letters;
  TEventDataQueueRealTime queue;
  for (int medium = -1; medium <= 6; ++medium)
    letters += queue.ToString(static_cast<TSMEnum::MEDIUM>(medium));
  EXPECT_EQ(letters, "UUTCEWUU");

  // The 16-bit value stays on this side (unpacking leaves it), but copies carry it.
  queue.LocalValue = 24;
  TEventDataQueueRealTime decoded;
  decoded.LocalValue = 9;
  EXPECT_EQ(UnpackInto(Packed(queue), decoded), 0u);
  EXPECT_EQ(decoded.LocalValue, 9);
  EXPECT_EQ(TEventDataQueueRealTime(queue).LocalValue, 24);
  decoded = queue;
  EXPECT_EQ(decoded.LocalValue, 24);
}

// The site statistics and the 16-bit value travel after the records whatever the count, copies
// and assignments carry them, and clearing leaves them.
TEST(QueueRealTimeEvent, FieldsAfterTheListTravelWhateverTheCountAndCopiesCarryThem) {
  TEventDataSiteStatistics site;
  Distinct(1, site.Ans, site.SL, site.EstSL, site.EstWT, site.WT);
  const auto trailer = [&](int count) {
    return PackedBytes(
        [&](TPack &p) { p << count << site << static_cast<unsigned short>(0xBEEF); });
  };
  TQueueRealTimeEvent source = FilledEvent<TQueueRealTimeEvent>(1);
  source.SiteStatistics = site;
  source.TrailerValue = 0xBEEF;
  EXPECT_EQ(Packed(source), PackedBytes([&](TPack &p) {
              p << 1 << *source.EventDataList[0] << site << static_cast<unsigned short>(0xBEEF);
            }));
  TQueueRealTimeEvent copied(source);
  TQueueRealTimeEvent assigned = FilledEvent<TQueueRealTimeEvent>(2, 5);
  assigned = source;
  EXPECT_EQ(Packed(copied), Packed(source));
  EXPECT_EQ(Packed(assigned), Packed(source));
  assigned.CleanUp();
  EXPECT_EQ(Packed(assigned), trailer(0));

  TQueueRealTimeEvent decoded;
  EXPECT_EQ(UnpackInto(trailer(-1), decoded), 0u);
  EXPECT_EQ(Packed(decoded), trailer(0));
}

} // namespace
