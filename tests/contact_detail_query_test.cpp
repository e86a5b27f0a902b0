// The contact-detail query, seen from a bound test server and the diagnostic sink.
#include <gtest/gtest.h>

#include "ContactTestSupport.h"
#include "client/tstAContactDetail.h"
#include "support/DiagCapture.h"

namespace {

constexpr char kServer[] = "ContactDetailTestServer";

// Exposes the request operation and its 32-bit output.
struct ProbeDetail : AContactDetail {
  using AContactDetail::SendRequest;
};

std::vector<unsigned char> Reply(unsigned short code, long value, const TContactDetail &detail) {
  return PackedBytes([&](TPack &p) { p << TMsgReplyHdr(code, value) << detail; });
}

using ContactDetailQuery = BoundServerTest<kServer>;

TEST_F(ContactDetailQuery, AsynchronousQuerySendsTheRecordAndReadsNoReply) {
  AContactDetail query;
  query.SetQueueKey(12);
  query.ValueListB = {3};
  TContactDetail answer;
  answer.SetQueueKey(99);
  server_.ReplyWith(TRpcReply{true, 0, 0, Reply(0, 5, answer)});
  const auto before = Bytes(query);

  DiagCapture diag;
  EXPECT_EQ(query.QueryContactDetail(), 0);

  // The data size counts the 12 bytes of the header too.
  ExpectRequest(server_.OnlyRequest(), 0, 3, 0, 12 + before.size(), before);
  EXPECT_EQ(Bytes(query), before);

  EXPECT_EQ(diag.Texts(),
            (std::vector<std::string>{
                "AContactDetail::QueryContactDetail: Start.",
                "AContactDetail::SendRequest: Sending request - Object = 3, Action = 0, ",
                "AContactDetail::QueryContactDetail: End."}));
  const auto lines = diag.Lines();
  EXPECT_EQ(lines[0].category, TDiag::FENX);
  EXPECT_EQ(lines[1].category, TDiag::INFO);
  EXPECT_EQ(lines[2].category, TDiag::FENX);
  for (const DiagLine &line : lines)
    EXPECT_EQ(line.file, "tstAContactDetail");
}

TEST_F(ContactDetailQuery, SynchronousQueryUnpacksTheReplyIntoTheObject) {
  ProbeDetail query;
  query.SetAsynchronousEvent(0);
  query.ValueListA = {7};
  query.CallbackScheduleLogs.resize(2);
  TContactDetail answer;
  answer.SetContactFrom("server");
  answer.ValueListA = {1, 2};
  answer.CallbackAttemptLogs.resize(1);
  server_.ReplyWith(TRpcReply{true, 0, 0, Reply(42, 99, answer)});

  DiagCapture diag;
  long value = -1;
  EXPECT_EQ(query.SendRequest(&value, 1), 42);
  EXPECT_EQ(value, 99);
  EXPECT_EQ(server_.OnlyRequest().replyFlag, 1);

  EXPECT_EQ(query.GetContactFrom(), "server");
  EXPECT_EQ(query.ValueListA, (std::vector<long>{7, 1, 2}));
  EXPECT_TRUE(query.CallbackScheduleLogs.empty());
  EXPECT_EQ(query.CallbackAttemptLogs.size(), 1u);
  // The reply's AsynchronousEvent (true) is a field; the flags are the caller's.
  EXPECT_EQ(query.IsAsynchronousEvent(), 1);
  EXPECT_TRUE(query.IsSetTContactDetail(TContactDetail::BitAsynchronousEvent));
  EXPECT_FALSE(query.IsSetTContactDetail(TContactDetail::BitContactID));
  // The trace shows the decoding status, not the server's code.
  EXPECT_EQ(diag.WithText("AContactDetail::SendRequest: Received reply - rc = 0").size(), 1u);
}

TEST_F(ContactDetailQuery, ReplyEndingEarlyGives5709AndKeepsWhatWasRead) {
  ProbeDetail query;
  query.SetAsynchronousEvent(0);
  query.SetContactTo("mine");
  TContactDetail answer;
  answer.SetContactFrom("server");
  answer.SetContactTo("server too");
  auto bytes = Reply(0, 5, answer);
  bytes.resize(6 + 4 + 6 + 2); // header, ContactFrom, and half of ContactTo's length
  server_.ReplyWith(TRpcReply{true, 0, 0, bytes});

  DiagCapture diag;
  long value = -1;
  EXPECT_EQ(query.SendRequest(&value, 1), 5709);
  EXPECT_EQ(value, 0);
  EXPECT_EQ(query.GetContactFrom(), "server");
  EXPECT_EQ(query.GetContactTo(), "mine");
  EXPECT_EQ(diag.Texts().back(), "AContactDetail::SendRequest: Received reply - rc = 5709");

  server_.ReplyWith(TRpcReply{true, 0, 0, {}});
  EXPECT_EQ(query.QueryContactDetail(), 5709);
}

TEST_F(ContactDetailQuery, FailedCallsReadNoReply) {
  AContactDetail query;
  query.SetAsynchronousEvent(0);
  DiagCapture diag;
  server_.ReplyWith(TRpcReply{true, 0, 0x12345, Reply(0, 0, TContactDetail())});
  EXPECT_EQ(query.QueryContactDetail(), 0x2345);
  server_.ReplyWith(TRpcReply{false, 32771, 0, {}});
  EXPECT_EQ(query.QueryContactDetail(), 5715);
  EXPECT_EQ(diag.WithText("AContactDetail::SendRequest: Error occured - rc = 9029").size(), 1u);
  EXPECT_EQ(diag.WithText("AContactDetail::SendRequest: Error occured - rc = 32771").size(), 1u);
  for (const std::string &text : diag.Texts())
    EXPECT_EQ(text.find("Received reply"), std::string::npos);

  diag.Reset();
  TMemory::SetFaultPlan({0, -1, -1});
  EXPECT_EQ(query.QueryContactDetail(), 5737);
  EXPECT_EQ(diag.Texts().size(), 3u); // Start., Sending request, End.
  EXPECT_EQ(server_.Requests().size(), 2u);
}

TEST_F(ContactDetailQuery, CopiesTakeTheRecordButNotTheProxy) {
  AContactDetail source;
  source.SetCallbackStatus(4);
  source.SetIncludeLoggedOffUsers(true);

  DiagCapture diag;
  AContactDetail copy(source);
  EXPECT_EQ(diag.Texts(),
            (std::vector<std::string>{"TStatisticsServer::TStatisticsServer: Created object",
                                      "AStatisticsServer::AStatisticsServer: Created object"}));
  EXPECT_EQ(copy.GetCallbackStatus(), 4);
  EXPECT_TRUE(copy.IsSetTContactDetail(TContactDetail::BitCallbackStatus));
  EXPECT_FALSE(copy.GetIncludeLoggedOffUsers());

  AContactDetail assigned;
  assigned = source;
  EXPECT_EQ(assigned.GetCallbackStatus(), 4);
  EXPECT_FALSE(assigned.GetIncludeLoggedOffUsers());
}

} // namespace
