// The contact-detail query, seen from a bound test server and the diagnostic sink.
#include <gtest/gtest.h>

#include "ContactTestSupport.h"
#include "client/tstAContactDetail.h"

namespace {

constexpr char kServer[] = "ContactDetailTestServer";

TRpcReply Reply(unsigned short code, const TContactDetail &detail) {
  return {true, 0, 0, PackedBytes([&](TPack &p) { p << TMsgReplyHdr(code, 5) << detail; })};
}

using ContactDetailQuery = BoundServerTest<kServer>;

TEST_F(ContactDetailQuery, AsynchronousQuerySendsTheRecordAndReadsNoReply) {
  AContactDetail query;
  query.SetQueueKey(12);
  query.ValueListB = {3};
  TContactDetail answer;
  answer.SetQueueKey(99);
  server_.ReplyWith(Reply(0, answer));
  const auto before = Bytes(query);

  EXPECT_EQ(query.QueryContactDetail(), 0);
  // The data size counts the 12 bytes of the header too.
  ExpectRequest(server_.OnlyRequest(), 0, 3, 0, 12 + before.size(), before);
  EXPECT_EQ(Bytes(query), before);
}

TEST_F(ContactDetailQuery, SynchronousQueryUnpacksTheReplyIntoTheObject) {
  AContactDetail query;
  query.SetAsynchronousEvent(0);
  query.ValueListA = {7};
  query.CallbackScheduleLogs.resize(2);
  TContactDetail answer;
  answer.SetContactFrom("server");
  answer.ValueListA = {1, 2};
  answer.CallbackAttemptLogs.resize(1);
  server_.ReplyWith(Reply(42, answer));

  DiagCapture diag;
  EXPECT_EQ(query.QueryContactDetail(), 42);
  EXPECT_EQ(query.GetContactFrom(), "server");
  EXPECT_EQ(query.ValueListA, (std::vector<long>{7, 1, 2}));
  EXPECT_TRUE(query.CallbackScheduleLogs.empty());
  EXPECT_EQ(query.CallbackAttemptLogs.size(), 1u);
  // The reply's AsynchronousEvent (true) is a field; the flags are the caller's.
  EXPECT_EQ(query.IsAsynchronousEvent(), 1);
  EXPECT_TRUE(query.IsSetTContactDetail(TContactDetail::BitAsynchronousEvent));
  EXPECT_FALSE(query.IsSetTContactDetail(TContactDetail::BitContactID));
  // The trace shows the decoding status, not the server's code.
  EXPECT_EQ(diag.Texts().at(2), "AContactDetail::SendRequest: Received reply - rc = 0");

  // A reply ending early gives 5709 and keeps what was read.
  answer.SetContactFrom("again");
  answer.SetContactTo("server too");
  query.SetContactTo("mine");
  query.SetAsynchronousEvent(0);
  TRpcReply cut = Reply(0, answer);
  cut.data.resize(6 + 4 + 5 + 2); // header, ContactFrom, and half of ContactTo's length
  server_.ReplyWith(cut);
  diag.Reset();
  EXPECT_EQ(query.QueryContactDetail(), 5709);
  EXPECT_EQ(query.GetContactFrom(), "again");
  EXPECT_EQ(query.GetContactTo(), "mine");
  EXPECT_EQ(diag.Texts().at(2), "AContactDetail::SendRequest: Received reply - rc = 5709");
  for (const TRpcRequest &request : server_.Requests())
    EXPECT_EQ(request.replyFlag, 1);
}

} // namespace
