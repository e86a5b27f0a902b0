// The request round trip and the event path, beside a bare condition-variable ping-pong.
//
//   request/RequestEvent/1       AStatisticsServer::RequestEvent against an in-process server
//                                that answers at once (delivered, return code 0)
//   pingpong/CondVar/1           one round trip between two threads through a mutex and two
//                                condition variables: what any in-process call costs at least
//   event_path/GroupRealTime/N   publishing a group event of N rows, WaitForEvent on the
//                                subscribed queue, and unpacking it into a reused event
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

#include <statclient/statclient.h>

#include "support/Families.h"
#include "support/Measure.h"

namespace {

constexpr const char *kServerName = "bench-statistics-server";
constexpr unsigned long kWaitMs = 10'000;

// A server bound under kServerName for the life of the object that answers every call at once.
class InstantServer {
public:
  InstantServer() {
    TFramework::BindServer(kServerName, [](const TRpcRequest &) { return TRpcReply{}; });
  }
  ~InstantServer() { TFramework::UnbindServer(kServerName); }
  InstantServer(const InstantServer &) = delete;
  InstantServer &operator=(const InstantServer &) = delete;
};

void RequestRoundTrip(benchmark::State &state) {
  InstantServer server;
  AStatisticsServer proxy(kServerName, "bench-client", "bench");
  bench::Measure(state, 1, 0, [&] {
    if (proxy.RequestEvent(TStatisticsServer::GROUPREALTIMEEVENT) != 0)
      state.SkipWithError("the request failed");
  });
}

// The partner thread answers each ping with a pong until told to stop.
void PingPong(benchmark::State &state) {
  std::mutex lock;
  std::condition_variable pinged, ponged;
  long pings = 0, pongs = 0;
  bool stop = false;
  std::thread partner([&] {
    std::unique_lock<std::mutex> held(lock);
    for (;;) {
      pinged.wait(held, [&] { return stop || pings > pongs; });
      if (stop)
        return;
      ++pongs;
      ponged.notify_one();
    }
  });
  bench::Measure(state, 1, 0, [&] {
    std::unique_lock<std::mutex> held(lock);
    ++pings;
    pinged.notify_one();
    ponged.wait(held, [&] { return pongs == pings; });
  });
  {
    std::lock_guard<std::mutex> held(lock);
    stop = true;
  }
  pinged.notify_one();
  partner.join();
}

void EventPath(benchmark::State &state, long rows) {
  InstantServer server;
  const std::vector<unsigned char> payload =
      bench::PayloadOf(bench::MakeEvent<TGroupRealTimeEvent>(rows));
  const TEvent published(TStatisticsServer::GROUPREALTIMEEVENT, payload);
  TFramework client("bench-client", "bench", 0);
  TEvent subscription(TStatisticsServer::GROUPREALTIMEEVENT);
  if (!client.RegisterForEvent(subscription, kServerName, kWaitMs, 0)) {
    state.SkipWithError("the subscription failed");
    return;
  }
  TEvent received;
  TGroupRealTimeEvent event;
  bench::Measure(state, rows, payload.size(), [&] {
    TFramework::PublishEvent(kServerName, published);
    if (!client.WaitForEvent(received, kWaitMs)) {
      state.SkipWithError("no event came");
      return;
    }
    TPack pack(received.GetData(), received.GetDataSize());
    pack >> event;
    benchmark::DoNotOptimize(event.EventDataList.data());
  });
  client.DeregisterForEvent(subscription, kServerName, kWaitMs, 0);
}

const bool registered = [] {
  benchmark::RegisterBenchmark(bench::BenchName("request", "RequestEvent", 1).c_str(),
                               RequestRoundTrip);
  benchmark::RegisterBenchmark(bench::BenchName("pingpong", "CondVar", 1).c_str(), PingPong);
  bench::RegisterForEachRowCount("event_path", "GroupRealTime", EventPath);
  return true;
}();

} // namespace
