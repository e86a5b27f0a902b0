// The server proxy and the request envelope, seen from a bound test server and the
// diagnostic sink.
#include <gtest/gtest.h>

#include "client/tstAServer.h"
#include "framework/TMemory.h"
#include "support/DiagCapture.h"
#include "support/TestServer.h"

namespace {

const char kServer[] = "ProxyTestServer";

class ProxyTest : public ::testing::Test {
protected:
  void TearDown() override { TMemory::SetFaultPlan({}); }

  TestServer server_{kServer};
  AStatisticsServer proxy_{kServer, "ProxyClient", "ProxySecond"};
};

TEST_F(ProxyTest, RequestEventSendsHeaderAndBody) {
  ASSERT_EQ(proxy_.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT), 0);

  const TRpcRequest request = server_.OnlyRequest();
  EXPECT_EQ(request.destination, kServer);
  EXPECT_EQ(request.source, "ProxyClient");
  EXPECT_EQ(request.type, 5000);
  EXPECT_EQ(request.timeoutMs, 480000u);
  EXPECT_EQ(request.replyFlag, 1);
  EXPECT_EQ(request.taskType, 0);

  const SplitRequest split = Split(request);
  EXPECT_EQ(split.header.GetVersion(), 11);
  EXPECT_EQ(split.header.GetRelease(), 0);
  EXPECT_EQ(split.header.GetObject(), 4);
  EXPECT_EQ(split.header.GetAction(), 0);
  const auto body = PackedBytes([](TPack &p) { p << 5006 << std::string("ProxyClient"); });
  EXPECT_EQ(split.body, body);
  EXPECT_EQ(split.header.GetDataSize(), body.size());
}

TEST_F(ProxyTest, OnlyUserRealTimeCarriesTheLoggedOffFlag) {
  proxy_.SetIncludeLoggedOffUsers(true);
  ASSERT_EQ(proxy_.RequestEvent(TStatisticsServer::USERREALTIMEEVENT), 0);
  ASSERT_EQ(proxy_.RequestEvent(TStatisticsServer::QUEUEREALTIMEEVENT), 0);
  proxy_.SetIncludeLoggedOffUsers(false);
  ASSERT_EQ(proxy_.RequestEvent(TStatisticsServer::USERREALTIMEEVENT), 0);

  const auto requests = server_.Requests();
  ASSERT_EQ(requests.size(), 3u);
  const std::string client = "ProxyClient";
  EXPECT_EQ(Split(requests[0]).body, PackedBytes([&](TPack &p) { p << 5004 << client << true; }));
  EXPECT_EQ(Split(requests[1]).body, PackedBytes([&](TPack &p) { p << 5005 << client; }));
  EXPECT_EQ(Split(requests[2]).body, PackedBytes([&](TPack &p) { p << 5004 << client << false; }));
  EXPECT_EQ(Split(requests[0]).header.GetDataSize(), Split(requests[0]).body.size());
}

TEST_F(ProxyTest, RefreshRateSendsIdAndRateUnchecked) {
  const auto rate = static_cast<TStatisticsServer::enCumulativeRefreshRate>(-7);
  const auto id = static_cast<TStatisticsServer::enSvrPublicEvents>(12345);
  ASSERT_EQ(proxy_.SetCumulativeRefreshRate(id, rate), 0);

  const TRpcRequest request = server_.OnlyRequest();
  EXPECT_EQ(request.replyFlag, 1);
  const SplitRequest split = Split(request);
  EXPECT_EQ(split.header.GetObject(), 5);
  EXPECT_EQ(split.body, PackedBytes([](TPack &p) { p << 12345 << -7; }));
  EXPECT_EQ(split.header.GetDataSize(), 8u);
}

TEST_F(ProxyTest, ResultCodes) {
  // Delivered: the call's return code, cut to 16 bits.
  server_.ReplyWith(TRpcReply{true, 0, 0x12345, {}});
  EXPECT_EQ(proxy_.RequestEvent(TStatisticsServer::CONNECTIONEVENT), 0x2345);
  server_.ReplyWith(TRpcReply{true, 0, -1, {}});
  EXPECT_EQ(proxy_.SetCumulativeRefreshRate(TStatisticsServer::USERCUMULATIVEEVENT, {}), 0xffff);

  // Not delivered: the framework's last error, cut to 16 bits; 32771 on its low bits is 5715.
  server_.ReplyWith(TRpcReply{false, 0x10000 + 32771, 0, {}});
  EXPECT_EQ(proxy_.RequestEvent(TStatisticsServer::CONNECTIONEVENT), 5715);
  server_.ReplyWith(TRpcReply{false, 0x70042, 0, {}});
  EXPECT_EQ(proxy_.RequestEvent(TStatisticsServer::CONNECTIONEVENT), 0x42);

  // No server bound under the name.
  AStatisticsServer::serverName = "NobodyHere";
  EXPECT_EQ(proxy_.RequestEvent(TStatisticsServer::CONNECTIONEVENT), 5715);
  AStatisticsServer::serverName = kServer;
}

TEST_F(ProxyTest, NoBufferSendsNothingAndWritesOnlyTheSendingLine) {
  DiagCapture diag;
  TMemory::SetFaultPlan({0, -1, -1});
  EXPECT_EQ(proxy_.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT), 5737);
  TMemory::SetFaultPlan({0, -1, -1});
  EXPECT_EQ(proxy_.SetCumulativeRefreshRate(TStatisticsServer::GROUPCUMULATIVEEVENT, {}), 5737);
  EXPECT_TRUE(server_.Requests().empty());
  EXPECT_EQ(diag.Texts(),
            (std::vector<std::string>{
                "AStatisticsServer::RequestEvent: Sending request - Object = 4, EventType = 5006",
                "AStatisticsServer::SetCumulativeRefreshRate: Sending request - Object = 5, "
                "EventType = 5012, Rate = 0"}));
}

TEST_F(ProxyTest, ErrorLinesPrintTheFrameworkCode) {
  DiagCapture diag;
  server_.ReplyWith(TRpcReply{false, 32771, 0, {}});
  EXPECT_EQ(proxy_.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT), 5715);
  server_.ReplyWith(TRpcReply{true, 0, 99, {}});
  EXPECT_EQ(
      proxy_.SetCumulativeRefreshRate(TStatisticsServer::GROUPCUMULATIVEEVENT,
                                      static_cast<TStatisticsServer::enCumulativeRefreshRate>(3)),
      99);

  const std::vector<DiagLine> lines = diag.Lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[1].text, "AStatisticsServer::RequestEvent: Error occured - rc = 32771");
  EXPECT_EQ(lines[2].text, "AStatisticsServer::SetCumulativeRefreshRate: Sending request - "
                           "Object = 5, EventType = 5012, Rate = 3");
  EXPECT_EQ(lines[3].text, "AStatisticsServer::SetCumulativeRefreshRate: Error occured - rc = 99");
  for (const DiagLine &line : lines) {
    EXPECT_EQ(line.category, TDiag::INFO);
    EXPECT_EQ(line.file, "tstAServer");
    EXPECT_GT(line.line, 0);
  }
}

TEST(ProxyLifecycle, ServerNameIsSharedAndSetAfterTheConstructionLine) {
  TestServer first("FirstServer");
  TestServer second("SecondServer");
  DiagCapture diag;
  std::string nameWhenLogged = "unset";
  TDiag::Sink outer = TDiag::SetSink(nullptr);
  TDiag::SetSink([&](TDiag::enDiagType c, unsigned short l, const char *f, const std::string &t) {
    if (t.find("Constructed, server name") != std::string::npos)
      nameWhenLogged = AStatisticsServer::GetStatsServerName();
    outer(c, l, f, t);
  });
  AStatisticsServer::serverName = "before";
  {
    AStatisticsServer named("FirstServer", "client", "second");
    EXPECT_EQ(nameWhenLogged, "before");
    AStatisticsServer plain;
    EXPECT_EQ(plain.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT), 0);
    AStatisticsServer redirect("SecondServer", "other", "second");
    EXPECT_EQ(plain.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT), 0);
    EXPECT_EQ(named.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT), 0);
  }
  TDiag::SetSink(outer);
  EXPECT_EQ(first.Requests().size(), 1u);
  EXPECT_EQ(second.Requests().size(), 2u);
  // A default-constructed proxy has no client name of its own.
  EXPECT_EQ(Split(second.Requests()[0]).body,
            PackedBytes([](TPack &p) { p << 5006 << std::string(); }));
}

TEST(ProxyLifecycle, ConstructionAndDestructionLines) {
  DiagCapture diag;
  {
    AStatisticsServer named("Somewhere", "client", "second");
    AStatisticsServer copy(named);
  }
  const std::vector<std::string> expected = {
      "TStatisticsServer::TStatisticsServer: Created object",
      "AStatisticsServer::AStatisticsServer: Constructed, server name = Somewhere",
      "AStatisticsServer::~AStatisticsServer: Destroyed object",
      "TStatisticsServer::~TStatisticsServer: Destroyed object",
      "AStatisticsServer::~AStatisticsServer: Destroyed object",
      "TStatisticsServer::~TStatisticsServer: Destroyed object"};
  EXPECT_EQ(diag.Texts(), expected);
  const auto lines = diag.Lines();
  EXPECT_EQ(lines[0].file, "tstTServer");
  EXPECT_EQ(lines[1].file, "tstAServer");

  diag.Reset();
  { AStatisticsServer plain; }
  EXPECT_EQ(diag.Texts(),
            (std::vector<std::string>{"TStatisticsServer::TStatisticsServer: Created object",
                                      "AStatisticsServer::AStatisticsServer: Created object",
                                      "AStatisticsServer::~AStatisticsServer: Destroyed object",
                                      "TStatisticsServer::~TStatisticsServer: Destroyed object"}));
}

TEST(ProxyLifecycle, AssignmentCopiesNameAndFlagOnly) {
  AStatisticsServer source("AssignServer", "source-client", "source-second");
  source.SetIncludeLoggedOffUsers(true);
  AStatisticsServer target("AssignServer", "target-client", "target-second");
  target = source;
  EXPECT_EQ(target.GetClientName(), "source-client");
  EXPECT_TRUE(target.GetIncludeLoggedOffUsers());
  // The framework part keeps its own identity.
  EXPECT_EQ(target.GetName(), "target-client");
  EXPECT_EQ(target.GetSecondName(), "target-second");
  EXPECT_NE(&target.GetReplyQueue(), &source.GetReplyQueue());

  AStatisticsServer copy(source);
  EXPECT_EQ(copy.GetClientName(), "source-client");
  EXPECT_TRUE(copy.GetIncludeLoggedOffUsers());
  EXPECT_EQ(copy.GetName(), "");
}

TEST(ProxyLifecycle, VersionIsAnnouncedAtLoad) {
  const auto announced = TVersionDiagHelper::Announced();
  const std::pair<std::string, std::string> expected{"Statistics Server Client version",
                                                     "V11 R0.0.0"};
  EXPECT_NE(std::find(announced.begin(), announced.end(), expected), announced.end());
  EXPECT_EQ(AStatisticsServer::diagHelper.GetVersion(), "V11 R0.0.0");
}

TEST(PublicEventNames, InsideAndOutsideTheTable) {
  using S = TStatisticsServer;
  EXPECT_EQ(S::ToString(S::CONNECTIONEVENT), "CONNECTIONEVENT");
  EXPECT_EQ(S::ToString(S::GROUPREALTIMEEVENT), "GROUPREALTIMEEVENT");
  EXPECT_EQ(S::ToString(S::CALLDIRECTORCOMPONENTCUMULATIVEEVENT),
            "CALLDIRECTORCOMPONENTCUMULATIVEEVENT");
  for (int outside : {4999, 5023, 0, -5006, 1 << 30})
    EXPECT_EQ(S::ToString(static_cast<S::enSvrPublicEvents>(outside)), "UNKNOWN") << outside;
}

} // namespace
