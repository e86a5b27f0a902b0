// The framework stand-in's transport, events, memory accounting and diagnostics.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "framework/TDiag.h"
#include "framework/TFramework.h"
#include "framework/TMemory.h"
#include "genericserver/TKIVOServerBase.h"
#include "genericserver/TMsgRequestHdr.h"
#include "support/DiagCapture.h"
#include "support/TestServer.h"

namespace {

class Caller : public TFramework {
public:
  Caller() : TFramework("caller", "second", 1) {}
};

TEST(Transport, CallsReachTheNamedServerAndCarryTheReply) {
  TestServer server("EchoServer");
  server.ReplyWith(TRpcReply{true, 0, 7, {1, 2, 3}});
  Caller caller;
  unsigned char data[] = {9, 8};
  TRPC wanted(5000, data, sizeof data, 1);
  ASSERT_TRUE(caller.SendRPC(wanted, "EchoServer", 1000, 0));
  EXPECT_EQ(wanted.GetReturnCode(), 7);
  ASSERT_EQ(wanted.GetReplySize(), 3u);
  EXPECT_EQ(static_cast<unsigned char *>(wanted.GetReplyPointer())[2], 3);

  TRPC unwanted(5000, data, sizeof data, 0);
  ASSERT_TRUE(caller.SendRPC(unwanted, "EchoServer", 1000, 0));
  EXPECT_EQ(unwanted.GetReplySize(), 0u);
  EXPECT_EQ(unwanted.GetReplyPointer(), nullptr);

  const TRpcRequest request = server.Requests().at(0);
  EXPECT_EQ(request.source, "caller");
  EXPECT_EQ(request.data, (std::vector<unsigned char>{9, 8}));
}

TEST(Transport, FailuresSetTheLastError) {
  Caller caller;
  TRPC rpc(5000, nullptr, 0, 1);
  EXPECT_FALSE(caller.SendRPC(rpc, "NoSuchServer", 1000, 0));
  EXPECT_EQ(TBase::fwBaseGetLastError(), 32771u);

  std::atomic<int> served{0};
  TFramework::BindServer("Flaky", [&](const TRpcRequest &request) -> TRpcReply {
    if (served++ == 0)
      throw std::runtime_error("handler failed");
    if (request.data.size() == 1)
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return TRpcReply{};
  });
  EXPECT_FALSE(caller.SendRPC(rpc, "Flaky", 1000, 0));
  EXPECT_EQ(TBase::fwBaseGetLastError(), TFramework::kErrHandlerFailed);
  // The server goes on serving after a handler threw.
  EXPECT_TRUE(caller.SendRPC(rpc, "Flaky", 1000, 0));

  unsigned char one = 1;
  TRPC slow(5000, &one, 1, 1);
  EXPECT_FALSE(caller.SendRPC(slow, "Flaky", 20, 0));
  EXPECT_EQ(TBase::fwBaseGetLastError(), TFramework::kErrTimeout);
  // The late reply to the timed-out call is not taken for the next one.
  TRPC next(5000, nullptr, 0, 1);
  EXPECT_TRUE(caller.SendRPC(next, "Flaky", 2000, 0));
  TFramework::UnbindServer("Flaky");
  EXPECT_FALSE(caller.SendRPC(next, "Flaky", 1000, 0));
  EXPECT_EQ(TBase::fwBaseGetLastError(), 32771u);
}

TEST(Transport, EventsReachRegisteredQueuesOnly) {
  TestServer server("EventServer");
  Caller subscriber;
  Caller other;
  TEvent group(5006);
  TEvent queue(5005);
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

class EchoVersionServer : public TKIVOServerBase {
public:
  EchoVersionServer() : TKIVOServerBase(11, 0) {}
  TRpcReply onProcessMsg(const TMsgRequestHdr &header, TPack &body, const TRpcRequest &) override {
    int value = 0;
    body >> value;
    TRpcReply reply;
    reply.returnCode = header.GetObject() * 1000 + value;
    return reply;
  }
};

TEST(GenericServer, DispatchesByHeaderAndRefusesOtherVersions) {
  EchoVersionServer server;
  server.Serve("VersionServer");
  Caller caller;
  auto send = [&](unsigned short version, std::vector<unsigned char> extra) {
    std::vector<unsigned char> bytes =
        PackedBytes([&](TPack &p) { p << TMsgRequestHdr(version, 0, 3, 0) << 42; });
    bytes.insert(bytes.end(), extra.begin(), extra.end());
    TRPC rpc(5000, bytes.data(), static_cast<unsigned long>(bytes.size()), 1);
    EXPECT_TRUE(caller.SendRPC(rpc, "VersionServer", 1000, 0));
    return rpc.GetReturnCode();
  };
  EXPECT_EQ(send(11, {}), 3042);
  EXPECT_EQ(send(10, {}), TKIVOServerBase::kBadRequest);

  unsigned char half[] = {11, 0, 0};
  TRPC truncated(5000, half, sizeof half, 1);
  EXPECT_TRUE(caller.SendRPC(truncated, "VersionServer", 1000, 0));
  EXPECT_EQ(truncated.GetReturnCode(), TKIVOServerBase::kBadRequest);
}

TEST(Headers, ShortReplyHeaderLeavesTheHeaderUnchanged) {
  TPack pack(1);
  pack << TMsgReplyHdr(5709, -77);
  TMsgReplyHdr reply;
  pack >> reply;
  EXPECT_EQ(reply.GetReturnCode(), 5709);
  EXPECT_EQ(reply.GetReturnValue(), -77);
  unsigned char five[5] = {};
  TPack cut(five, sizeof five);
  EXPECT_THROW(cut >> reply, TPackError);
  EXPECT_EQ(reply.GetReturnCode(), 5709);
  EXPECT_EQ(cut.Length(), 5u);
}

TEST(Memory, FaultPlanFiresOnceAfterTheGivenCalls) {
  TMemory::SetFaultPlan({1, 2, 0});
  void *first = TMemory::GetSomeMemory(8, __LINE__, "test");
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(TMemory::GetSomeMemory(8, __LINE__, "test"), nullptr);
  void *third = TMemory::GetSomeMemory(8, __LINE__, "test");
  EXPECT_NE(third, nullptr);
  TMemory::FreeSomeMemory(first, __LINE__, "test", 0);
  TMemory::FreeSomeMemory(third, __LINE__, "test", 0);

  void *a = operator new(4, __LINE__, "test", nullptr);
  void *b = operator new(4, __LINE__, "test", nullptr);
  void *c = operator new(4, __LINE__, "test", nullptr);
  EXPECT_NE(a, nullptr);
  EXPECT_NE(b, nullptr);
  EXPECT_EQ(c, nullptr);
  operator delete(a, __LINE__, "test", nullptr);
  operator delete(b, __LINE__, "test", nullptr);

  const std::size_t before = TMemory::LiveRegistrations();
  int block = 0;
  TMemory::MemReg(__LINE__, "test", &block, sizeof block);
  EXPECT_EQ(TMemory::LiveRegistrations(), before + 1);
  EXPECT_THROW(TMemory::MemFree(__LINE__, "test", &block), TBaseException);
  EXPECT_EQ(TMemory::LiveRegistrations(), before); // removed before the throw
  TMemory::MemReg(__LINE__, "test", &block, sizeof block);
  EXPECT_NO_THROW(TMemory::MemFree(__LINE__, "test", &block)); // spent
  TMemory::SetFaultPlan({});
}

TEST(Diagnostics, SinkSeesFormattedLinesAndCanBeRestored) {
  std::vector<std::string> seen;
  TDiag::Sink previous = TDiag::SetSink([&](TDiag::enDiagType category, unsigned short line,
                                            const char *file, const std::string &text) {
    seen.push_back(TDiag::CategoryName(category) + " " + file + ":" + std::to_string(line) + " " +
                   text);
  });
  Diag(TDiag::FENX, 12, "unit", "value %ld and %s", 5L, "text");
  Diag(TDiag::SEVR, 13, "unit", "%s", std::string(600, 'x').c_str());
  TDiag::SetSink(previous);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], "FENX unit:12 value 5 and text");
  EXPECT_EQ(seen[1].size(), std::string("SEVR unit:13 ").size() + 600);
  EXPECT_EQ(TDiag::CategoryName(static_cast<TDiag::enDiagType>(9)), "DIAG9");
}

TEST(Diagnostics, DefaultSinkWritesOnlySevereLinesToStandardError) {
  TDiag::Sink previous = TDiag::SetSink(nullptr);
  ::testing::internal::CaptureStderr();
  Diag(TDiag::INFO, 1, "unit", "quiet");
  Diag(TDiag::SEVR, 2, "unit", "loud");
  const std::string err = ::testing::internal::GetCapturedStderr();
  TDiag::SetSink(previous);
  EXPECT_EQ(err.find("quiet"), std::string::npos);
  EXPECT_NE(err.find("SEVR unit(2): loud"), std::string::npos);
}

} // namespace
