// The contact-log records and the query, update and delete requests of AContactLog.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "ContactTestSupport.h"
#include "client/tstAContactLog.h"
#include "support/DiagCapture.h"

namespace {

constexpr char kServer[] = "ContactLogTestServer";

// Exposes the protected request operations.
struct ProbeLog : AContactLog {
  using AContactLog::GetMessageReply;
  using AContactLog::SendRequest;
};

TEST(ContactLogRecords, DefaultsAndUpdateText) {
  const TContactLogStatistics entry;
  EXPECT_EQ(entry.IntValue5, -1);
  EXPECT_EQ(entry.IntValue4, 0);
  EXPECT_EQ(entry.TimeValue, TTimeStamp(1));

  TEventDataUpdateContactLog update;
  EXPECT_EQ(update.ToString(), "{RecordK:0, CID:, AK:0, Requeued:0, CT:0, Contact: }");
  update.RecordKey = 7;
  update.ContactID = "c-1";
  update.AgentKey = -2;
  update.Requeued = 3;
  update.ContactType = 4;
  update.Contact = "x y";
  EXPECT_EQ(update.ToString(), "{RecordK:7, CID:c-1, AK:-2, Requeued:3, CT:4, Contact: x y}");
}

TEST(ContactLogRecords, EntryTravelsInTableOrder) {
  TEventDataContactLog entry;
  entry.RecordKey = 1;
  entry.Requeued = 2;
  entry.ContactType = 3;
  entry.ShortValue3 = 6;
  entry.AgentKey = 7;
  entry.IntValue1 = 8;
  entry.ContactID = "id";
  entry.TextValue2 = "t2";
  entry.ExtraText1 = "e1";
  const auto bytes = Bytes(entry);
  EXPECT_EQ(bytes, PackedBytes([](TPack &p) {
              p << 1L << short(2) << short(3) << short(0) << short(0) << short(6) << 7L << 8L << 0L
                << 0L << 0L << -1L << "id"
                << ""
                << ""
                << "t2" << TTimeStamp(1) << "e1"
                << "";
            }));
  EXPECT_EQ(entry.Size(), bytes.size());
  TEventDataContactLog copy;
  UnpackBytes(bytes, copy);
  EXPECT_EQ(Bytes(copy), bytes);
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

  UnpackBytes(PackedBytes([](TPack &p) { p << short(1) << 2 << "" << 0; }), target);
  EXPECT_TRUE(target.ContactLogs.empty());

  try {
    UnpackBytes(PackedBytes([](TPack &p) { p << short(1) << 2 << "" << -1; }), target);
    ADD_FAILURE() << "no exception";
  } catch (const std::length_error &error) {
    EXPECT_STREQ(error.what(), "vector<T> too long");
  }

  // A count far beyond the bytes that follow fails at the first short read.
  TQueryContactLogDataEvent huge;
  EXPECT_THROW(
      UnpackBytes(PackedBytes([](TPack &p) { p << short(1) << 2 << "" << 0x7fffffff; }), huge),
      TPackError);
  EXPECT_LT(huge.ContactLogs.capacity(), 16u);

  for (std::size_t length = 0; length < bytes.size(); ++length) {
    TQueryContactLogDataEvent partial;
    EXPECT_THROW(UnpackBytes({bytes.begin(), bytes.begin() + length}, partial), TPackError);
  }
}

using ContactLogRequests = BoundServerTest<kServer>;

TEST_F(ContactLogRequests, QuerySendsTheEntryWithoutReadingAReply) {
  AContactLog log;
  log.AgentKey = 31;
  log.ExtraText2 = "extra";
  const auto entry = Bytes(static_cast<TEventDataContactLog &>(log));
  server_.ReplyWith(TRpcReply{true, 0, 0, {1, 2, 3}});

  DiagCapture diag;
  EXPECT_EQ(log.QueryContactLogSummary(), 0);
  ExpectRequest(server_.OnlyRequest(), 0, 2, 0, entry.size(), entry);
  EXPECT_EQ(log.RecordKey, 0);

  EXPECT_EQ(diag.Texts(), (std::vector<std::string>{
                              "AContactLog::QueryContactLogSummary: Start.",
                              "AContactLog::SendRequest: Sending request - Object = 2, Action = 0",
                              "AContactLog::QueryContactLogSummary: End."}));
  const auto lines = diag.Lines();
  EXPECT_EQ(lines[0].category, TDiag::FENX);
  EXPECT_EQ(lines[2].category, TDiag::FENX);
  for (const DiagLine &line : lines)
    EXPECT_EQ(line.file, "tstAContactLog");
}

// The update and delete(3) send the short form and take the new key from the reply.
TEST_F(ContactLogRequests, UpdateAndDeleteThreeSendTheShortFormAndTakeTheKey) {
  const std::vector<std::pair<std::string, std::function<unsigned short(AContactLog &)>>> entries =
      {{"AContactLog::UpdateActivityLog",
        [](AContactLog &l) { return l.UpdateContactLogSummary(); }},
       {"AContactLog::DeleteActivityLog", [](AContactLog &l) {
          return l.DeleteContactLogSummary(TEventDataContactLog::CONTACTLOG_UPDATE);
        }}};
  for (const auto &[name, call] : entries) {
    AContactLog log;
    log.RecordKey = 5;
    log.Requeued = -2;
    log.ContactType = 4;
    log.AgentKey = 31;
    log.ContactID = "cid";
    log.Contact = "who";
    server_.ReplyWith(
        TRpcReply{true, 0, 0, PackedBytes([](TPack &p) { p << 77L << TMsgReplyHdr(0, 8); })});
    DiagCapture diag;
    EXPECT_EQ(call(log), 0) << name;
    EXPECT_EQ(log.RecordKey, 77);

    const auto body = PackedBytes([](TPack &p) {
      p << short(4) << 31 << 5 << -2 << std::string("cid") << std::string("who");
    });
    ExpectRequest(server_.Requests().back(), 1, 2, 3, body.size(), body);
    EXPECT_EQ(
        diag.Texts(),
        (std::vector<std::string>{
            name + ": Start.", "AContactLog::SendRequest: Sending request - Object = 2, Action = 3",
            name + ": End."}));
  }
}

TEST_F(ContactLogRequests, OtherDeleteActionsSendTheEntryAndReadTheHeaderOnly) {
  AContactLog log;
  log.RecordKey = 5;
  server_.ReplyWith(TRpcReply{true, 0, 0, PackedBytes([](TPack &p) { p << TMsgReplyHdr(12, 8); })});
  EXPECT_EQ(log.DeleteContactLogSummary(static_cast<TEventDataContactLog::enContactLogActions>(5)),
            12);
  EXPECT_EQ(log.RecordKey, 5);
  const auto entry = Bytes(static_cast<TEventDataContactLog &>(log));
  ExpectRequest(server_.OnlyRequest(), 1, 2, 5, entry.size(), entry);
}

TEST_F(ContactLogRequests, ReplyCutAfterTheKeyGives5709WithTheKeyReplaced) {
  ProbeLog log;
  server_.ReplyWith(TRpcReply{true, 0, 0, PackedBytes([](TPack &p) { p << 77L; })});
  DiagCapture diag;
  EXPECT_EQ(log.UpdateContactLogSummary(), 5709);
  EXPECT_EQ(log.RecordKey, 77);
  EXPECT_EQ(diag.WithText("AContactLog::GetMessageReply: Failed to unpack response from "
                          "Statistics server")
                .at(0)
                .category,
            TDiag::SEVR);
  EXPECT_TRUE(diag.WithText("AContactLog::SendRequest: Exception occured").empty());

  // The decoder leaves its output alone on failure and fills it on success.
  long value = 123;
  std::vector<unsigned char> cut = {1, 0};
  EXPECT_EQ(log.GetMessageReply(TEventDataContactLog::CONTACTLOG_QUERY, cut.data(), 2, &value),
            5709);
  EXPECT_EQ(value, 123);
  auto whole = PackedBytes([](TPack &p) { p << 9L << TMsgReplyHdr(3, -4); });
  EXPECT_EQ(log.GetMessageReply(TEventDataContactLog::CONTACTLOG_UPDATE, whole.data(),
                                static_cast<unsigned long>(whole.size()), &value),
            3);
  EXPECT_EQ(value, -4);
  EXPECT_EQ(log.RecordKey, 9);
}

TEST_F(ContactLogRequests, FailedCallsGiveTheirCode) {
  ProbeLog log;
  DiagCapture diag;
  server_.ReplyWith(TRpcReply{false, 32771, 0, {}});
  EXPECT_EQ(log.UpdateContactLogSummary(), 5715);
  server_.ReplyWith(TRpcReply{true, 0, 6, {}});
  long value = -1;
  EXPECT_EQ(log.SendRequest(TEventDataContactLog::CONTACTLOG_QUERY, &value, 0), 6);
  EXPECT_EQ(value, 0);
  EXPECT_EQ(diag.WithText("AContactLog::SendRequest: Error occured - rc = 32771").size(), 1u);
  EXPECT_EQ(diag.WithText("AContactLog::SendRequest: Error occured - rc = 6").size(), 1u);
}

TEST_F(ContactLogRequests, CopiesTakeTheEntryButNotTheProxy) {
  AContactLog source;
  source.ExtraText1 = "copied";
  source.SetIncludeLoggedOffUsers(true);
  DiagCapture diag;
  AContactLog copy(source);
  EXPECT_EQ(diag.Texts().size(), 2u);
  EXPECT_EQ(copy.ExtraText1, "copied");
  EXPECT_FALSE(copy.GetIncludeLoggedOffUsers());
  AContactLog assigned;
  assigned = source;
  EXPECT_EQ(assigned.ExtraText1, "copied");
  EXPECT_FALSE(assigned.GetIncludeLoggedOffUsers());
}

} // namespace
