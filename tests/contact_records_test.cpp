// The contact-detail, callback and open-media records: set-flags, trimming, wire layout, the
// unpack rules of their lists and their behaviour on truncated input.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ContactTestSupport.h"
#include "tstTContactDetail.h"
#include "tstTErrorRecord.h"

namespace {

using namespace std::string_literals;

TTimeStamp Stamp(unsigned short day) {
  TTimeStamp stamp(1);
  stamp.SetYear(2026);
  stamp.SetDay(day);
  return stamp;
}

template <typename Call> void ExpectOutOfRange(Call call) {
  try {
    call();
    ADD_FAILURE() << "no exception";
  } catch (const std::out_of_range &error) {
    EXPECT_STREQ(error.what(), "invalid bitset<N> position");
  }
}

// A contact detail written by hand in table order: every field with a value of its own, and one
// element in four of the five lists.
std::vector<unsigned char> DetailBytes() {
  return PackedBytes([](TPack &p) {
    p << "from"s
      << "to"s
      << "description"s
      << "call data"s << short(4) << 5L << 6L << 7L << 8L << 9L << 10L << 11L << 12L << 13L << true
      << 19L << Stamp(15) << Stamp(16) << 18L;
    p << 2u << 100L << 101L << 0u << 20L;
    p << "job"s
      << "unique"s
      << "contact"s << -3L << 24L << short(25) << false << "name"s << 29L << 30L << 31L << 32L
      << 33L << 34L << Stamp(25) << Stamp(26) << "subject"s
      << "title"s << 39 << "pop from"s
      << "redirect"s
      << "wc"s;
    p << 1u << ""s
      << "call"s
      << ""s << TTimeStamp(1) << Stamp(2) << TTimeStamp(1);
    p << 1u << 1L << 0L << 0L << 0L << 0L << 0L << -60L << ""s
      << ""s
      << "attempt"s << TTimeStamp(1) << Stamp(3);
    p << 1u << 1L << ""s
      << ""s
      << "type"s
      << ""s << Stamp(1);
  });
}

TEST(SetFlags, OnceOnlySettersLookAtTheirOwnFlagOnly) {
  TCallbackAttemptLog attempt;
  attempt.SetOnceAgentKey(5);
  attempt.SetOnceAgentKey(7);
  EXPECT_EQ(attempt.GetAgentKey(), 5);
  attempt.SetAgentKey(7);
  EXPECT_EQ(attempt.GetAgentKey(), 7);

  TContactDetail detail;
  detail.SetPriority(3);
  detail.SetOnceCallbackContactName("first");
  detail.SetOnceCallbackContactName("second");
  EXPECT_EQ(detail.GetCallbackContactName(), "first");
  detail.SetOnceQueueKey(1);
  detail.SetOnceQueueKey(2);
  EXPECT_EQ(detail.GetQueueKey(), 1);
}

TEST(SetFlags, TestersFollowTheTablePositionsAndRejectTheRest) {
  TContactDetail detail;
  detail.SetOnceScreenPopRedirect("x");
  detail.SetCallbackContactName("n");
  detail.SetAsynchronousEvent(1);
  detail.SetWCContent("w");
  for (int position = 0; position < 23; ++position)
    EXPECT_EQ(
        detail.IsSetTContactDetail(static_cast<TContactDetail::SetBit_TContactDetail>(position)),
        position == 6 || position == 8 || position == 21 || position == 22)
        << position;

  using Detail = TContactDetail::SetBit_TContactDetail;
  using Attempt = TCallbackAttemptLog::SetBit_TCallbackAttemptLog;
  using Schedule = TCallbackScheduleLog::SetBit_TCallbackScheduleLog;
  ExpectOutOfRange([&] { detail.IsSetTContactDetail(static_cast<Detail>(23)); });
  ExpectOutOfRange([&] { detail.IsSetTContactDetail(static_cast<Detail>(-1)); });
  EXPECT_FALSE(TCallbackAttemptLog().IsSetTCallbackAttemptLog(static_cast<Attempt>(11)));
  ExpectOutOfRange(
      [] { TCallbackAttemptLog().IsSetTCallbackAttemptLog(static_cast<Attempt>(12)); });
  EXPECT_FALSE(TCallbackScheduleLog().IsSetTCallbackScheduleLog(static_cast<Schedule>(5)));
  ExpectOutOfRange(
      [] { TCallbackScheduleLog().IsSetTCallbackScheduleLog(static_cast<Schedule>(6)); });
}

TEST(SetFlags, TrimmedSettersDropTheSixBlanksAtBothEnds) {
  TCallbackAttemptLog attempt;
  attempt.SetCallbackID("  id 1\t");
  EXPECT_EQ(attempt.GetCallbackID(), "id 1");
  attempt.SetOnceAttemptID(" \t\n\r\f\vx y\v\f\r\n\t ");
  EXPECT_EQ(attempt.GetAttemptID(), "x y");
  attempt.SetOrigDestination("   ");
  EXPECT_EQ(attempt.GetOrigDestination(), "   ");
  attempt.SetOrigDestination("");
  EXPECT_EQ(attempt.GetOrigDestination(), "");

  TCallbackScheduleLog schedule;
  schedule.SetPhoneNumber(" 555 ");
  EXPECT_EQ(schedule.GetPhoneNumber(), " 555 ");

  TContactDetail detail;
  detail.SetContactFrom(" from ");
  detail.SetCallData(" data ");
  detail.SetClientJobID(" job ");
  detail.SetOpenMediaTitle("\ttitle\n");
  EXPECT_EQ(detail.GetContactFrom(), "from");
  EXPECT_EQ(detail.GetCallData(), " data ");
  EXPECT_EQ(detail.GetClientJobID(), " job ");
  EXPECT_EQ(detail.GetOpenMediaTitle(), "title");

  TOpenMediaContent content;
  content.SetDestination(" to\r\n");
  EXPECT_EQ(content.GetDestination(), "to");
}

TEST(ContactRecords, DefaultsAndTheShortFlag) {
  TContactDetail detail;
  EXPECT_EQ(detail.GetRequeueCount(), -9999);
  EXPECT_EQ(detail.GetRequeueCount(), TContactDetail::UNKNOWN_REQUEUE_COUNT);
  EXPECT_EQ(detail.IsAsynchronousEvent(), 1);
  detail.SetAsynchronousEvent(2);
  EXPECT_EQ(detail.IsAsynchronousEvent(), 1);

  // Open-media content starts from the current time, the callback logs from the zero value.
  EXPECT_NE(TOpenMediaContent().GetReceivedTime(), TTimeStamp(1));
  EXPECT_EQ(TCallbackAttemptLog().GetCreatorTime(), TTimeStamp(1));
  EXPECT_EQ(TCallbackScheduleLog().GetScheduleEndTime(), TTimeStamp(1));
}

// The whole wire layout, nested records included; flags never travel.
TEST(ContactRecords, DetailTravelsInTableOrderWithoutFlags) {
  const auto bytes = DetailBytes();
  TContactDetail detail;
  detail.SetOnceContactID("kept");
  UnpackBytes(bytes, detail);
  EXPECT_EQ(Bytes(detail), bytes);
  EXPECT_EQ(detail.Size(), bytes.size());

  // The fields that travel out of flag order, and a few on either side of them.
  EXPECT_EQ(detail.GetContactTimedOut(), true);
  EXPECT_EQ(detail.GetActiveTime(), 19);
  EXPECT_EQ(detail.GetAgentDisconnectTime(), Stamp(15));
  EXPECT_EQ(detail.GetPostProcessingTime(), 18);
  EXPECT_EQ(detail.ValueListA, (std::vector<long>{100, 101}));
  EXPECT_EQ(detail.GetBusUnitKey(), 20);
  EXPECT_EQ(detail.GetClientJobID(), "job");
  EXPECT_EQ(detail.GetRequeueCount(), -3);
  EXPECT_EQ(detail.GetMediaType(), 25);
  EXPECT_EQ(detail.IsAsynchronousEvent(), 0);
  EXPECT_EQ(detail.GetCallbackLastCallTime(), Stamp(26));
  EXPECT_EQ(detail.GetSequenceNumber(), 39);
  EXPECT_EQ(detail.GetWCContent(), "wc");
  EXPECT_EQ(detail.CallbackAttemptLogs.at(0).GetSiteTZOffset(), -60);
  EXPECT_EQ(detail.GetOpenMediaContents().at(0).GetSourceType(), "type");

  EXPECT_TRUE(detail.IsSetTContactDetail(TContactDetail::BitContactID));
  EXPECT_FALSE(detail.IsSetTContactDetail(TContactDetail::BitClientJobID));
  EXPECT_FALSE(
      detail.CallbackAttemptLogs[0].IsSetTCallbackAttemptLog(TCallbackAttemptLog::BitAttemptID));
  // The common fields' flags stay clear too: their once-only setters still write.
  detail.SetOnceQueueKey(70);
  EXPECT_EQ(detail.GetQueueKey(), 70);
}

TEST(ContactRecords, UnpackAppendsIntegerListsAndReplacesRecordLists) {
  TContactDetail source;
  source.ValueListA = {1, 2};
  source.CallbackScheduleLogs.resize(1);
  source.addOpenMediaContent(TOpenMediaContent());
  const auto bytes = Bytes(source);

  TContactDetail target;
  target.CallbackAttemptLogs.resize(3);
  UnpackBytes(bytes, target);
  UnpackBytes(bytes, target);
  EXPECT_EQ(target.ValueListA, (std::vector<long>{1, 2, 1, 2}));
  EXPECT_EQ(target.CallbackScheduleLogs.size(), 1u);
  EXPECT_TRUE(target.CallbackAttemptLogs.empty());
  EXPECT_EQ(target.GetOpenMediaContents().size(), 1u);

  source.ValueListB.push_back(7);
  EXPECT_EQ(source.Size(), bytes.size() + 4);
}

// Every prefix of a valid packing fails with TPackError; the sanitizer build checks for leaks.
TEST(ContactRecords, TruncatedInputFailsAtEveryPrefix) {
  const auto bytes = DetailBytes();
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    TContactDetail target;
    EXPECT_THROW(UnpackBytes({bytes.begin(), bytes.begin() + length}, target), TPackError)
        << length;
  }
}

TEST(ContactRecords, HugeListCountFailsWithoutAllocatingForIt) {
  // The common fields up to ValueListA, a count of 2^32 - 1 and a single element.
  auto huge = Bytes(TContactDetailCommonFields());
  huge.resize(huge.size() - 12); // the two counts and BusUnitKey
  huge.insert(huge.end(), {0xff, 0xff, 0xff, 0xff, 1, 0, 0, 0});
  TContactDetail target;
  EXPECT_THROW(UnpackBytes(huge, target), TPackError);
  EXPECT_EQ(target.ValueListA, (std::vector<long>{1}));
  EXPECT_LT(target.ValueListA.capacity(), 16u);

  // A default detail whose first record list claims 2^31 - 1 entries and holds none.
  auto records = Bytes(TContactDetail());
  records.resize(records.size() - 12); // the three record-list counts
  records.insert(records.end(), {0xff, 0xff, 0xff, 0x7f});
  EXPECT_THROW(UnpackBytes(records, target), TPackError);
  EXPECT_LT(target.CallbackScheduleLogs.capacity(), 16u);
}

} // namespace
