// The contact-log records and the query, update and delete requests of AContactLog.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ContactTestSupport.h"
#include "client/tstAContactLog.h"

namespace {

constexpr char kServer[] = "ContactLogTestServer";

TEST(ContactLogRecords, EntryTravelsInTableOrder) {
  TEventDataContactLog entry;
  entry.RecordKey = 1;
  entry.ContactType = 3;
  entry.ShortValue3 = 6;
  entry.IntValue1 = 8;
  entry.TextValue2 = "t2";
  entry.ExtraText1 = "e1";
  // Size() and the unpacking of the same layout are the record fuzz target's checks.
  EXPECT_EQ(Bytes(entry), PackedBytes([](TPack &p) {
              p << 1L << short(0) << short(3) << short(0) << short(0) << short(6) << 0L << 8L << 0L
                << 0L << 0L << -1L << Texts{"", "", "", "t2"} << TTimeStamp(1) << Texts{"e1", ""};
            }));
}

TEST(ContactLogRecords, UpdateRendersOutOfWireOrderWithABlankBeforeTheContact) {
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
  const auto bytes = Bytes(event);
  TQueryContactLogDataEvent target;
  target.ContactLogs.resize(4);
  UnpackBytes(bytes, target);
  ASSERT_EQ(target.ContactLogs.size(), 2u);
  EXPECT_EQ(target.ContactLogs[1].RecordKey, 5);

  const auto withCount = [](int count) {
    return PackedBytes([&](TPack &p) { p << short(1) << 2 << "" << count; });
  };
  UnpackBytes(withCount(0), target);
  EXPECT_TRUE(target.ContactLogs.empty());
  ExpectThrowWhat<std::length_error>([&] { UnpackBytes(withCount(-1), target); },
                                     "vector<T> too long");
  // A count far beyond the bytes that follow fails at the first short read.
  // (What it may reserve on the way is the allocation bounds' check.)
  EXPECT_THROW(UnpackBytes(withCount(0x7fffffff), target), TPackError);
  ExpectEveryPrefixFails<TQueryContactLogDataEvent>(bytes);
}

using ContactLogRequests = BoundServerTest<kServer>;

TEST_F(ContactLogRequests, QueryAndOtherDeletesSendTheEntry) {
  AContactLog log;
  log.RecordKey = 5;
  log.ExtraText2 = "extra";
  const auto entry = Bytes(static_cast<TEventDataContactLog &>(log));
  server_.ReplyWith(TRpcReply{true, 0, 0, {1, 2, 3}});
  EXPECT_EQ(log.QueryContactLogSummary(), 0);
  ExpectRequest(server_.OnlyRequest(), 0, 2, 0, entry.size(), entry);

  // Any delete action but 3 reads the reply header only.
  server_.ReplyWith(TRpcReply{true, 0, 0, PackedBytes([](TPack &p) { p << TMsgReplyHdr(12, 8); })});
  EXPECT_EQ(log.DeleteContactLogSummary(static_cast<TEventDataContactLog::enContactLogActions>(5)),
            12);
  EXPECT_EQ(log.RecordKey, 5);
  ExpectRequest(server_.Requests().back(), 1, 2, 5, entry.size(), entry);
}

// The update, and the delete with action 3, send the short form and take the new key from the
// reply, even from one cut short after the key.
TEST_F(ContactLogRequests, UpdateAndDeleteThreeSendTheShortFormAndTakeTheKey) {
  AContactLog log;
  log.RecordKey = 5;
  log.Requeued = -2;
  log.ContactType = 4;
  log.AgentKey = 31;
  log.ContactID = "cid";
  log.Contact = "who";
  server_.ReplyWith(
      TRpcReply{true, 0, 0, PackedBytes([](TPack &p) { p << 77L << TMsgReplyHdr(0, 8); })});
  EXPECT_EQ(log.UpdateContactLogSummary(), 0);
  EXPECT_EQ(log.RecordKey, 77);

  server_.ReplyWith(TRpcReply{true, 0, 0, PackedBytes([](TPack &p) { p << 78L; })});
  DiagCapture diag;
  EXPECT_EQ(log.DeleteContactLogSummary(TEventDataContactLog::CONTACTLOG_UPDATE), 5709);
  EXPECT_EQ(log.RecordKey, 78);
  EXPECT_EQ(diag.Texts().at(2),
            "AContactLog::GetMessageReply: Failed to unpack response from Statistics server");
  EXPECT_EQ(diag.Lines()[2].category, TDiag::SEVR);
  EXPECT_EQ(diag.Texts().size(), 4u); // no "Exception occured" line

  const auto requests = server_.Requests();
  ASSERT_EQ(requests.size(), 2u);
  for (const int key : {5, 77}) {
    const auto body = PackedBytes([&](TPack &p) {
      p << short(4) << 31 << key << -2 << Texts{"cid", "who"};
    });
    ExpectRequest(requests[key == 5 ? 0 : 1], 1, 2, 3, body.size(), body);
  }
}

} // namespace
