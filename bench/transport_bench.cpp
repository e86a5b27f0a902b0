// The transport's costs: a request round trip in-process, over ipc:// and over tcp://127.0.0.1,
// and events per second delivered to 1, 4 and 16 subscribers of one publishing server. Each
// subscriber is a SUB socket on a thread of its own that checks every event's header, as a
// client process would.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>
#include <zmq.hpp>

#include "framework/TFramework.h"
#include "framework/TZmqFrameInternal.h"

namespace {

TRpcReply Echo(const TRpcRequest &request) { return TRpcReply{true, 0, 0, request.data}; }

std::string BenchDir() {
  static const std::string dir = [] {
    char pattern[] = "/tmp/statclient-bench-XXXXXX";
    return std::string(mkdtemp(pattern));
  }();
  return dir;
}

// The name to call for `kind` ("inproc", "ipc", "tcp"), set up on first use.
std::string ServerFor(const std::string &kind) {
  const std::string name = "Bench" + kind;
  static std::vector<std::string> ready;
  for (const std::string &done : ready)
    if (done == name)
      return name;
  TFramework::BindServer(name, Echo);
  if (kind != "inproc") {
    const std::string wanted =
        kind == "ipc" ? "ipc://" + BenchDir() + "/calls" : std::string("tcp://127.0.0.1:*");
    TFramework::ConnectServer(name, TFramework::ListenServer(name, wanted));
  }
  ready.push_back(name);
  return name;
}

void RoundTrip(benchmark::State &state, const std::string &kind) {
  const std::string name = ServerFor(kind);
  TFramework caller("bench", "", 0);
  unsigned char data[64] = {};
  for (auto _ : state) {
    TRPC rpc(1, data, sizeof data, 1);
    if (!caller.SendRPC(rpc, name.c_str(), caller.GetReplyQueue(), 2000, 0))
      state.SkipWithError("call failed");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(RoundTrip, inproc, std::string("inproc"))->UseRealTime();
BENCHMARK_CAPTURE(RoundTrip, ipc, std::string("ipc"))->UseRealTime();
BENCHMARK_CAPTURE(RoundTrip, tcp, std::string("tcp"))->UseRealTime();

class Subscriber {
public:
  Subscriber(zmq::context_t &context, const std::string &endpoint, const zmqframe::Bytes &topic)
      : socket_(context, zmq::socket_type::sub) {
    socket_.set(zmq::sockopt::rcvtimeo, 100);
    socket_.set(zmq::sockopt::subscribe, zmq::buffer(topic.data(), topic.size()));
    socket_.connect(endpoint);
    worker_ = std::thread([this] { Run(); });
  }
  ~Subscriber() {
    stopping_ = true;
    worker_.join();
  }
  long Received() const { return received_; }
  std::chrono::steady_clock::time_point LastArrival() const {
    return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(arrival_));
  }

private:
  void Run() {
    zmq::message_t topic, header, body;
    while (!stopping_) {
      if (!socket_.recv(topic) || !socket_.recv(header) || !socket_.recv(body))
        continue;
      const auto *bytes = header.data<unsigned char>();
      if (zmqframe::DecodeEvent(zmqframe::Bytes(bytes, bytes + header.size()))) {
        arrival_ = std::chrono::steady_clock::now().time_since_epoch().count();
        ++received_;
      }
    }
  }

  zmq::socket_t socket_;
  std::atomic<bool> stopping_{false};
  std::atomic<long> received_{0};
  std::atomic<std::chrono::steady_clock::rep> arrival_{0};
  std::thread worker_;
};

void EventsDelivered(benchmark::State &state) {
  // The benchmark runs more than once per argument; the server listens from the first run on.
  static std::map<long, std::string> endpoints;
  const std::string name = "BenchEvents" + std::to_string(state.range(0));
  std::string &endpoint = endpoints[state.range(0)];
  if (endpoint.empty())
    endpoint = TFramework::ListenServer(name, "ipc://" + BenchDir() + "/" + name);
  zmq::context_t context;
  std::vector<std::unique_ptr<Subscriber>> subscribers;
  const auto topic = zmqframe::EventTopic(1, name);
  for (int i = 0; i < state.range(0); ++i)
    subscribers.push_back(std::make_unique<Subscriber>(context, endpoint + ".events", topic));
  const TEvent event(1, std::vector<unsigned char>(120, 7));
  std::vector<long> baselines(subscribers.size(), 0);
  const auto allHave = [&](long extra) {
    for (std::size_t i = 0; i < subscribers.size(); ++i)
      if (subscribers[i]->Received() < baselines[i] + extra)
        return false;
    return true;
  };
  // Wait for every subscription to reach the publisher, then for the warm-up events to settle.
  while (!allHave(1)) {
    TFramework::PublishEvent(name, event);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  for (std::size_t i = 0; i < subscribers.size(); ++i)
    baselines[i] = subscribers[i]->Received();
  // Batches stay under the publisher's high-water mark; a subscriber that falls behind on a
  // loaded machine can still lose events at its own, so a batch is waited for at most two
  // seconds and what did not arrive is counted as lost instead of waited for forever. A batch is
  // timed from its first publish to its last delivery, so that waiting for a lost event is not
  // taken for time spent delivering.
  constexpr long kBatch = 500;
  long published = 0;
  long lost = 0;
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < kBatch; ++i)
      TFramework::PublishEvent(name, event);
    published += kBatch;
    const auto deadline = start + std::chrono::seconds(2);
    while (!allHave(published) && std::chrono::steady_clock::now() < deadline)
      std::this_thread::yield();
    auto last = start;
    for (std::size_t i = 0; i < subscribers.size(); ++i) {
      last = std::max(last, subscribers[i]->LastArrival());
      const long missing = baselines[i] + published - subscribers[i]->Received();
      if (missing > 0) {
        lost += missing;
        baselines[i] -= missing;
      }
    }
    const double batch = std::max(std::chrono::duration<double>(last - start).count(), 1e-9);
    state.SetIterationTime(batch);
    seconds += batch;
  }
  const double events = static_cast<double>(state.iterations() * kBatch);
  state.counters["lost"] = static_cast<double>(lost);
  state.counters["deliveries_per_s"] = events * static_cast<double>(state.range(0)) / seconds;
  state.counters["events_per_s"] = events / seconds;
}
BENCHMARK(EventsDelivered)->Arg(1)->Arg(4)->Arg(16)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
