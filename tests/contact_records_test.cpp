// The contact-detail, callback and open-media records: set-flags, trimming, wire layout, the
// unpack rules of their lists and their behaviour on truncated input.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ContactTestSupport.h"
#include "records/tstTContactDetail.h"

namespace {

// A contact detail written by hand in table order: every field with a value of its own, and one
// element in four of the five lists.
std::vector<unsigned char> DetailBytes() {
  return PackedBytes([](TPack &p) {
    p << Texts{"from", "to", "description", "call data"} << short(4) << 5L << 6L << 7L << 8L << 9L
      << 10L << 11L << 12L << 13L << true << 19L << Stamp(15) << Stamp(16) << 18L;
    p << 2u << 100L << 101L << 0u << 20L;
    p << Texts{"job", "unique", "contact"} << -3L << 24L << short(25) << false << "name" << 29L
      << 30L << 31L << 32L << 33L << 34L << Stamp(25) << Stamp(26) << Texts{"subject", "title"}
      << 39 << Texts{"pop from", "redirect", "wc"};
    p << 1u << Texts{"", "call", ""} << TTimeStamp(1) << Stamp(2) << TTimeStamp(1);
    p << 1u << 1L << 0L << 0L << 0L << 0L << 0L << -60L << Texts{"", "", "attempt"} << TTimeStamp(1)
      << Stamp(3);
    p << 1u << 1L << Texts{"", "", "type", ""} << Stamp(1);
  });
}

TEST(SetFlags, OnceOnlySettersTestersAndTheShortFlag) {
  // The common fields and the detail keep flags of their own: bit 8 of one is not the other's.
  TContactDetail detail;
  EXPECT_EQ(detail.GetRequeueCount(), TContactDetail::UNKNOWN_REQUEUE_COUNT);
  detail.SetPriority(3);
  detail.SetOnceCallbackContactName("first");
  detail.SetOnceCallbackContactName("second");
  detail.SetOnceQueueKey(1);
  detail.SetOnceQueueKey(2);
  EXPECT_EQ(detail.GetCallbackContactName(), "first");
  EXPECT_EQ(detail.GetQueueKey(), 1);
  detail.SetOnceScreenPopRedirect("x");
  detail.SetAsynchronousEvent(2);
  EXPECT_EQ(detail.IsAsynchronousEvent(), 1);
  detail.SetWCContent("w");
  using Detail = TContactDetail::SetBit_TContactDetail;
  for (int position = 0; position < 23; ++position)
    EXPECT_EQ(detail.IsSetTContactDetail(Detail(position)),
              position == 6 || position == 8 || position == 21 || position == 22)
        << position;

  const auto outOfRange = [](auto call) {
    ExpectThrowWhat<std::out_of_range>(call, "invalid bitset<N> position");
  };
  outOfRange([&] { detail.IsSetTContactDetail(Detail(23)); });
  outOfRange([&] { detail.IsSetTContactDetail(Detail(-1)); });
  using Attempt = TCallbackAttemptLog::SetBit_TCallbackAttemptLog;
  using Schedule = TCallbackScheduleLog::SetBit_TCallbackScheduleLog;
  EXPECT_FALSE(TCallbackAttemptLog().IsSetTCallbackAttemptLog(Attempt(11)));
  outOfRange([] { TCallbackAttemptLog().IsSetTCallbackAttemptLog(Attempt(12)); });
  EXPECT_FALSE(TCallbackScheduleLog().IsSetTCallbackScheduleLog(Schedule(5)));
  outOfRange([] { TCallbackScheduleLog().IsSetTCallbackScheduleLog(Schedule(6)); });
}

// Trimming follows the field table; blanks inside and all-blank values stay.
TEST(SetFlags, TrimmedSettersDropTheSixBlanksAtBothEnds) {
  TCallbackAttemptLog attempt;
  attempt.SetOnceAttemptID(" \t\n\r\f\vx y\v\f\r\n\t ");
  attempt.SetOrigDestination("   ");
  EXPECT_EQ(attempt.GetAttemptID(), "x y");
  EXPECT_EQ(attempt.GetOrigDestination(), "   ");
  TContactDetail detail;
  detail.SetContactFrom(" from ");
  detail.SetCallData(" data ");
  EXPECT_EQ(detail.GetContactFrom(), "from");
  EXPECT_EQ(detail.GetCallData(), " data ");
}

// The whole wire layout, nested records included; flags never travel.
TEST(ContactRecords, DetailTravelsInTableOrderWithoutFlags) {
  const auto bytes = DetailBytes();
  TContactDetail detail;
  detail.SetOnceContactID("kept");
  detail.addOpenMediaContent(TOpenMediaContent());
  UnpackBytes(bytes, detail);
  EXPECT_EQ(Bytes(detail), bytes);
  EXPECT_EQ(detail.Size(), bytes.size());

  // The fields that travel out of flag order, and the nested records.
  EXPECT_EQ(detail.GetActiveTime(), 19);
  EXPECT_EQ(detail.GetAgentDisconnectTime(), Stamp(15));
  EXPECT_EQ(detail.GetPostProcessingTime(), 18);
  EXPECT_EQ(detail.ValueListA, (std::vector<long>{100, 101}));
  EXPECT_EQ(detail.GetBusUnitKey(), 20);
  EXPECT_EQ(detail.IsAsynchronousEvent(), 0);
  EXPECT_EQ(detail.CallbackAttemptLogs.at(0).GetSiteTZOffset(), -60);
  ASSERT_EQ(detail.GetOpenMediaContents().size(), 1u);
  EXPECT_EQ(detail.GetOpenMediaContents()[0].GetSourceType(), "type");

  EXPECT_TRUE(detail.IsSetTContactDetail(TContactDetail::BitContactID));
  EXPECT_FALSE(detail.IsSetTContactDetail(TContactDetail::BitClientJobID));
  // The common fields' flags stay clear too: their once-only setters still write.
  detail.SetOnceQueueKey(70);
  EXPECT_EQ(detail.GetQueueKey(), 70);
}

TEST(ContactRecords, EveryTruncationFails) {
  ExpectEveryPrefixFails<TContactDetail>(DetailBytes());
}

} // namespace
