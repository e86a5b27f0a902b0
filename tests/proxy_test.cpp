// The server proxy and the request objects, seen from a bound test server and the diagnostic
// sink: what every operation sends, what it makes of its reply, and the failures it shares with
// every other operation.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "ContactTestSupport.h"
#include "client/tstAContactDetail.h"
#include "client/tstAContactLog.h"
#include "client/tstAErrorRecord.h"
#include "framework/TMemory.h"
#include "support/DiagCapture.h"

namespace {

constexpr char kServer[] = "ProxyTestServer";
using S = TStatisticsServer;

// Every proxy sends to the test server bound under kServer.
class ProxyTest : public ::testing::Test {
protected:
  TestServer server_{kServer};
  AStatisticsServer proxy_{kServer, "client", "second"};
};

TRpcReply Reply(Bytes data) { return {true, 0, 0, std::move(data)}; }
TRpcReply Reply(const std::function<void(TPack &)> &fill) { return Reply(PackedBytes(fill)); }

using Line = std::tuple<TDiag::enDiagType, std::string, std::string>;
const std::pair<TDiag::enDiagType, const char *> kNoLine{TDiag::INFO, nullptr};

// Every operation runs the same sequence: the envelope, the sending line, the buffer, the call
// and its failure line. Each failure of the sequence gives the same result code and lines
// whatever the operation; the Start/End lines of the contact requests frame them. A delivered
// reply gives the operation's own result and decoding line.
TEST_F(ProxyTest, EveryOperationSendsItsRequestReadsItsReplyAndFailsAlike) {
  AStatisticsServer flagged(kServer, "client", "second");
  flagged.SetIncludeLoggedOffUsers(true);
  const auto subscription = [](int id, auto... flag) {
    return PackedBytes([&](TPack &p) { ((p << id << std::string("client")) << ... << flag); });
  };
  AErrorRecord error;
  error.SetModuleName("mod");
  error.SetType(2);
  // The asynchronous query reads no reply even when one comes; the synchronous one unpacks it
  // into itself, and a reply ending early leaves what was read (ContactFrom, not ContactTo).
  AContactDetail async, sync, cut;
  async.SetQueueKey(12);
  async.ValueListB = {3};
  sync.SetAsynchronousEvent(0);
  sync.ValueListA = {7};
  sync.CallbackScheduleLogs.resize(2);
  cut.SetAsynchronousEvent(0);
  cut.SetContactTo("mine");
  TContactDetail answer;
  answer.SetContactFrom("server");
  answer.SetContactTo("server too");
  answer.ValueListA = {1, 2};
  answer.CallbackAttemptLogs.resize(1);
  const auto detailReply = [&](unsigned short code) {
    return Reply([&](TPack &p) { p << TMsgReplyHdr(code, 5) << answer; });
  };
  TRpcReply cutReply = detailReply(0);
  cutReply.data.resize(6 + 4 + 6 + 2); // header, ContactFrom, and half of ContactTo's length
  const Bytes asyncBody = Packed<TContactDetail>(async);
  // The update and the delete with action 3 send the short form and take the new key from the
  // reply, even from one cut short after the key; the other actions send the entry and leave
  // the key (the bodies of the rows after them show it).
  AContactLog log;
  log.RecordKey = 5;
  log.Requeued = -2;
  log.ContactType = 4;
  log.AgentKey = 31;
  log.ContactID = "cid";
  log.Contact = "who";
  log.ExtraText2 = "extra";
  const Bytes entry = Packed<TEventDataContactLog>(log);
  const auto shortForm = [](int key) {
    return PackedBytes([&](TPack &p) { p << short(4) << 31 << key << -2 << Texts{"cid", "who"}; });
  };
  const auto deleteWith = [&](int action) {
    return log.DeleteContactLogSummary(
        static_cast<TEventDataContactLog::enContactLogActions>(action));
  };

  struct Operation {
    std::function<unsigned short()> call;
    const char *entry;     // the Start./End. lines' prefix, or none
    const char *operation; // the other lines' prefix
    const char *sending;
    unsigned char replyFlag;
    unsigned short object, action;
    Bytes body;
    TRpcReply reply; // delivered
    unsigned short result;
    std::pair<TDiag::enDiagType, const char *> decoded; // the line the decoding writes
  };
  const char *const detailEntry = "AContactDetail::QueryContactDetail";
  const char *const detailSending = "Object = 3, Action = 0, ";
  const Operation operations[] = {
      // The flag travels for the user real-time event alone; the refresh rate's id and rate
      // travel unchecked.
      {[&] { return flagged.RequestEvent(S::USERREALTIMEEVENT); }, nullptr,
       "AStatisticsServer::RequestEvent", "Object = 4, EventType = 5004", 1, 4, 0,
       subscription(5004, true), TRpcReply(), 0, kNoLine},
      {[&] { return flagged.RequestEvent(S::GROUPREALTIMEEVENT); }, nullptr,
       "AStatisticsServer::RequestEvent", "Object = 4, EventType = 5006", 1, 4, 0,
       subscription(5006), TRpcReply(), 0, kNoLine},
      {[&] { return proxy_.RequestEvent(S::USERREALTIMEEVENT); }, nullptr,
       "AStatisticsServer::RequestEvent", "Object = 4, EventType = 5004", 1, 4, 0,
       subscription(5004, false), TRpcReply(), 0, kNoLine},
      {[&] {
         return proxy_.SetCumulativeRefreshRate(S::enSvrPublicEvents(12345),
                                                S::enCumulativeRefreshRate(-7));
       },
       nullptr, "AStatisticsServer::SetCumulativeRefreshRate",
       "Object = 5, EventType = 12345, Rate = -7", 1, 5, 0,
       PackedBytes([](TPack &p) { p << 12345 << -7; }), TRpcReply(), 0, kNoLine},
      {[&] { return error.WriteRecord(); }, nullptr, "AErrorRecord::SendRequest", "Object = 1", 1,
       1, 0, Packed<TErrorRecord>(error), TRpcReply(), 0, kNoLine},
      {[&] { return async.QueryContactDetail(); }, detailEntry, "AContactDetail::SendRequest",
       detailSending, 0, 3, 0, asyncBody, detailReply(0), 0, kNoLine},
      // The trace shows the decoding status, the caller gets the server's code.
      {[&] { return sync.QueryContactDetail(); }, detailEntry, "AContactDetail::SendRequest",
       detailSending, 1, 3, 0, Packed<TContactDetail>(sync), detailReply(42), 42,
       std::make_pair(TDiag::INFO, "AContactDetail::SendRequest: Received reply - rc = 0")},
      {[&] { return cut.QueryContactDetail(); }, detailEntry, "AContactDetail::SendRequest",
       detailSending, 1, 3, 0, Packed<TContactDetail>(cut), cutReply, 5709,
       std::make_pair(TDiag::INFO, "AContactDetail::SendRequest: Received reply - rc = 5709")},
      {[&] { return log.QueryContactLogSummary(); }, "AContactLog::QueryContactLogSummary",
       "AContactLog::SendRequest", "Object = 2, Action = 0", 0, 2, 0, entry, Reply(Bytes{1, 2, 3}),
       0, kNoLine},
      // Any delete action but 3 reads the reply header only.
      {[&] { return deleteWith(5); }, "AContactLog::DeleteActivityLog", "AContactLog::SendRequest",
       "Object = 2, Action = 5", 1, 2, 5, entry, Reply([](TPack &p) { p << TMsgReplyHdr(12, 8); }),
       12, kNoLine},
      {[&] { return log.UpdateContactLogSummary(); }, "AContactLog::UpdateActivityLog",
       "AContactLog::SendRequest", "Object = 2, Action = 3", 1, 2, 3, shortForm(5),
       Reply([](TPack &p) { p << 77L << TMsgReplyHdr(0, 8); }), 0, kNoLine},
      // No "Exception occured" line after the bad reply's.
      {[&] { return deleteWith(3); }, "AContactLog::DeleteActivityLog", "AContactLog::SendRequest",
       "Object = 2, Action = 3", 1, 2, 3, shortForm(77), Reply([](TPack &p) { p << 78L; }), 5709,
       std::make_pair(
           TDiag::SEVR,
           "AContactLog::GetMessageReply: Failed to unpack response from Statistics server")},
  };
  struct Run {
    const char *what;
    TRpcReply reply;
    unsigned short result;
    int errorCode; // of the "Error occured" line; -1: nothing was sent; 0: delivered
  };
  const Run failures[] = {
      {"no buffer", {}, 5737, -1},
      // The framework's last error and the call's return code count on their low 16 bits.
      {"undelivered, no server", {false, 0x10000 + 32771, 0, {}}, 5715, 32771},
      {"undelivered", {false, 0x70042, 0, {}}, 0x42, 0x42},
      {"return code", {true, 0, 0x12345, {}}, 0x2345, 0x2345},
      {"negative return code", {true, 0, -1, {}}, 0xffff, 0xffff},
  };
  for (const Operation &op : operations) {
    std::vector<Run> runs(std::begin(failures), std::end(failures));
    runs.push_back({"delivered", op.reply, op.result, 0});
    for (const Run &run : runs) {
      SCOPED_TRACE(std::string(op.operation) + ", " + op.sending + ", " + run.what);
      server_.ReplyWith(run.reply);
      if (run.errorCode < 0) {
        TMemory::SetFaultPlan({0, -1, -1}); // once: the runs after it find buffers again
      }
      const std::size_t sentBefore = server_.Requests().size();
      DiagCapture diag;
      EXPECT_EQ(op.call(), run.result);

      const std::string operation = op.operation;
      const std::string owner = operation.substr(0, operation.find(':'));
      const std::string file = owner == "AStatisticsServer" ? "tstAServer" : "tst" + owner;
      std::vector<Line> expected{
          {TDiag::INFO, file, operation + ": Sending request - " + op.sending}};
      if (run.errorCode > 0) {
        expected.emplace_back(TDiag::INFO, file,
                              operation +
                                  ": Error occured - rc = " + std::to_string(run.errorCode));
      }
      if (run.errorCode == 0 && op.decoded.second) {
        expected.emplace_back(op.decoded.first, file, op.decoded.second);
      }
      if (op.entry) {
        expected.insert(expected.begin(),
                        Line{TDiag::FENX, file, std::string(op.entry) + ": Start."});
        expected.emplace_back(TDiag::FENX, file, std::string(op.entry) + ": End.");
      }
      std::vector<Line> lines;
      for (const DiagLine &line : diag.Lines()) {
        lines.emplace_back(line.category, line.file, line.text);
        EXPECT_GT(line.line, 0) << line.text;
      }
      EXPECT_EQ(lines, expected);

      // The envelope every request travels in; the data size of the contact detail's alone
      // counts the 12 bytes of the header too.
      const auto requests = server_.Requests();
      ASSERT_EQ(requests.size(), sentBefore + (run.errorCode < 0 ? 0 : 1));
      if (run.errorCode >= 0) {
        const TRpcRequest &request = requests.back();
        const TMsgRequestHdr header = Split(request).header;
        EXPECT_EQ(std::tie(request.destination, request.type, request.replyFlag, request.timeoutMs,
                           request.taskType),
                  std::make_tuple(kServer, 5000, op.replyFlag, 480000ul, 0));
        EXPECT_EQ(std::make_tuple(header.GetVersion(), header.GetRelease(), header.GetObject(),
                                  header.GetAction(), header.GetDataSize()),
                  std::make_tuple(11, 0, op.object, op.action,
                                  op.body.size() + (op.object == 3 ? 12 : 0)));
        EXPECT_EQ(Split(request).body, op.body);
      }
    }
  }
  EXPECT_EQ(server_.Requests().at(0).source, "client");
  // What the replies left in the objects.
  EXPECT_EQ(Packed<TContactDetail>(async), asyncBody);
  EXPECT_EQ(sync.GetContactFrom(), "server");
  EXPECT_EQ(sync.ValueListA, (std::vector<long>{7, 1, 2}));
  EXPECT_TRUE(sync.CallbackScheduleLogs.empty());
  EXPECT_EQ(sync.CallbackAttemptLogs.size(), 1u);
  // The reply's AsynchronousEvent (true) is a field; the flags are the caller's.
  EXPECT_EQ(sync.IsAsynchronousEvent(), 1);
  EXPECT_TRUE(sync.IsSetTContactDetail(TContactDetail::BitAsynchronousEvent));
  EXPECT_FALSE(sync.IsSetTContactDetail(TContactDetail::BitContactID));
  EXPECT_EQ(std::make_pair(cut.GetContactFrom(), cut.GetContactTo()),
            std::make_pair(std::string("server"), std::string("mine")));
  EXPECT_EQ(log.RecordKey, 78);
}

// Constructing and destroying write a line each, copying and assigning none; the three-name
// constructor sets the shared server name, the default one leaves it and sends no client name.
// A copy or assignment of a proxy takes its client name and flag, not its framework identity or
// reply queue. The library's version is announced at load.
TEST(ProxyLifecycle, LinesTheSharedServerNameAndCopies) {
  TestServer server("SecondServer");
  AStatisticsServer::serverName = "before";
  std::vector<std::string> lines;
  {
    DiagCapture diag;
    {
      AStatisticsServer plain;
      EXPECT_EQ(AStatisticsServer::GetStatsServerName(), "before");
      AStatisticsServer named("SecondServer", "client", "second");
      named.SetIncludeLoggedOffUsers(true);
      AStatisticsServer copy(named);
      EXPECT_EQ(plain.RequestEvent(S::GROUPREALTIMEEVENT), 0);
      plain = named;
      for (const AStatisticsServer *made : {&copy, &plain}) {
        EXPECT_EQ(std::make_tuple(made->GetClientName(), made->GetIncludeLoggedOffUsers(),
                                  made->GetName()),
                  std::make_tuple("client", true, ""));
      }
      EXPECT_NE(&plain.GetReplyQueue(), &named.GetReplyQueue());
    }
    for (const DiagLine &line : diag.Lines())
      lines.push_back(line.file + ": " + line.text);
  }
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
  EXPECT_EQ(Split(server.Requests().at(0)).body,
            PackedBytes([](TPack &p) { p << 5006 << std::string(); }));
  const auto announced = TVersionDiagHelper::Announced();
  EXPECT_NE(std::find(announced.begin(), announced.end(),
                      std::make_pair(std::string("Statistics Server Client version"),
                                     std::string("V11 R0.0.0"))),
            announced.end());
}

// A copy of a request object takes its record and, for the error record alone, its proxy part;
// the others' copies have fresh proxies. An assignment takes the record only.
TEST(ProxyLifecycle, RequestObjectCopies) {
  const auto expectCopies = [](auto &source, auto record, bool copyTakesProxy) {
    using Request = std::remove_reference_t<decltype(source)>;
    using Record = decltype(record);
    source.SetIncludeLoggedOffUsers(true);
    const Request copy(source);
    Request assigned;
    assigned = source;
    EXPECT_EQ(copy.GetIncludeLoggedOffUsers(), copyTakesProxy);
    EXPECT_FALSE(assigned.GetIncludeLoggedOffUsers());
    EXPECT_EQ(Packed<Record>(copy), Packed<Record>(source));
    EXPECT_EQ(Packed<Record>(assigned), Packed<Record>(source));
  };
  AContactDetail detail;
  detail.SetContactFrom("copied");
  expectCopies(detail, TContactDetail(), false);
  AContactLog log;
  log.ExtraText1 = "copied";
  expectCopies(log, TEventDataContactLog(), false);
  AErrorRecord error;
  error.SetType(7); // the flags travel too
  expectCopies(error, TErrorRecord(), true);
}

TEST(PublicEventNames, InsideAndOutsideTheTable) {
  // The names of the event classes' ids are checked against the event table.
  EXPECT_EQ(S::ToString(S::CONNECTIONEVENT), "CONNECTIONEVENT");
  EXPECT_EQ(S::ToString(S::TABLEMANAGEMENTCOMPLETEEVENT), "TABLEMANAGEMENTCOMPLETEEVENT");
  for (int outside : {4999, 5023, 0, -5006, 1 << 30})
    EXPECT_EQ(S::ToString(static_cast<S::enSvrPublicEvents>(outside)), "UNKNOWN") << outside;
}

} // namespace
