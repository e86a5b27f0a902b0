// The in-process transport under load: eight client threads, each with its own proxy, call one
// bound server thousands of times while events are published to all of them; a server unbound
// mid-call fails the calls still waiting. Time-outs and late replies are transport_zmq_test's
// (over every carrier). It also runs under ThreadSanitizer (scripts/test.sh).
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <future>
#include <numeric>
#include <thread>
#include <vector>

#include <statclient/statclient.h>

#include "support/TestServer.h"

namespace {

constexpr int kClients = 8;
constexpr int kCallsPerClient = 400;
constexpr int kSubscriptionsPerClient = 50;
constexpr int kEvents = 300;
constexpr unsigned short kEventId = 7100;
const char kServer[] = "StressServer";

std::vector<unsigned char> Word(std::uint32_t v) {
  return PackedBytes([&](TPack &p) { p << v; });
}
std::uint32_t ReadWord(const void *data) { return TPack(const_cast<void *>(data), 4).GetUInt32(); }

// Raw calls carry a tag the server echoes in the body and in the return code; subscriptions
// (type 5000) are answered with the requested event id as return code, which RequestEvent
// then returns, so a crossed reply shows in either.
TRpcReply Echo(const TRpcRequest &request) {
  if (request.type == 5000) {
    const std::uint32_t id = ReadWord(request.data.data() + TMsgRequestHdr::SizeOfRequestHdrObj());
    return TRpcReply{true, 0, static_cast<long>(id), {}};
  }
  return TRpcReply{true, 0, static_cast<long>(ReadWord(request.data.data())), request.data};
}

struct ClientOutcome {
  int crossedReplies = 0;
  int failedCalls = 0;
  std::vector<std::uint32_t> events;
};

// Takes what events are queued (all of them when `waitForAll`) into `outcome`.
void DrainEvents(AStatisticsServer &proxy, ClientOutcome &outcome, bool waitForAll) {
  TEvent event;
  while (outcome.events.size() < kEvents && proxy.WaitForEvent(event, waitForAll ? 2000 : 0))
    outcome.events.push_back(ReadWord(event.GetData()));
}

void RunClient(AStatisticsServer &proxy, int client, ClientOutcome &outcome) {
  for (int call = 0; call < kCallsPerClient; ++call) {
    const std::uint32_t tag = static_cast<std::uint32_t>(client * 100000 + call + 1);
    std::vector<unsigned char> body = Word(tag);
    TRPC rpc(1, body.data(), static_cast<unsigned long>(body.size()), 1);
    if (!proxy.SendRPC(rpc, kServer, 2000, 0))
      ++outcome.failedCalls;
    else if (rpc.GetReturnCode() != static_cast<long>(tag) || rpc.GetReplySize() != 4 ||
             ReadWord(rpc.GetReplyPointer()) != tag)
      ++outcome.crossedReplies;
    if (call % (kCallsPerClient / kSubscriptionsPerClient) == 0) {
      const int id = 6000 + client * 100 + call % 100;
      if (proxy.RequestEvent(static_cast<TStatisticsServer::enSvrPublicEvents>(id)) != id)
        ++outcome.crossedReplies;
    }
    DrainEvents(proxy, outcome, false);
  }
  DrainEvents(proxy, outcome, true);
}

TEST(TransportStress, RepliesStayWithTheirCallsAndEventsArriveOnceInOrder) {
  TFramework::BindServer(kServer, Echo);
  std::vector<std::unique_ptr<AStatisticsServer>> proxies;
  TEvent wanted(kEventId);
  for (int client = 0; client < kClients; ++client) {
    proxies.push_back(std::make_unique<AStatisticsServer>(
        kServer, "StressClient" + std::to_string(client), "StressTask"));
    ASSERT_TRUE(proxies.back()->RegisterForEvent(wanted, kServer, 1000, 0));
  }
  std::vector<ClientOutcome> outcomes(kClients);
  std::vector<std::thread> clients;
  for (int client = 0; client < kClients; ++client)
    clients.emplace_back(RunClient, std::ref(*proxies[client]), client, std::ref(outcomes[client]));
  for (std::uint32_t sequence = 0; sequence < kEvents; ++sequence)
    ASSERT_EQ(TFramework::PublishEvent(kServer, TEvent(kEventId, Word(sequence))), kClients);
  for (std::thread &client : clients)
    client.join();

  std::vector<std::uint32_t> inOrder(kEvents);
  std::iota(inOrder.begin(), inOrder.end(), 0u);
  for (int client = 0; client < kClients; ++client) {
    SCOPED_TRACE("client " + std::to_string(client));
    EXPECT_EQ(outcomes[client].failedCalls, 0);
    EXPECT_EQ(outcomes[client].crossedReplies, 0);
    EXPECT_EQ(outcomes[client].events, inOrder);
    TEvent extra;
    EXPECT_FALSE(proxies[client]->WaitForEvent(extra, 0));
  }
  proxies.clear();
  TFramework::UnbindServer(kServer);
}

// The server holds the first call until released; the second waits behind it while the server
// is unbound.
TEST(TransportStress, UnbindingMidCallAnswersTheCallInHandAndFailsTheWaitingOnes) {
  std::promise<void> release;
  const std::shared_future<void> released = release.get_future().share();
  std::atomic<bool> entered{false};
  TFramework::BindServer("DoomedServer", [&](const TRpcRequest &) {
    entered = true;
    released.wait();
    return TRpcReply{};
  });
  AStatisticsServer inHand("DoomedServer", "InHandClient", "DoomedTask");
  AStatisticsServer waiting("DoomedServer", "WaitingClient", "DoomedTask");
  auto first = std::async(std::launch::async, [&] {
    return inHand.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT);
  });
  while (!entered)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  auto second = std::async(std::launch::async, [&] {
    return waiting.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  auto unbind = std::async(std::launch::async, [] { TFramework::UnbindServer("DoomedServer"); });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  release.set_value();
  unbind.get();
  EXPECT_EQ(first.get(), 0);
  EXPECT_EQ(second.get(), 5715);
}

} // namespace
