// The transport's contract over each of its carriers: in-process, and ZeroMQ inside one process
// (a server listening on ipc:// or tcp://127.0.0.1 and a caller connected to it by name); then
// the failures only a network has, with sockets of the test's own on the other side.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <zmq.hpp>

#include "framework/TFramework.h"
#include "framework/TZmqFrameInternal.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Names are never unconnected in a process, so every test serves a name of its own.
std::string FreshName() {
  static int next = 0;
  return "ZmqServer" + std::to_string(++next);
}

std::string TempIpcEndpoint(const std::string &leaf) {
  static const std::string dir = [] {
    char pattern[] = "/tmp/statclient-zmq-XXXXXX";
    return std::string(mkdtemp(pattern));
  }();
  return "ipc://" + dir + "/" + leaf;
}

Bytes ReplyBytes(TRPC &rpc) {
  const auto *start = static_cast<unsigned char *>(rpc.GetReplyPointer());
  return Bytes(start, start + rpc.GetReplySize());
}

// Tries `attempt` until it holds, for up to two seconds of 10 ms waits.
template <class Attempt> bool Eventually(Attempt attempt) {
  for (int i = 0; i < 200; ++i) {
    if (attempt())
      return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TRpcReply Echo(const TRpcRequest &request) {
  if (request.type == 13)
    throw std::runtime_error("refused");
  if (request.type == 14)
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  return TRpcReply{true, 0, request.type + 1000L, request.data};
}

// "inproc", "ipc" or "tcp": the carrier between callers and the server bound under name_.
// unbound_ is reached the same way, with no server bound under it. Over tcp the port after each
// call port is taken first: the call port is all a server needs.
class Transport : public ::testing::TestWithParam<std::string> {
protected:
  void SetUp() override {
    TFramework::BindServer(name_, Echo);
    Reach(name_);
    Reach(unbound_);
  }
  void TearDown() override { TFramework::UnbindServer(name_); }

  void Reach(const std::string &name) {
    if (Local())
      return;
    ASSERT_TRUE(TFramework::ConnectServer(name, Listen(name)));
  }
  std::string Listen(const std::string &name) {
    for (int attempt = 1; GetParam() == "tcp"; ++attempt) {
      taken_.bind("tcp://127.0.0.1:*");
      const std::string taken = taken_.get(zmq::sockopt::last_endpoint);
      const int port = std::stoi(taken.substr(taken.rfind(':') + 1)) - 1;
      try {
        return TFramework::ListenServer(name, "tcp://127.0.0.1:" + std::to_string(port));
      } catch (const zmq::error_t &) { // someone else's port (a busy machine's connections
                                       // take them by the thousand); try another
        if (attempt == 50)
          throw;
      }
    }
    return TFramework::ListenServer(name, TempIpcEndpoint(name));
  }
  bool Local() const { return GetParam() == "inproc"; }

  const std::string name_ = FreshName(), unbound_ = FreshName();
  TFramework caller_{"caller", "", 0};
  zmq::context_t context_;
  zmq::socket_t taken_{context_, zmq::socket_type::pull};
};

// Eight callers at once each get their own reply; a reply flag of 0 drops the body only.
TEST_P(Transport, CallsCarryDataReturnCodeAndErrors) {
  std::vector<std::thread> threads;
  std::atomic<int> right{0};
  for (unsigned char id = 0; id < 8; ++id) {
    threads.emplace_back([&, id] {
      TFramework caller("caller", "", 0);
      for (int round = 0; round < 20; ++round) {
        unsigned char data[] = {id, 2};
        TRPC rpc(id, data, sizeof data, 1);
        right += caller.SendRPC(rpc, name_.c_str(), 2000, 0) && rpc.GetReturnCode() == 1000 + id &&
                 ReplyBytes(rpc) == Bytes{id, 2};
      }
    });
  }
  for (auto &thread : threads)
    thread.join();
  EXPECT_EQ(right, 8 * 20);
  unsigned char data[] = {1, 2, 3};
  TRPC unwanted(7, data, sizeof data, 0);
  ASSERT_TRUE(caller_.SendRPC(unwanted, name_.c_str(), 2000, 0));
  EXPECT_EQ(unwanted.GetReturnCode(), 1007);
  EXPECT_EQ(unwanted.GetReplySize(), 0u);
  EXPECT_EQ(unwanted.GetReplyPointer(), nullptr);

  TRPC throwing(13, nullptr, 0, 1);
  EXPECT_FALSE(caller_.SendRPC(throwing, name_.c_str(), 2000, 0));
  EXPECT_EQ(TBase::fwBaseGetLastError(), TFramework::kErrHandlerFailed);
  EXPECT_FALSE(caller_.SendRPC(throwing, unbound_.c_str(), 2000, 0));
  EXPECT_EQ(TBase::fwBaseGetLastError(), TFramework::kErrNoServer);

  // The server goes on after a handler threw; the late reply to a call that timed out is not
  // taken for the next one's.
  TRPC slow(14, nullptr, 0, 1);
  EXPECT_FALSE(caller_.SendRPC(slow, name_.c_str(), 50, 0));
  EXPECT_EQ(TBase::fwBaseGetLastError(), TFramework::kErrTimeout);
  TRPC next(8, data, 1, 1);
  ASSERT_TRUE(caller_.SendRPC(next, name_.c_str(), 2000, 0));
  EXPECT_EQ(next.GetReturnCode(), 1008);
}

// PublishEvent counts the queues of this process it delivered to; subscribers over the network
// are not counted.
TEST_P(Transport, EventsReachTheQueuesRegisteredForTheirIdAndServerOnly) {
  const int local = Local() ? 1 : 0;
  TFramework watcher("watcher", "", 0);
  TEvent wanted(4001, {7});
  ASSERT_TRUE(watcher.RegisterForEvent(wanted, name_.c_str(), 1000, 0));
  EXPECT_FALSE(watcher.RegisterForEvent(wanted, "Elsewhere", 1000, 0));
  EXPECT_EQ(TBase::fwBaseGetLastError(), TFramework::kErrNoServer);
  TEvent seen;
  // A subscription over the network takes a moment to reach the publisher.
  ASSERT_TRUE(Eventually([&] {
    TFramework::PublishEvent(name_, wanted);
    return watcher.WaitForEvent(seen, 0);
  }));
  EXPECT_EQ(seen.GetId(), 4001);
  EXPECT_EQ(seen.Bytes(), Bytes{7});
  while (watcher.WaitForEvent(seen, 100)) {
  }

  EXPECT_EQ(TFramework::PublishEvent(name_, TEvent(4002, {1})), 0);
  EXPECT_EQ(TFramework::PublishEvent(unbound_, TEvent(4001, {1})), 0);
  EXPECT_EQ(TFramework::PublishEvent(name_, TEvent(4001, {2})), local);
  {
    // A framework object's registrations go with it.
    TFramework shortLived("shortLived", "", 0);
    ASSERT_TRUE(shortLived.RegisterForEvent(wanted, name_.c_str(), 1000, 0));
    EXPECT_EQ(TFramework::PublishEvent(name_, TEvent(4001, {3})), 2 * local);
  }
  EXPECT_EQ(TFramework::PublishEvent(name_, TEvent(4001, {4})), local);
  for (unsigned char value : {2, 3, 4}) {
    ASSERT_TRUE(watcher.WaitForEvent(seen, 2000));
    EXPECT_EQ(seen.Bytes(), Bytes{value});
  }

  ASSERT_TRUE(watcher.DeregisterForEvent(wanted, name_.c_str(), 1000, 0));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_EQ(TFramework::PublishEvent(name_, TEvent(4001, {5})), 0);
  EXPECT_FALSE(watcher.WaitForEvent(seen, 200));
}

INSTANTIATE_TEST_SUITE_P(Carriers, Transport, ::testing::Values("inproc", "ipc", "tcp"));

TEST(ZmqTransportFailures, NoServerAtTheEndpointFailsAfterTheTimeOut) {
  const std::string name = FreshName();
  ASSERT_TRUE(TFramework::ConnectServer(name, TempIpcEndpoint(name)));
  EXPECT_FALSE(TFramework::ConnectServer(name, TempIpcEndpoint("other")));
  TFramework caller("caller", "", 0);
  TRPC rpc(1, nullptr, 0, 1);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(caller.SendRPC(rpc, name.c_str(), 100, 0));
  EXPECT_EQ(TBase::fwBaseGetLastError(), TFramework::kErrNoServer);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
}

// An endpoint that cannot be bound, for calls or for the events beside them, is an error that
// names it, and leaves the name free to listen elsewhere.
TEST(ZmqTransportFailures, ListeningWhereNothingCanBindFailsNamingTheEndpoint) {
  zmq::context_t context;
  zmq::socket_t taken(context, zmq::socket_type::pull);
  taken.bind("tcp://127.0.0.1:*");
  const std::string port = taken.get(zmq::sockopt::last_endpoint);
  const std::string ipc = TempIpcEndpoint(std::string(77, 'x')); // 104 bytes, .events too long
  const std::string name = FreshName();
  const auto failure = [&](const std::string &endpoint) {
    try {
      return "listened at " + TFramework::ListenServer(name, endpoint);
    } catch (const zmq::error_t &error) {
      return std::string(error.what());
    }
  };
  EXPECT_EQ(failure(port), "cannot bind " + port + " for calls: Address already in use");
  EXPECT_EQ(failure(ipc), "cannot bind " + ipc + ".events for events: File name too long");
  EXPECT_THROW(TFramework::ListenServer(name, "inproc://nowhere"), std::invalid_argument);
  EXPECT_NO_THROW(TFramework::ListenServer(name, "tcp://127.0.0.1:*"));
}

TEST(ZmqTransportFailures, MalformedCallsAreCountedAndTheServerGoesOn) {
  const std::string name = FreshName();
  TFramework::BindServer(name, Echo);
  const std::string endpoint = TFramework::ListenServer(name, TempIpcEndpoint(name));
  ASSERT_TRUE(TFramework::ConnectServer(name, endpoint));

  zmq::context_t context;
  zmq::socket_t raw(context, zmq::socket_type::dealer);
  raw.set(zmq::sockopt::linger, 0); // what is left unsent goes with the socket
  raw.connect(endpoint);
  const auto before = TFramework::TransportCounters().rejectedFrames;
  const std::vector<Bytes> garbage = {
      {'C', 1, 2},                                           // header cut short
      {'X', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, // unknown kind
      {},
      zmqframe::EncodeCall({1, 7, 1, 1000, 0, name, "raw"})}; // a good header without its body
  for (const Bytes &frame : garbage)
    raw.send(zmq::buffer(frame.data(), frame.size()));

  const auto rejected = [&] { return TFramework::TransportCounters().rejectedFrames - before; };
  Eventually([&] { return rejected() >= garbage.size(); });
  EXPECT_EQ(rejected(), garbage.size());
  TFramework caller("caller", "", 0);
  TRPC rpc(7, nullptr, 0, 1);
  EXPECT_TRUE(caller.SendRPC(rpc, name.c_str(), 2000, 0));
  TFramework::UnbindServer(name);
}

// A server written by hand sends what a real one should not, from where it says it publishes.
TEST(ZmqTransportFailures, SubscribersRejectBadEventsCountGapsAndNeverTakeOneTwice) {
  const std::string name = FreshName();
  zmq::context_t context;
  zmq::socket_t router(context, zmq::socket_type::router), pub(context, zmq::socket_type::pub);
  pub.set(zmq::sockopt::linger, 0);
  router.set(zmq::sockopt::linger, 0);
  router.set(zmq::sockopt::rcvtimeo, 2000);
  router.bind(TempIpcEndpoint(name));
  pub.bind(TempIpcEndpoint(name + "-published"));
  ASSERT_TRUE(TFramework::ConnectServer(name, TempIpcEndpoint(name)));
  zmq::message_t caller, where;
  ASSERT_TRUE(router.recv(caller) && router.recv(where) && where.to_string() == "W");
  const Bytes address = zmqframe::EncodeAddress({TempIpcEndpoint(name + "-published")});
  router.send(caller, zmq::send_flags::sndmore);
  router.send(zmq::buffer(address.data(), address.size()));
  TFramework watcher("watcher", "", 0);
  TEvent wanted(9);
  ASSERT_TRUE(watcher.RegisterForEvent(wanted, name.c_str(), 1000, 0));
  const Bytes topic = zmqframe::EventTopic(9, name);
  const auto send = [&](std::vector<Bytes> parts) {
    for (std::size_t i = 0; i < parts.size(); ++i)
      pub.send(zmq::buffer(parts[i].data(), parts[i].size()),
               i + 1 < parts.size() ? zmq::send_flags::sndmore : zmq::send_flags::none);
  };
  const auto event = [&](std::uint64_t incarnation, std::uint64_t sequence, unsigned char value) {
    send({topic, zmqframe::EncodeEvent({incarnation, sequence}), {value}});
  };
  TEvent seen;
  ASSERT_TRUE(Eventually([&] {
    event(1, 1, 1);
    return watcher.WaitForEvent(seen, 0);
  }));
  const TTransportCounters before = TFramework::TransportCounters();

  event(1, 1, 1);                               // a duplicate
  send({topic, {'E', 1, 2}, {0}});              // header cut short
  send({topic, zmqframe::EncodeEvent({1, 2})}); // no body
  event(1, 5, 5);                               // 2..4 never came
  event(2, 1, 6);                               // a restarted publisher numbers from 1 again
  std::vector<unsigned char> values;
  while (watcher.WaitForEvent(seen, 300))
    values.push_back(seen.Bytes().at(0));
  EXPECT_EQ(values, (Bytes{5, 6}));
  const TTransportCounters after = TFramework::TransportCounters();
  EXPECT_EQ(after.rejectedFrames - before.rejectedFrames, 2u);
  EXPECT_EQ(after.droppedEvents - before.droppedEvents, 3u);
}

} // namespace
