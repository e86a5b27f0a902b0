// The server proxy, and the one request sequence that every request operation shares, seen
// from a bound test server and the diagnostic sink.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "ContactTestSupport.h"
#include "client/tstAContactDetail.h"
#include "client/tstAContactLog.h"
#include "client/tstAErrorRecord.h"
#include "framework/TMemory.h"

namespace {

constexpr char kServer[] = "ProxyTestServer";

using ProxyTest = BoundServerTest<kServer>;

TEST_F(ProxyTest, SubscriptionsCarryTheFlagForUsersOnlyAndRatesTravelUnchecked) {
  using S = TStatisticsServer;
  proxy_.SetIncludeLoggedOffUsers(true);
  ASSERT_EQ(proxy_.RequestEvent(S::USERREALTIMEEVENT), 0);
  ASSERT_EQ(proxy_.RequestEvent(S::GROUPREALTIMEEVENT), 0);
  proxy_.SetIncludeLoggedOffUsers(false);
  ASSERT_EQ(proxy_.RequestEvent(S::USERREALTIMEEVENT), 0);
  // The refresh rate's id and rate travel unchecked.
  ASSERT_EQ(
      proxy_.SetCumulativeRefreshRate(S::enSvrPublicEvents{12345}, S::enCumulativeRefreshRate{-7}),
      0);

  const auto requests = server_.Requests();
  ASSERT_EQ(requests.size(), 4u);
  const std::vector<std::vector<unsigned char>> bodies = {
      PackedBytes([](TPack &p) { p << 5004 << std::string("client") << true; }),
      PackedBytes([](TPack &p) { p << 5006 << std::string("client"); }),
      PackedBytes([](TPack &p) { p << 5004 << std::string("client") << false; }),
      PackedBytes([](TPack &p) { p << 12345 << -7; })};
  for (std::size_t i = 0; i < bodies.size(); ++i)
    ExpectRequest(requests[i], 1, i < 3 ? 4 : 5, 0, bodies[i].size(), bodies[i]);
  EXPECT_EQ(requests[0].source, "client");
}

// Every operation runs the same sequence: the envelope, the sending line, the buffer, the call
// and its failure line. Each failure of the sequence gives the same result code and lines
// whatever the operation; the Start/End lines of the contact requests frame them.
TEST_F(ProxyTest, EveryOperationFailsAlikeWithItsOwnLines) {
  AContactDetail detail;
  detail.SetAsynchronousEvent(0);
  AContactLog log;
  AErrorRecord error;
  using S = TStatisticsServer;
  struct Operation {
    std::function<unsigned short()> call;
    const char *entry; // the Start./End. lines' prefix, or none
    const char *operation;
    const char *sending;
    const char *file;
  };
  const Operation operations[] = {
      {[&] { return proxy_.RequestEvent(S::GROUPREALTIMEEVENT); }, nullptr,
       "AStatisticsServer::RequestEvent", "Object = 4, EventType = 5006", "tstAServer"},
      {[&] {
         return proxy_.SetCumulativeRefreshRate(S::GROUPCUMULATIVEEVENT,
                                                S::enCumulativeRefreshRate{3});
       },
       nullptr, "AStatisticsServer::SetCumulativeRefreshRate",
       "Object = 5, EventType = 5012, Rate = 3", "tstAServer"},
      {[&] { return detail.QueryContactDetail(); }, "AContactDetail::QueryContactDetail",
       "AContactDetail::SendRequest", "Object = 3, Action = 0, ", "tstAContactDetail"},
      {[&] { return log.QueryContactLogSummary(); }, "AContactLog::QueryContactLogSummary",
       "AContactLog::SendRequest", "Object = 2, Action = 0", "tstAContactLog"},
      {[&] { return log.UpdateContactLogSummary(); }, "AContactLog::UpdateActivityLog",
       "AContactLog::SendRequest", "Object = 2, Action = 3", "tstAContactLog"},
      {[&] { return log.DeleteContactLogSummary(TEventDataContactLog::CONTACTLOG_UPDATE); },
       "AContactLog::DeleteActivityLog", "AContactLog::SendRequest", "Object = 2, Action = 3",
       "tstAContactLog"},
      {[&] { return error.WriteRecord(); }, nullptr, "AErrorRecord::SendRequest", "Object = 1",
       "tstAErrorRecord"},
  };
  struct Failure {
    const char *what;
    TRpcReply reply;
    unsigned short result;
    int errorCode; // of the "Error occured" line; -1: none, as nothing was sent
  };
  const Failure failures[] = {
      {"no buffer", {}, 5737, -1},
      // The framework's last error and the call's return code count on their low 16 bits.
      {"undelivered, no server", {false, 0x10000 + 32771, 0, {}}, 5715, 32771},
      {"undelivered", {false, 0x70042, 0, {}}, 0x42, 0x42},
      {"return code", {true, 0, 0x12345, {}}, 0x2345, 0x2345},
      {"negative return code", {true, 0, -1, {}}, 0xffff, 0xffff},
  };
  for (const Operation &op : operations) {
    for (const Failure &failure : failures) {
      SCOPED_TRACE(std::string(op.operation) + ", " + failure.what);
      const bool noBuffer = failure.errorCode < 0;
      server_.ReplyWith(failure.reply);
      if (noBuffer) {
        TMemory::SetFaultPlan({0, -1, -1}); // once: the rows after it find buffers again
      }
      const std::size_t sentBefore = server_.Requests().size();
      DiagCapture diag;
      EXPECT_EQ(op.call(), failure.result);

      const std::string operation = op.operation;
      std::vector<std::string> expected{operation + ": Sending request - " + op.sending};
      if (failure.errorCode >= 0) {
        expected.push_back(operation +
                           ": Error occured - rc = " + std::to_string(failure.errorCode));
      }
      if (op.entry) {
        expected.insert(expected.begin(), std::string(op.entry) + ": Start.");
        expected.push_back(std::string(op.entry) + ": End.");
      }
      EXPECT_EQ(diag.Texts(), expected);
      const std::vector<DiagLine> lines = diag.Lines();
      for (std::size_t i = 0; i < lines.size(); ++i) {
        const bool frame = op.entry && (i == 0 || i + 1 == lines.size());
        EXPECT_EQ(std::tie(lines[i].category, lines[i].file),
                  std::make_tuple(frame ? TDiag::FENX : TDiag::INFO, op.file))
            << i;
        EXPECT_GT(lines[i].line, 0) << i;
      }

      // The envelope every request travels in; the sending line shows its object.
      const auto requests = server_.Requests();
      ASSERT_EQ(requests.size(), sentBefore + (noBuffer ? 0 : 1));
      if (!noBuffer) {
        const TRpcRequest &request = requests.back();
        const TMsgRequestHdr header = Split(request).header;
        EXPECT_EQ(std::tie(request.destination, request.type, request.timeoutMs, request.taskType),
                  std::make_tuple(kServer, 5000, 480000ul, 0));
        EXPECT_EQ(std::make_tuple(header.GetVersion(), header.GetRelease()),
                  std::make_tuple(11, 0));
      }
    }
  }
}

// Constructing and destroying write a line each and copying none; the three-name constructor
// sets the shared server name after its line, the default one leaves it.
TEST(ProxyLifecycle, LinesAndTheSharedServerName) {
  TestServer server("SecondServer");
  std::vector<std::string> lines;
  std::string nameWhenLogged = "unset";
  const TDiag::Sink previous = TDiag::SetSink(
      [&](TDiag::enDiagType, unsigned short, const char *file, const std::string &text) {
        lines.push_back(std::string(file) + ": " + text);
        if (text.find("Constructed, server name") != std::string::npos) {
          nameWhenLogged = AStatisticsServer::GetStatsServerName();
        }
      });
  AStatisticsServer::serverName = "before";
  {
    AStatisticsServer plain;
    EXPECT_EQ(AStatisticsServer::GetStatsServerName(), "before");
    AStatisticsServer named("SecondServer", "client", "second");
    const AStatisticsServer copy(named);
    EXPECT_EQ(nameWhenLogged, "before");
    EXPECT_EQ(plain.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT), 0);
  }
  TDiag::SetSink(previous);
  const std::string created = "tstTServer: TStatisticsServer::TStatisticsServer: Created object";
  std::vector<std::string> expected = {
      created, "tstAServer: AStatisticsServer::AStatisticsServer: Created object", created,
      "tstAServer: AStatisticsServer::AStatisticsServer: Constructed, server name = SecondServer",
      "tstAServer: AStatisticsServer::RequestEvent: Sending request - Object = 4, EventType = "
      "5006"};
  for (int destroyed = 0; destroyed < 3; ++destroyed) {
    expected.push_back("tstAServer: AStatisticsServer::~AStatisticsServer: Destroyed object");
    expected.push_back("tstTServer: TStatisticsServer::~TStatisticsServer: Destroyed object");
  }
  EXPECT_EQ(lines, expected);
  // A default-constructed proxy has no client name of its own.
  EXPECT_EQ(Split(server.OnlyRequest()).body,
            PackedBytes([](TPack &p) { p << 5006 << std::string(); }));
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
  EXPECT_NE(&target.GetReplyQueue(), &source.GetReplyQueue());

  AStatisticsServer copy(source);
  EXPECT_EQ(copy.GetClientName(), "source-client");
  EXPECT_TRUE(copy.GetIncludeLoggedOffUsers());
  EXPECT_EQ(copy.GetName(), "");
}

// Unlike the proxy's own, the contact requests' copies take nothing of the proxy.
TEST(ProxyLifecycle, ContactRequestCopiesTakeTheRecordOnly) {
  AContactDetail detail;
  detail.SetCallbackStatus(4);
  ExpectRecordOnlyCopies(detail, [](const AContactDetail &made) {
    return made.GetCallbackStatus() == 4 &&
           made.IsSetTContactDetail(TContactDetail::BitCallbackStatus);
  });
  AContactLog log;
  log.ExtraText1 = "copied";
  ExpectRecordOnlyCopies(log, [](const AContactLog &made) { return made.ExtraText1 == "copied"; });
}

TEST(ProxyLifecycle, VersionIsAnnouncedAtLoad) {
  const auto announced = TVersionDiagHelper::Announced();
  const std::pair<std::string, std::string> expected{"Statistics Server Client version",
                                                     "V11 R0.0.0"};
  EXPECT_NE(std::find(announced.begin(), announced.end(), expected), announced.end());
}

TEST(PublicEventNames, InsideAndOutsideTheTable) {
  using S = TStatisticsServer;
  // The names of the event classes' ids are checked against the event table.
  EXPECT_EQ(S::ToString(S::CONNECTIONEVENT), "CONNECTIONEVENT");
  EXPECT_EQ(S::ToString(S::TABLEMANAGEMENTCOMPLETEEVENT), "TABLEMANAGEMENTCOMPLETEEVENT");
  for (int outside : {4999, 5023, 0, -5006, 1 << 30})
    EXPECT_EQ(S::ToString(static_cast<S::enSvrPublicEvents>(outside)), "UNKNOWN") << outside;
}

} // namespace
