// The in-process transport under load: eight client threads, each with its own proxy, call one
// bound server thousands of times while events are published to all of them. Before that each
// makes a call that times out at a held server, with a call in hand there and one waiting; the
// held server is unbound and released while the clients run, so that its late replies come in
// among theirs, and another proxy with the same names is made and used. It also runs under
// ThreadSanitizer (scripts/test.sh).
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
const char kServer[] = "StressServer", kHeld[] = "HeldServer";

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

// The calls that failed, timed out where they should not or not where they should, or took a
// reply not theirs; and the events taken.
struct ClientOutcome {
  int wrongCalls = 0;
  std::vector<std::uint32_t> events;
};

// Takes what events are queued (all of them when `waitForAll`) into `outcome`.
void DrainEvents(AStatisticsServer &proxy, ClientOutcome &outcome, bool waitForAll) {
  TEvent event;
  while (outcome.events.size() < kEvents && proxy.WaitForEvent(event, waitForAll ? 2000 : 0))
    outcome.events.push_back(ReadWord(event.GetData()));
}

// A call to the held server that times out; once the server is released, the calls and
// subscriptions, none of which may take the stalled call's late reply for its own.
void RunClient(AStatisticsServer &proxy, int client, ClientOutcome &outcome,
               std::atomic<int> &stalled, const std::shared_future<void> &released) {
  TRPC stall(1, nullptr, 0, 1);
  outcome.wrongCalls +=
      proxy.SendRPC(stall, kHeld, 50, 0) || TBase::fwBaseGetLastError() != TFramework::kErrTimeout;
  ++stalled;
  released.wait();
  for (int call = 0; call < kCallsPerClient; ++call) {
    const std::uint32_t tag = static_cast<std::uint32_t>(client * 100000 + call + 1);
    std::vector<unsigned char> body = Word(tag);
    TRPC rpc(1, body.data(), static_cast<unsigned long>(body.size()), 1);
    outcome.wrongCalls += !proxy.SendRPC(rpc, kServer, 2000, 0) ||
                          rpc.GetReturnCode() != static_cast<long>(tag) ||
                          rpc.GetReplySize() != 4 || ReadWord(rpc.GetReplyPointer()) != tag;
    if (call % (kCallsPerClient / kSubscriptionsPerClient) == 0) {
      const int id = 6000 + client * 100 + call % 100;
      outcome.wrongCalls +=
          proxy.RequestEvent(static_cast<TStatisticsServer::enSvrPublicEvents>(id)) != id;
    }
    DrainEvents(proxy, outcome, false);
  }
  DrainEvents(proxy, outcome, true);
}

// The last error of a call to the held server from `caller`, 0 when it was answered.
std::future<unsigned long> CallHeld(TFramework &caller) {
  return std::async(std::launch::async, [&caller] {
    TRPC rpc(1, nullptr, 0, 1);
    return caller.SendRPC(rpc, kHeld, 5000, 0) ? 0ul : TBase::fwBaseGetLastError();
  });
}

TEST(TransportStress, RepliesStayWithTheirCallsEventsArriveOnceInOrderUnbindingFailsTheWaiting) {
  TFramework::BindServer(kServer, Echo);
  std::vector<std::unique_ptr<AStatisticsServer>> proxies;
  TEvent wanted(kEventId);
  for (int client = 0; client < kClients; ++client) {
    proxies.push_back(std::make_unique<AStatisticsServer>(
        kServer, "StressClient" + std::to_string(client), "StressTask"));
    ASSERT_TRUE(proxies.back()->RegisterForEvent(wanted, kServer, 1000, 0));
  }
  std::promise<void> release;
  const std::shared_future<void> released = release.get_future().share();
  std::atomic<bool> entered{false};
  TFramework::BindServer(kHeld, [&](const TRpcRequest &) {
    entered = true;
    released.wait();
    return TRpcReply{};
  });
  TFramework inHand("InHandClient", "", 1), waiting("WaitingClient", "", 1);
  std::future<unsigned long> first = CallHeld(inHand);
  while (!entered)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  std::future<unsigned long> second = CallHeld(waiting);

  std::vector<ClientOutcome> outcomes(kClients);
  std::atomic<int> stalled{0};
  std::vector<std::thread> clients;
  for (int client = 0; client < kClients; ++client)
    clients.emplace_back(RunClient, std::ref(*proxies[client]), client, std::ref(outcomes[client]),
                         std::ref(stalled), std::cref(released));
  while (stalled < kClients)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  auto unbind = std::async(std::launch::async, [] { TFramework::UnbindServer(kHeld); });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  release.set_value();
  // Proxies made with the same names while the others are in use change nothing they read.
  std::thread another([] {
    for (int made = 0; made < 100; ++made) {
      AStatisticsServer again(kServer, "StressClient0", "StressTask");
      EXPECT_EQ(again.RequestEvent(static_cast<TStatisticsServer::enSvrPublicEvents>(6999)), 6999);
    }
  });
  for (std::uint32_t sequence = 0; sequence < kEvents; ++sequence)
    EXPECT_EQ(TFramework::PublishEvent(kServer, TEvent(kEventId, Word(sequence))), kClients);
  unbind.get();
  another.join();
  for (std::thread &client : clients)
    client.join();

  EXPECT_EQ(first.get(), 0u);
  EXPECT_EQ(second.get(), TFramework::kErrNoServer);
  std::vector<std::uint32_t> inOrder(kEvents);
  std::iota(inOrder.begin(), inOrder.end(), 0u);
  for (int client = 0; client < kClients; ++client) {
    SCOPED_TRACE("client " + std::to_string(client));
    EXPECT_EQ(outcomes[client].wrongCalls, 0);
    EXPECT_EQ(outcomes[client].events, inOrder);
    TEvent extra;
    EXPECT_FALSE(proxies[client]->WaitForEvent(extra, 0));
  }
  proxies.clear();
  TFramework::UnbindServer(kServer);
}

} // namespace
