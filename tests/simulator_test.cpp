// The simulator as the library's clients see it: every id of the event table yields payloads that
// decode into its class, cumulative ids at their refresh rate, the user real-time event honouring
// include-logged-off-users; every request object is served through the library's own request
// classes, a request it cannot serve gets its return code and changes nothing, and the error
// records it keeps are bounded. A connection to a server tells whether one answers.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <tuple>
#include <utility>

#include <statclient/statclient.h>
#include <statsim/EventPublisher.h>
#include <statsim/ServerConnection.h>
#include <statsim/Simulator.h>
#include <statsupport/DiscardingSink.h>
#include <statsupport/EventTable.h>

#include "support/Spans.h"

namespace {

constexpr char kServer[] = "SimulatorTestServer";

// A simulator and a client of it, subscribed to `id` unless it is 0.
struct Sim {
  explicit Sim(int id = 0, bool includeLoggedOff = false) {
    if (id == 0)
      return;
    proxy.SetIncludeLoggedOffUsers(includeLoggedOff);
    TEvent registration(static_cast<unsigned short>(id));
    EXPECT_TRUE(proxy.RegisterForEvent(registration, kServer, 5000, 0));
    EXPECT_EQ(proxy.RequestEvent(static_cast<TStatisticsServer::enSvrPublicEvents>(id)), 0);
  }
  // Ticks until an event arrives or `ticks` have passed; the ticks taken, 0 when none came.
  int TicksUntilEvent(int ticks, TEvent &event) {
    for (int tick = 1; tick <= ticks; ++tick) {
      sim.Tick();
      if (proxy.WaitForEvent(event, 0))
        return tick;
    }
    return 0;
  }
  statsim::Simulator sim{kServer, 3};
  AStatisticsServer proxy{kServer, "simtest", "simtest"};
};

class SimEvents : public ::testing::TestWithParam<statsupport::EventEntry> {};

TEST_P(SimEvents, SubscribedIdDecodesIntoItsClassInFull) {
  const statsupport::EventEntry &entry = GetParam();
  Sim s(entry.id);
  TEvent event;
  const int ticks = s.TicksUntilEvent(statsim::Simulator::kDefaultRefreshTicks, event);
  ASSERT_NE(ticks, 0) << "no event";
  EXPECT_EQ(ticks, statsim::IsCumulative(entry.id) ? statsim::Simulator::kDefaultRefreshTicks : 1);
  EXPECT_EQ(event.GetId(), entry.id);

  statsupport::DiscardingSink sink;
  const statsupport::DecodeResult decoded =
      entry.decode(event.GetData(), event.GetDataSize(), sink);
  // Waiting contacts and callbacks come and go, so their lists may be empty on the first tick.
  if (entry.id != TStatisticsServer::CONTACTREALTIMEEVENT &&
      entry.id != TStatisticsServer::CALLBACKREALTIMEEVENT) {
    EXPECT_GT(decoded.records, 0u);
  }
  EXPECT_EQ(decoded.consumed, event.GetDataSize());
  EXPECT_TRUE(entry.selfCheck(event.GetData(), event.GetDataSize()));
}

INSTANTIATE_TEST_SUITE_P(EveryTableId, SimEvents,
                         ::testing::ValuesIn(statsupport::begin(), statsupport::end()),
                         [](const auto &info) { return std::string(info.param.eventName); });

TEST(SimEventsRate, CumulativeIdsFollowTheirRefreshRate) {
  Sim s(TStatisticsServer::QUEUECUMULATIVEEVENT);
  ASSERT_EQ(
      s.proxy.SetCumulativeRefreshRate(TStatisticsServer::QUEUECUMULATIVEEVENT,
                                       static_cast<TStatisticsServer::enCumulativeRefreshRate>(2)),
      0);
  TEvent event;
  EXPECT_EQ(s.TicksUntilEvent(10, event), 2);
  EXPECT_EQ(s.TicksUntilEvent(10, event), 2);
}

// Without the flag only logged-on users come; a logged-off user is always offline.
TEST(SimEventsUsers, LoggedOffUsersComeOnlyWhenAskedFor) {
  const auto usersAfterOneTick = [](bool includeLoggedOff) {
    Sim s(TStatisticsServer::USERREALTIMEEVENT, includeLoggedOff);
    TEvent event;
    EXPECT_EQ(s.TicksUntilEvent(1, event), 1);
    TUserRealTimeEvent users;
    TPack pack(event.GetData(), event.GetDataSize());
    pack >> users;
    for (const auto *user : users.EventDataList) {
      const bool loggedOff = user->RS == TpsTRoutingState::ROUTING_LOGGEDOFF;
      EXPECT_EQ(loggedOff, user->Pres == TpsTPresenceState::PRESENCE_OFFLINE);
      EXPECT_TRUE(includeLoggedOff || !loggedOff);
    }
    return users.EventDataList.size();
  };
  const std::size_t loggedOn = usersAfterOneTick(false);
  EXPECT_EQ(usersAfterOneTick(true), 6u);
  EXPECT_LT(loggedOn, 6u);
  EXPECT_GT(loggedOn, 0u);
}

TEST(SimEventsModel, SameSeedSameEvents) {
  const auto payloads = [](std::uint32_t seed) {
    statsim::ContactCenterModel model(seed);
    std::vector<Bytes> out;
    for (int step = 0; step < 20; ++step) {
      model.Advance();
      out.push_back(statsim::PackEvent(TStatisticsServer::QUEUEREALTIMEEVENT, model, false));
      out.push_back(statsim::PackEvent(TStatisticsServer::USERREALTIMEEVENT, model, true));
    }
    return out;
  };
  EXPECT_EQ(payloads(9), payloads(9));
  EXPECT_NE(payloads(9), payloads(10));
}

// Error records are kept, each as it was sent; contact-log updates read back fresh keys, the
// other actions are kept; a synchronous contact-detail query comes back filled from the model.
TEST(SimRequests, ServesEveryRequestObject) {
  Sim s;
  AErrorRecord error;
  error.SetErrorText("disk full");
  ASSERT_EQ(error.WriteRecord(), 0);
  const Bytes first = Packed<TErrorRecord>(error);
  error.SetModuleName("billing");
  ASSERT_EQ(error.WriteRecord(), 0);
  const std::vector<TErrorRecord> arrived = s.sim.ErrorRecords();
  ASSERT_EQ(arrived.size(), 2u);
  EXPECT_EQ(Packed(arrived[0]), first);
  EXPECT_EQ(Packed(arrived[1]), Packed<TErrorRecord>(error));

  AContactLog log;
  log.RecordKey = 5;
  ASSERT_EQ(log.UpdateContactLogSummary(), 0);
  const long key = log.RecordKey;
  ASSERT_EQ(log.UpdateContactLogSummary(), 0);
  EXPECT_EQ(log.RecordKey, key + 1);
  EXPECT_EQ(s.sim.ContactLogUpdates(), 2);
  log.AgentKey = 42;
  EXPECT_EQ(log.QueryContactLogSummary(), 0);
  EXPECT_EQ(log.DeleteContactLogSummary(static_cast<TEventDataContactLog::enContactLogActions>(2)),
            0);
  const auto kept = s.sim.ContactLogRequests();
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept[0].AgentKey, 42);
  EXPECT_EQ(kept[1].RecordKey, key + 1);

  AContactDetail detail;
  detail.SetContactFrom("555-0100");
  detail.SetAsynchronousEvent(0);
  ASSERT_EQ(detail.QueryContactDetail(), 0);
  EXPECT_EQ(std::make_tuple(detail.GetDescription(), detail.GetQueueKey(), detail.GetContactFrom()),
            std::make_tuple("simulated contact", 2000, "555-0100"));
}

// A long-running simulator keeps only the most recent error records and contact-log requests,
// oldest first, and counts the ones it dropped.
TEST(SimRequests, KeepsTheMostRecentRecordsOfEachKindAndCountsTheOlderOnes) {
  Sim s;
  constexpr std::size_t kMax = statsim::Simulator::kMaxKeptRecords;
  AErrorRecord error;
  AContactLog log;
  const auto write = [&](std::size_t count) {
    for (std::size_t n = 0; n < count; ++n) {
      error.SetLineNumber(error.GetLineNumber() + 1);
      ASSERT_EQ(error.WriteRecord(), 0);
      log.AgentKey = log.AgentKey + 1;
      ASSERT_EQ(log.QueryContactLogSummary(), 0);
    }
  };
  write(kMax);
  EXPECT_EQ(s.sim.ErrorRecords().size(), kMax);
  EXPECT_EQ(s.sim.ContactLogRequests().size(), kMax);
  EXPECT_EQ(s.sim.ErrorRecordsDropped(), 0);
  EXPECT_EQ(s.sim.ContactLogRequestsDropped(), 0);
  write(5);
  const std::vector<TErrorRecord> errors = s.sim.ErrorRecords();
  const std::vector<TEventDataContactLog> logs = s.sim.ContactLogRequests();
  ASSERT_EQ(errors.size(), kMax);
  ASSERT_EQ(logs.size(), kMax);
  EXPECT_EQ(s.sim.ErrorRecordsDropped(), 5);
  EXPECT_EQ(s.sim.ContactLogRequestsDropped(), 5);
  EXPECT_EQ(errors.front().GetLineNumber(), 6);
  EXPECT_EQ(errors.back().GetLineNumber(), error.GetLineNumber());
  EXPECT_EQ(logs.front().AgentKey, 6);
  EXPECT_EQ(logs.back().AgentKey, log.AgentKey);
}

TEST(SimRequests, UnservableRequestsGetTheirDocumentedCodesAndChangeNothing) {
  const auto ints = [](int a, int b) { return PackedBytes([&](TPack &p) { p << a << b; }); };
  struct Case {
    const char *what;
    unsigned short version, object, action;
    Bytes body;
    long code;
  } cases[] = {
      {"version 10", 10, 1, 0, {}, TKIVOServerBase::kBadRequest},
      {"truncated error record", 11, 1, 0, {1, 2, 3}, statsim::Simulator::kUndecodableBody},
      {"empty contact detail", 11, 3, 0, {}, statsim::Simulator::kUndecodableBody},
      {"truncated update", 11, 2, 3, {9}, statsim::Simulator::kUndecodableBody},
      {"object 9", 11, 9, 0, {}, statsim::Simulator::kUnknownObject},
      {"contact-log action 7", 11, 2, 7, {}, statsim::Simulator::kUnknownObject},
      {"connection event", 11, 4, 0,
       PackedBytes([](TPack &pack) { pack << 5000 << std::string("client"); }),
       statsim::Simulator::kUnservedEvent},
      {"real-time refresh rate", 11, 5, 0, ints(5006, 3), statsim::Simulator::kUnservedEvent},
      {"zero refresh rate", 11, 5, 0, ints(5010, 0), statsim::Simulator::kUndecodableBody},
  };
  Sim s;
  for (const Case &c : cases) {
    // A raw request: header fields and body bytes chosen by the case.
    Bytes bytes = PackedBytes([&](TPack &pack) {
      TMsgRequestHdr header(c.version, 0, c.object, c.action);
      header.SetDataSize(c.body.size());
      pack << header;
    });
    bytes.insert(bytes.end(), c.body.begin(), c.body.end());
    TRPC rpc(5000, bytes.data(), bytes.size(), 1);
    EXPECT_TRUE(s.proxy.SendRPC(rpc, kServer, 5000, 0)) << c.what;
    EXPECT_EQ(rpc.GetReturnCode(), c.code) << c.what;
  }
  EXPECT_TRUE(s.sim.ErrorRecords().empty());
  EXPECT_EQ(s.sim.ContactLogUpdates(), 0);
  EXPECT_TRUE(s.sim.SubscribedEvents().empty());
  EXPECT_EQ(s.proxy.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT), 0);
}

// Reachable says whether a server answers: the embedded one, and one served over ZeroMQ once
// the connection is made, do, and the probe leaves nothing behind at them; a name nobody binds
// fails at once, an endpoint nobody listens at after the wait it was given.
TEST(ServerConnection, ReachableOnlyWhenAServerAnswersInTime) {
  using std::chrono::milliseconds;
  const auto timed = [](const statsim::ServerConnection &connection, milliseconds within) {
    const auto start = std::chrono::steady_clock::now();
    const bool reachable = connection.Reachable(within);
    return std::make_pair(reachable, std::chrono::steady_clock::now() - start);
  };
  EXPECT_TRUE(statsim::StartEmbeddedServer("ReachableEmbedded", milliseconds(1000), 1)
                  ->Reachable(milliseconds(2000)));
  const auto [unbound, unboundTook] =
      timed(*statsim::UseNamedServer("ReachableNobody"), milliseconds(5000));
  EXPECT_FALSE(unbound);
  EXPECT_LT(unboundTook, milliseconds(1000));

  char dir[] = "/tmp/statclient-reach-XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  const std::string nowhere = "ipc://" + std::string(dir) + "/nowhere";
  const auto [absent, absentTook] =
      timed(*statsim::ConnectToServer("ReachableAbsent", nowhere), milliseconds(300));
  EXPECT_FALSE(absent);
  EXPECT_GE(absentTook, milliseconds(300));
  EXPECT_LT(absentTook, milliseconds(1500));

  statsim::Simulator served("ReachableServed");
  const std::string endpoint =
      TFramework::ListenServer("ReachableServed", "ipc://" + std::string(dir) + "/served");
  EXPECT_TRUE(statsim::ConnectToServer("ReachableServed", endpoint)->Reachable(milliseconds(2000)));
  EXPECT_TRUE(served.ErrorRecords().empty());
  EXPECT_TRUE(served.SubscribedEvents().empty());
  EXPECT_EQ(served.ContactLogUpdates(), 0);
  std::filesystem::remove_all(dir);
}

// Every code a request can return has words of its own; any other is the server's, passed on.
TEST(ResultCodeText, NamesKnownCodesAndSaysTheRestArePassedThrough) {
  const auto passedThrough = [](unsigned long code) {
    return std::to_string(code) + ": a code of the server's own, passed through from it";
  };
  for (unsigned long code : {0, 5709, 5715, 5737, 5001, 32771, 32772, 32773}) {
    EXPECT_EQ(ResultCodeText(code).rfind(std::to_string(code) + ": ", 0), 0u) << code;
    EXPECT_NE(ResultCodeText(code), passedThrough(code));
  }
  for (unsigned long code : {1, 5101, 65535})
    EXPECT_EQ(ResultCodeText(code), passedThrough(code));
}

} // namespace
