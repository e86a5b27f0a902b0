// The transport under load: eight client threads, each with its own proxy, call one bound
// server thousands of times while events are published to all of them; a stalled server
// times calls out; a server unbound mid-call fails the calls still waiting. Short time-outs
// keep it fast; it also runs under ThreadSanitizer (scripts/test.sh).
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <future>
#include <mutex>
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

// A handler that blocks until released, and tells when it has been entered.
class Gate {
public:
  TRpcReply Hold() {
    std::unique_lock<std::mutex> lock(lock_);
    ++entered_;
    changed_.notify_all();
    changed_.wait(lock, [this] { return open_; });
    return TRpcReply{true, 0, 0, {}};
  }
  void AwaitEntered(int count) {
    Await([&] { return entered_ >= count; });
  }
  void AwaitOpen() {
    Await([this] { return open_; });
  }
  void Open() {
    std::lock_guard<std::mutex> lock(lock_);
    open_ = true;
    changed_.notify_all();
  }

private:
  template <class Until> void Await(Until until) {
    std::unique_lock<std::mutex> lock(lock_);
    changed_.wait(lock, until);
  }
  std::mutex lock_;
  std::condition_variable changed_;
  int entered_ = 0;
  bool open_ = false;
};

TEST(TransportStress, StalledServersTimeOutAndLateRepliesAreNotTakenForLaterOnes) {
  Gate gate;
  TFramework::BindServer("StallServer", [&gate](const TRpcRequest &) { return gate.Hold(); });
  TFramework::BindServer(kServer, Echo);
  std::vector<std::thread> clients;
  std::atomic<int> stallsDone{0}, timedOut{0}, ownReplies{0};
  for (int client = 0; client < kClients; ++client) {
    clients.emplace_back([&, client] {
      TFramework proxy(("StallClient" + std::to_string(client)).c_str(), "StallTask", 1);
      unsigned char none = 0;
      TRPC stalled(1, &none, 1, 1);
      if (!proxy.SendRPC(stalled, "StallServer", 50, 0) &&
          TBase::fwBaseGetLastError() == TFramework::kErrTimeout)
        ++timedOut;
      ++stallsDone;
      // The stalled calls are answered while these run: none may be taken for their replies.
      gate.AwaitOpen();
      std::vector<unsigned char> body = Word(static_cast<std::uint32_t>(client + 1));
      for (int call = 0; call < 20; ++call) {
        TRPC next(1, body.data(), 4, 1);
        if (proxy.SendRPC(next, kServer, 2000, 0) && next.GetReturnCode() == client + 1)
          ++ownReplies;
      }
    });
  }
  while (stallsDone.load() < kClients)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  gate.Open();
  for (std::thread &client : clients)
    client.join();
  EXPECT_EQ(timedOut.load(), kClients);
  EXPECT_EQ(ownReplies.load(), kClients * 20);
  TFramework::UnbindServer("StallServer");
  TFramework::UnbindServer(kServer);
}

TEST(TransportStress, UnbindingMidCallAnswersTheCallInHandAndFailsTheWaitingOnes) {
  Gate gate;
  TFramework::BindServer("DoomedServer", [&gate](const TRpcRequest &) { return gate.Hold(); });
  AStatisticsServer inHand("DoomedServer", "InHandClient", "DoomedTask");
  AStatisticsServer waiting("DoomedServer", "WaitingClient", "DoomedTask");
  auto first = std::async(std::launch::async, [&] {
    return inHand.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT);
  });
  gate.AwaitEntered(1);
  auto second = std::async(std::launch::async, [&] {
    return waiting.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  auto unbind = std::async(std::launch::async, [] { TFramework::UnbindServer("DoomedServer"); });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  gate.Open();
  unbind.get();
  EXPECT_EQ(first.get(), 0);
  EXPECT_EQ(second.get(), 5715);
}

} // namespace
