// The records that travel in requests and replies (contact detail with its callback and
// open-media records, contact log, error record): set-flags, trimming, wire layout, the unpack
// rules of their lists and flags, and their behaviour on truncated input.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ContactTestSupport.h"
#include "records/tstTContactDetail.h"
#include "records/tstTErrorRecord.h"
#include "records/tstTEventDataContactLog.h"

namespace {

// Every proper prefix of `bytes` fails to unpack with TPackError (the sanitizer build checks
// that nothing leaks on the way out).
template <typename Record> void ExpectEveryPrefixFails(const Bytes &bytes) {
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    Record target;
    EXPECT_THROW(UnpackInto(Bytes(bytes.begin(), bytes.begin() + length), target), TPackError)
        << length;
  }
}

// `call` throws `Error` whose what() is `what`.
template <typename Error, typename Call> void ExpectThrowWhat(Call call, const char *what) {
  try {
    call();
    ADD_FAILURE() << "no exception";
  } catch (const Error &error) {
    EXPECT_STREQ(error.what(), what);
  }
}

// Once-only setters, testers and the short flag; trimming follows the field table, blanks
// inside and all-blank values stay.
TEST(SetFlags, OnceOnlySettersTestersTheShortFlagAndTrimming) {
  // The common fields and the detail keep flags of their own: bit 8 of one is not the other's.
  TContactDetail detail;
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

  TCallbackAttemptLog attempt;
  attempt.SetOnceAttemptID(" \t\n\r\f\vx y\v\f\r\n\t ");
  attempt.SetOrigDestination("   ");
  EXPECT_EQ(attempt.GetAttemptID(), "x y");
  EXPECT_EQ(attempt.GetOrigDestination(), "   ");
  detail.SetContactFrom(" from ");
  detail.SetCallData(" data ");
  EXPECT_EQ(detail.GetContactFrom(), "from");
  EXPECT_EQ(detail.GetCallData(), " data ");
}

// The whole wire layout of a contact detail written by hand in table order, nested records
// included: every field with a value of its own, and one element in four of the five lists.
// Flags never travel; every truncation fails.
TEST(ContactRecords, DetailTravelsInTableOrderWithoutFlags) {
  const Bytes bytes = PackedBytes([](TPack &p) {
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
  TContactDetail detail;
  detail.SetOnceContactID("kept");
  detail.addOpenMediaContent(TOpenMediaContent());
  EXPECT_EQ(UnpackInto(bytes, detail), 0u);
  EXPECT_EQ(Packed(detail), bytes);
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
  ExpectEveryPrefixFails<TContactDetail>(bytes);
}

// The entry travels in table order (Size() and the unpacking of the same layout are the record
// fuzz target's checks); the update renders out of wire order, with a blank before the contact.
TEST(ContactLogRecords, EntryTravelsInTableOrderAndTheUpdateRendersOutOfIt) {
  TEventDataContactLog entry;
  entry.RecordKey = 1;
  entry.ContactType = 3;
  entry.ShortValue3 = 6;
  entry.IntValue1 = 8;
  entry.TextValue2 = "t2";
  entry.ExtraText1 = "e1";
  EXPECT_EQ(Packed(entry), PackedBytes([](TPack &p) {
              p << 1L << short(0) << short(3) << short(0) << short(0) << short(6) << 0L << 8L << 0L
                << 0L << 0L << -1L << Texts{"", "", "", "t2"} << TTimeStamp(1) << Texts{"e1", ""};
            }));

  TEventDataUpdateContactLog update;
  update.RecordKey = 5;
  update.ContactID = "C1";
  update.AgentKey = 7;
  update.Requeued = -2;
  update.ContactType = 3;
  update.Contact = "x";
  EXPECT_EQ(update.ToString(), "{RecordK:5, CID:C1, AK:7, Requeued:-2, CT:3, Contact: x}");
}

TEST(ContactLogRecords, QueryEventCountRules) {
  TQueryContactLogDataEvent event;
  event.ContactLogs.resize(2);
  event.ContactLogs[1].RecordKey = 5;
  const Bytes bytes = Packed(event);
  TQueryContactLogDataEvent target;
  target.ContactLogs.resize(4);
  UnpackInto(bytes, target);
  ASSERT_EQ(target.ContactLogs.size(), 2u);
  EXPECT_EQ(target.ContactLogs[1].RecordKey, 5);

  const auto withCount = [](int count) {
    return PackedBytes([&](TPack &p) { p << short(1) << 2 << "" << count; });
  };
  UnpackInto(withCount(0), target);
  EXPECT_TRUE(target.ContactLogs.empty());
  ExpectThrowWhat<std::length_error>([&] { UnpackInto(withCount(-1), target); },
                                     "vector<T> too long");
  // A count far beyond the bytes that follow fails at the first short read.
  // (What it may reserve on the way is the allocation bounds' check.)
  EXPECT_THROW(UnpackInto(withCount(0x7fffffff), target), TPackError);
  ExpectEveryPrefixFails<TQueryContactLogDataEvent>(bytes);
}

// The error record's flags travel as a number ahead of the fields; unpacking replaces them
// with its low eight bits, which then drive the once-only setters.
TEST(ErrorRecord, FlagsTravelAsANumberAheadOfTheFields) {
  TErrorRecord record;
  record.SetModuleName("module");
  record.SetErrorText("text");
  record.SetErrorTime(Stamp(1, 12));
  record.SetRetCode(-1);
  record.SetSiteKey(4);
  record.SetOnceLineNumber(3);
  EXPECT_EQ(Packed(record), PackedBytes([](TPack &p) {
              p << 250UL << 0 << -1 << 0 << 3 << 4 << Texts{"module", "text"} << Stamp(1, 12);
            }));
  EXPECT_EQ(record.Size(), Packed(record).size());

  UnpackInto(PackedBytes([](TPack &p) {
               p << 0x321UL << 5 << 6 << 7 << 8 << 9 << Texts{"m", "t"} << Stamp(1, 12);
             }),
             record);
  using Bit = TErrorRecord::SetBit_TErrorRecord;
  for (int bit = 0; bit < 8; ++bit)
    EXPECT_EQ(record.IsSetTErrorRecord(Bit(bit)), bit == 0 || bit == 5) << bit;
  EXPECT_EQ(record.GetSiteKey(), 9);
  record.SetOnceType(1);
  record.SetOnceLineNumber(1);
  EXPECT_EQ(record.GetType(), 5);
  EXPECT_EQ(record.GetLineNumber(), 1);
  EXPECT_THROW(record.IsSetTErrorRecord(Bit(8)), std::out_of_range);
}

} // namespace
