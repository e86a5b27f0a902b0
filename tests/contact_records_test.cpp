// The contact-detail, callback and open-media records: set-flags, trimming, wire layout, the
// unpack rules of their lists and their behaviour on truncated input.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ContactTestSupport.h"
#include "framework/TTimeZone.h"
#include "tstTContactDetail.h"
#include "tstTErrorRecord.h"

namespace {

TTimeStamp Stamp(unsigned short day) {
  TTimeStamp stamp(1);
  stamp.SetYear(2026);
  stamp.SetMonth(12);
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

// Every field of a contact detail set to a value of its own, lists included.
TContactDetail FilledDetail() {
  TContactDetail d;
  d.SetContactFrom("from");
  d.SetContactTo("to");
  d.SetDescription("description");
  d.SetCallData("call data");
  d.SetContactType(4);
  d.SetContactState(5);
  d.SetSiteKey(6);
  d.SetQueueKey(7);
  d.SetPriority(8);
  d.SetOriginalAnsweringAgentKey(9);
  d.SetAssignedAgentKey(10);
  d.SetReservedAgentKey(11);
  d.SetContactWaitTime(12);
  d.SetContactTotalTime(13);
  d.SetContactTimedOut(true);
  d.SetActiveTime(19);
  d.SetAgentDisconnectTime(Stamp(15));
  d.SetContactOccurredTime(Stamp(16));
  d.SetPostProcessingTime(18);
  d.ValueListA = {100, 101};
  d.SetBusUnitKey(20);
  d.SetClientJobID("job");
  d.SetClientUniqueID("unique");
  d.SetContactID("contact");
  d.SetRequeueCount(-3);
  d.SetRequestAgentKey(24);
  d.SetMediaType(25);
  d.SetAsynchronousEvent(0);
  d.SetCallbackContactName("name");
  d.SetCallbackOriginalCallingAgentKey(29);
  d.SetCallbackCreatorAgentKey(30);
  d.SetCallbackOriginType(31);
  d.SetCallbackResult(32);
  d.SetCallbackRetryDelay(33);
  d.SetCallbackStatus(34);
  d.SetCallbackCreatedTime(Stamp(25));
  d.SetCallbackLastCallTime(Stamp(26));
  d.SetEmailSubject("subject");
  d.SetOpenMediaTitle("title");
  d.SetSequenceNumber(39);
  d.SetScreenPopFrom("pop from");
  d.SetScreenPopRedirect("redirect");
  d.SetWCContent("wc");
  TOpenMediaContent content;
  content.SetSeqNumber(1);
  content.SetReceivedTime(Stamp(1));
  d.addOpenMediaContent(content);
  return d;
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

  TErrorRecord error;
  error.SetType(3);
  error.SetOnceType(5);
  EXPECT_EQ(error.GetType(), 3);
  TErrorRecord fresh;
  fresh.SetOnceType(5);
  EXPECT_EQ(fresh.GetType(), 5);
  EXPECT_TRUE(fresh.IsSetTErrorRecord(TErrorRecord::BitType));
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
  // Every setter of the record leaves position 7 clear.
  const TContactDetail filled = FilledDetail();
  EXPECT_FALSE(filled.IsSetTContactDetail(TContactDetail::BitReserved7));
  EXPECT_TRUE(filled.IsSetTContactDetail(TContactDetail::BitSequenceNumber));

  ExpectOutOfRange([&] { detail.IsSetTContactDetail(TContactDetail::BitCount_TContactDetail); });
  ExpectOutOfRange(
      [&] { detail.IsSetTContactDetail(static_cast<TContactDetail::SetBit_TContactDetail>(-1)); });
  TCallbackAttemptLog attempt;
  attempt.SetAttemptStartTime(Stamp(1));
  EXPECT_TRUE(attempt.IsSetTCallbackAttemptLog(TCallbackAttemptLog::BitAttemptStartTime));
  ExpectOutOfRange([&] {
    attempt.IsSetTCallbackAttemptLog(
        static_cast<TCallbackAttemptLog::SetBit_TCallbackAttemptLog>(12));
  });
  TCallbackScheduleLog schedule;
  schedule.SetCreatorTime(Stamp(1));
  EXPECT_TRUE(schedule.IsSetTCallbackScheduleLog(TCallbackScheduleLog::BitCreatorTime));
  ExpectOutOfRange([&] {
    schedule.IsSetTCallbackScheduleLog(
        static_cast<TCallbackScheduleLog::SetBit_TCallbackScheduleLog>(6));
  });
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
  EXPECT_TRUE(attempt.IsSetTCallbackAttemptLog(TCallbackAttemptLog::BitOrigDestination));

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
  const TContactDetail detail;
  EXPECT_EQ(detail.GetRequeueCount(), TContactDetail::UNKNOWN_REQUEUE_COUNT);
  EXPECT_EQ(detail.GetRequeueCount(), -9999);
  EXPECT_EQ(detail.IsAsynchronousEvent(), 1);
  EXPECT_EQ(detail.GetCallbackCreatedTime(), TTimeStamp(1));

  TContactDetail other;
  other.SetAsynchronousEvent(2);
  EXPECT_EQ(other.IsAsynchronousEvent(), 1);
  other.SetAsynchronousEvent(0);
  EXPECT_EQ(other.IsAsynchronousEvent(), 0);

  // Open-media content starts from the current time, the callback logs from the zero value.
  EXPECT_NE(TOpenMediaContent().GetReceivedTime(), TTimeStamp(1));
  EXPECT_EQ(TCallbackAttemptLog().GetCreatorTime(), TTimeStamp(1));
  EXPECT_EQ(TCallbackScheduleLog().GetScheduleEndTime(), TTimeStamp(1));
}

TEST(ContactRecords, DetailTravelsInTableOrder) {
  const TContactDetail detail = FilledDetail();
  const auto expected = PackedBytes([](TPack &p) {
    p << "from"
      << "to"
      << "description"
      << "call data" << short(4) << 5L << 6L << 7L << 8L << 9L << 10L << 11L << 12L << 13L << true
      << 19L << Stamp(15) << Stamp(16) << 18L;
    p << 2u << 100L << 101L << 0u << 20L;
    p << "job"
      << "unique"
      << "contact" << -3L << 24L << short(25) << false << "name" << 29L << 30L << 31L << 32L << 33L
      << 34L << Stamp(25) << Stamp(26) << "subject"
      << "title" << 39 << "pop from"
      << "redirect"
      << "wc";
    p << 0u << 0u << 1u << 1L << ""
      << ""
      << ""
      << "" << Stamp(1);
  });
  EXPECT_EQ(Bytes(detail), expected);
  EXPECT_EQ(detail.Size(), expected.size());

  TContactDetail copy;
  UnpackBytes(expected, copy);
  EXPECT_EQ(Bytes(copy), expected);
}

TEST(ContactRecords, CallbackLogsRoundTripWithoutTheirFlags) {
  TCallbackAttemptLog attempt;
  attempt.SetSequence(1);
  attempt.SetSiteTZOffset(-60);
  attempt.SetAttemptID("a");
  attempt.SetAttemptStartTime(Stamp(2));
  EXPECT_EQ(Bytes(attempt), PackedBytes([](TPack &p) {
              p << 1L << 0L << 0L << 0L << 0L << 0L << -60L << ""
                << ""
                << "a" << TTimeStamp(1) << Stamp(2);
            }));

  TCallbackAttemptLog target;
  target.SetRetryDelay(9);
  UnpackBytes(Bytes(attempt), target);
  EXPECT_EQ(target.GetRetryDelay(), 0);
  EXPECT_EQ(target.GetSiteTZOffset(), -60);
  EXPECT_TRUE(target.IsSetTCallbackAttemptLog(TCallbackAttemptLog::BitRetryDelay));
  EXPECT_FALSE(target.IsSetTCallbackAttemptLog(TCallbackAttemptLog::BitSequence));

  TCallbackScheduleLog schedule;
  schedule.SetContactName("c");
  schedule.SetScheduleEndTime(Stamp(3));
  TCallbackScheduleLog scheduleTarget;
  UnpackBytes(Bytes(schedule), scheduleTarget);
  EXPECT_EQ(scheduleTarget.GetContactName(), "c");
  EXPECT_EQ(scheduleTarget.GetScheduleEndTime(), Stamp(3));
  EXPECT_FALSE(scheduleTarget.IsSetTCallbackScheduleLog(TCallbackScheduleLog::BitContactName));
}

TEST(ContactRecords, UnpackAppendsIntegerListsAndReplacesRecordLists) {
  TContactDetail source;
  source.ValueListA = {1, 2};
  source.CallbackScheduleLogs.resize(1);
  source.addOpenMediaContent(TOpenMediaContent());
  const auto bytes = Bytes(source);

  TContactDetail target;
  target.SetEmailSubject("kept flag");
  target.CallbackAttemptLogs.resize(3);
  UnpackBytes(bytes, target);
  UnpackBytes(bytes, target);
  EXPECT_EQ(target.ValueListA, (std::vector<long>{1, 2, 1, 2}));
  EXPECT_EQ(target.CallbackScheduleLogs.size(), 1u);
  EXPECT_TRUE(target.CallbackAttemptLogs.empty());
  EXPECT_EQ(target.GetOpenMediaContents().size(), 1u);
  EXPECT_EQ(target.GetEmailSubject(), "");
  EXPECT_TRUE(target.IsSetTContactDetail(TContactDetail::BitEmailSubject));

  // Each list element adds its own packed size.
  source.ValueListB.push_back(7);
  EXPECT_EQ(source.Size(), bytes.size() + 4);
}

TEST(ContactRecords, CopiesAreDeepAndCarryTheFlags) {
  TContactDetail source = FilledDetail();
  source.CallbackAttemptLogs.resize(1);
  source.CallbackAttemptLogs[0].SetAgentKey(4);
  TContactDetail copy(source);
  source.CallbackAttemptLogs[0].SetAgentKey(5);
  source.SetOnceQueueKey(99);
  copy.SetOnceQueueKey(99);
  EXPECT_EQ(copy.GetQueueKey(), 7);
  EXPECT_EQ(copy.CallbackAttemptLogs[0].GetAgentKey(), 4);
  EXPECT_TRUE(copy.IsSetTContactDetail(TContactDetail::BitWCContent));
  const std::vector<unsigned char> before = Bytes(copy);
  const TContactDetail &self = copy;
  copy = self;
  EXPECT_EQ(Bytes(copy), before);
}

// Every prefix of a valid packing fails with TPackError; the sanitizer build checks for leaks.
TEST(ContactRecords, TruncatedInputFailsAtEveryPrefix) {
  TContactDetail source = FilledDetail();
  source.CallbackScheduleLogs.resize(1);
  source.CallbackAttemptLogs.resize(1);
  const auto bytes = Bytes(source);
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

  // A default detail whose first record list claims 2^31 - 1 entries and holds none.
  auto records = Bytes(TContactDetail());
  records.resize(records.size() - 12); // the three record-list counts
  records.insert(records.end(), {0xff, 0xff, 0xff, 0x7f});
  EXPECT_THROW(UnpackBytes(records, target), TPackError);
}

TEST(TimeZone, CopiesCarryNamesAndData) {
  TTimeZoneData data;
  data.setGMTToDST(Stamp(3));
  data.setStandardBias(-60);
  TTimeZone zone;
  zone.SetTimeZoneName("zone");
  zone.SetStandardName("standard");
  zone.setTimeZoneData(2026, data);

  TTimeZone copy(zone);
  TTimeZone assigned;
  assigned = zone;
  for (const TTimeZone *z : {&copy, &assigned}) {
    EXPECT_EQ(z->GetTimeZoneName(), "zone");
    EXPECT_EQ(z->GetStandardName(), "standard");
    ASSERT_EQ(z->getTimeZoneData().count(2026), 1u);
    EXPECT_EQ(z->getTimeZoneData().at(2026).getGMTToDST(), Stamp(3));
    EXPECT_EQ(z->getTimeZoneData().at(2026).getLocalToDST(), TTimeStamp(1));
    EXPECT_EQ(z->getTimeZoneData().at(2026).getStandardBias(), -60);
  }
}

} // namespace
