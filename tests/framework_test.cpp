// The framework stand-in's transport, events, generic server and diagnostics; its memory
// accounting's fault plan is the event suites' (event_typed_test.cpp).
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

#include "framework/TDiag.h"
#include "framework/TFramework.h"
#include "genericserver/TKIVOServerBase.h"
#include "genericserver/TMsgRequestHdr.h"
#include "support/DiagCapture.h"
#include "support/TestServer.h"

namespace {

struct Caller : TFramework {
  Caller() : TFramework("caller", "second", 1) {}
};

// Replies, time-outs and late replies under load are the stress test's; these are the rest.
TEST(Transport, UnwantedRepliesKeepTheirCodeAndFailuresSetTheLastError) {
  Caller caller;
  TRPC rpc(5000, nullptr, 0, 1);
  EXPECT_FALSE(caller.SendRPC(rpc, "NoSuchServer", 1000, 0));
  EXPECT_EQ(TBase::fwBaseGetLastError(), 32771u);

  std::atomic<int> served{0};
  TFramework::BindServer("Flaky", [&](const TRpcRequest &) -> TRpcReply {
    if (served++ == 0)
      throw std::runtime_error("handler failed");
    return TRpcReply{true, 0, 7, {1, 2, 3}};
  });
  EXPECT_FALSE(caller.SendRPC(rpc, "Flaky", 1000, 0));
  EXPECT_EQ(TBase::fwBaseGetLastError(), TFramework::kErrHandlerFailed);
  // The server goes on serving after a handler threw; a reply flag of 0 drops the body only.
  TRPC unwanted(5000, nullptr, 0, 0);
  ASSERT_TRUE(caller.SendRPC(unwanted, "Flaky", 1000, 0));
  EXPECT_EQ(unwanted.GetReturnCode(), 7);
  EXPECT_EQ(unwanted.GetReplySize(), 0u);
  EXPECT_EQ(unwanted.GetReplyPointer(), nullptr);
  TFramework::UnbindServer("Flaky");
}

TEST(Transport, EventsReachRegisteredQueuesOnly) {
  TestServer server("EventServer");
  Caller subscriber, other;
  TEvent group(5006), queue(5005);
  ASSERT_TRUE(subscriber.RegisterForEvent(group, "EventServer", 1000, 0));
  ASSERT_TRUE(other.RegisterForEvent(queue, "EventServer", 1000, 0));
  EXPECT_FALSE(subscriber.RegisterForEvent(group, "Elsewhere", 1000, 0));
  EXPECT_EQ(TBase::fwBaseGetLastError(), 32771u);

  EXPECT_EQ(TFramework::PublishEvent("EventServer", TEvent(5006, {1, 2})), 1);
  EXPECT_EQ(TFramework::PublishEvent("OtherServer", TEvent(5006, {3})), 0);
  TEvent received;
  ASSERT_TRUE(subscriber.WaitForEvent(received, 1000));
  EXPECT_EQ(received.GetId(), 5006);
  EXPECT_EQ(received.Bytes(), (std::vector<unsigned char>{1, 2}));
  EXPECT_FALSE(other.WaitForEvent(received, 10));

  ASSERT_TRUE(subscriber.DeregisterForEvent(group, "EventServer", 1000, 0));
  EXPECT_EQ(TFramework::PublishEvent("EventServer", TEvent(5006, {})), 0);
  {
    Caller shortLived;
    ASSERT_TRUE(shortLived.RegisterForEvent(queue, "EventServer", 1000, 0));
    EXPECT_EQ(TFramework::PublishEvent("EventServer", TEvent(5005, {})), 2);
  }
  EXPECT_EQ(TFramework::PublishEvent("EventServer", TEvent(5005, {})), 1);
}

struct EchoVersionServer : TKIVOServerBase {
  EchoVersionServer() : TKIVOServerBase(11, 0) {}
  TRpcReply onProcessMsg(const TMsgRequestHdr &header, TPack &body, const TRpcRequest &) override {
    int value = 0;
    body >> value;
    return TRpcReply{true, 0, header.GetObject() * 1000 + value, {}};
  }
};

TEST(GenericServer, DispatchesByHeaderAndRefusesOtherVersions) {
  EchoVersionServer server;
  server.Serve("VersionServer");
  Caller caller;
  auto send = [&](std::vector<unsigned char> bytes) {
    TRPC rpc(5000, bytes.data(), static_cast<unsigned long>(bytes.size()), 1);
    EXPECT_TRUE(caller.SendRPC(rpc, "VersionServer", 1000, 0));
    return rpc.GetReturnCode();
  };
  const auto request = [](unsigned short version) {
    return PackedBytes([&](TPack &p) { p << TMsgRequestHdr(version, 0, 3, 0) << 42; });
  };
  EXPECT_EQ(send(request(11)), 3042);
  EXPECT_EQ(send(request(10)), TKIVOServerBase::kBadRequest);
  EXPECT_EQ(send({11, 0, 0}), TKIVOServerBase::kBadRequest); // a truncated header
}

TEST(Headers, ShortReplyHeaderLeavesTheHeaderUnchanged) {
  TPack pack(1);
  pack << TMsgReplyHdr(5709, -77);
  TMsgReplyHdr reply;
  pack >> reply;
  unsigned char five[5] = {};
  TPack cut(five, sizeof five);
  EXPECT_THROW(cut >> reply, TPackError);
  EXPECT_EQ(reply.GetReturnCode(), 5709);
  EXPECT_EQ(reply.GetReturnValue(), -77);
  EXPECT_EQ(cut.Length(), 5u);
}

// The library's lines reach the sink in every request suite; these are the sink's own rules.
TEST(Diagnostics, LongLinesStayWholeAndTheDefaultSinkWritesOnlySevereOnes) {
  {
    DiagCapture diag;
    Diag(TDiag::FENX, 12, "unit", "%s and %ld", std::string(600, 'x').c_str(), 5L);
    const DiagLine line = diag.Lines().at(0);
    EXPECT_EQ(TDiag::CategoryName(line.category) + " " + line.file + ":" +
                  std::to_string(line.line) + " " + line.text,
              "FENX unit:12 " + std::string(600, 'x') + " and 5");
  }
  EXPECT_EQ(TDiag::CategoryName(static_cast<TDiag::enDiagType>(9)), "DIAG9");

  const TDiag::Sink previous = TDiag::SetSink(nullptr);
  ::testing::internal::CaptureStderr();
  Diag(TDiag::INFO, 1, "unit", "quiet");
  Diag(TDiag::SEVR, 2, "unit", "loud");
  const std::string err = ::testing::internal::GetCapturedStderr();
  TDiag::SetSink(previous);
  EXPECT_EQ(err.find("quiet"), std::string::npos);
  EXPECT_NE(err.find("SEVR unit(2): loud"), std::string::npos);
}

} // namespace
