// The process's transport: in-process servers, plus names connected to or served at ZeroMQ
// endpoints (the frames are described in TZmqFrame.h).
//
// A connected name owns one I/O thread with a DEALER for calls and a SUB for events. Callers on
// any thread hand their frames to that thread through a locked queue and a wake-up socket, then
// wait on their own reply queue; each reply is routed back by its call sequence number. A served
// name owns one thread with a ROUTER that hands calls to the in-process server, one at a time,
// and a PUB that any publishing thread sends on under a lock.
#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <stdexcept>
#include <thread>
#include <zmq.hpp>

#include "framework/TTransportInternal.h"
#include "framework/TZmqFrame.h"

namespace {

using zmqframe::Bytes;

std::atomic<unsigned long long> droppedEvents{0};
std::atomic<unsigned long long> rejectedFrames{0};

zmq::context_t &Context() {
  // Never destroyed: I/O threads use it until the process exits.
  static auto *context = new zmq::context_t(1);
  return *context;
}

Bytes ToBytes(const zmq::message_t &message) {
  const auto *data = message.data<unsigned char>();
  return Bytes(data, data + message.size());
}

// Receives every part of the next message; false when nothing is waiting.
bool ReceiveParts(zmq::socket_t &socket, std::vector<Bytes> &parts) {
  parts.clear();
  zmq::message_t message;
  do {
    if (!socket.recv(message, zmq::recv_flags::dontwait))
      return !parts.empty();
    parts.push_back(ToBytes(message));
  } while (message.more());
  return true;
}

void SendParts(zmq::socket_t &socket, const std::vector<Bytes> &parts) {
  for (std::size_t i = 0; i < parts.size(); ++i)
    socket.send(zmq::buffer(parts[i].data(), parts[i].size()),
                i + 1 < parts.size() ? zmq::send_flags::sndmore : zmq::send_flags::none);
}

// The event endpoint that goes with a call endpoint: the next port for tcp, a sibling path for
// ipc.
std::string EventEndpoint(const std::string &callEndpoint) {
  if (callEndpoint.rfind("ipc://", 0) == 0)
    return callEndpoint + ".events";
  const auto colon = callEndpoint.rfind(':');
  if (callEndpoint.rfind("tcp://", 0) != 0 || colon == std::string::npos)
    throw std::invalid_argument("endpoint is neither tcp:// nor ipc://: " + callEndpoint);
  const int port = std::stoi(callEndpoint.substr(colon + 1));
  return callEndpoint.substr(0, colon + 1) + std::to_string(port + 1);
}

class RemoteServer {
public:
  RemoteServer(std::string name, const std::string &endpoint)
      : name_(std::move(name)), dealer_(Context(), zmq::socket_type::dealer),
        sub_(Context(), zmq::socket_type::sub), wakeSend_(Context(), zmq::socket_type::pair),
        wakeReceive_(Context(), zmq::socket_type::pair),
        disconnects_(Context(), zmq::socket_type::pair) {
    // Calls are queued here, not in ZeroMQ, until a server is connected: a call that never left
    // is then told apart from one that went unanswered.
    dealer_.set(zmq::sockopt::immediate, 1);
    dealer_.set(zmq::sockopt::linger, 0);
    sub_.set(zmq::sockopt::linger, 0);
    const std::string self = std::to_string(reinterpret_cast<std::uintptr_t>(this));
    wakeReceive_.bind("inproc://wake-" + self);
    wakeSend_.connect("inproc://wake-" + self);
    // A dropped connection is the only sign that a server died with calls outstanding.
    const std::string monitor = "inproc://disconnects-" + self;
    if (zmq_socket_monitor(dealer_.handle(), monitor.c_str(), ZMQ_EVENT_DISCONNECTED) != 0)
      throw zmq::error_t();
    disconnects_.connect(monitor);
    dealer_.connect(endpoint);
    sub_.connect(EventEndpoint(endpoint));
    worker_ = std::thread([this] { Run(); });
    worker_.detach();
  }

  bool Call(const TRpcRequest &request, const std::shared_ptr<TThreadQueueImpl> &replyQueue,
            std::uint64_t sequence, TRpcReply &reply, unsigned long &lastError) {
    zmqframe::CallHeader header{sequence,          request.type,
                                request.replyFlag, static_cast<std::uint32_t>(request.timeoutMs),
                                request.taskType,  request.destination,
                                request.source};
    {
      std::lock_guard<std::mutex> lock(lock_);
      waiting_[sequence] = replyQueue;
      outgoing_.push_back({sequence, {zmqframe::EncodeCall(header), request.data}});
      WakeLocked();
    }
    if (replyQueue->TakeReply(sequence, request.timeoutMs, reply)) {
      if (reply.delivered)
        return true;
      lastError = reply.lastError;
      return false;
    }
    std::lock_guard<std::mutex> lock(lock_);
    waiting_.erase(sequence);
    lastError = TFramework::kErrTimeout;
    for (auto it = outgoing_.begin(); it != outgoing_.end(); ++it) {
      if (it->sequence == sequence) {
        outgoing_.erase(it);
        lastError = TFramework::kErrNoServer;
        break;
      }
    }
    return false;
  }

  void Subscribe(unsigned short eventId, const std::shared_ptr<TThreadQueueImpl> &eventQueue,
                 bool subscribe) {
    std::lock_guard<std::mutex> lock(lock_);
    auto &queues = subscribers_[eventId];
    auto found = queues.end();
    for (auto it = queues.begin(); it != queues.end(); ++it)
      if (it->lock() == eventQueue)
        found = it;
    if (subscribe && found == queues.end())
      queues.push_back(eventQueue);
    else if (!subscribe && found != queues.end())
      queues.erase(found);
    else
      return;
    filterChanges_.push_back({eventId, !queues.empty()});
    WakeLocked();
  }

  void Forget(const TThreadQueueImpl *eventQueue) {
    std::lock_guard<std::mutex> lock(lock_);
    for (auto &entry : subscribers_) {
      auto &queues = entry.second;
      const auto before = queues.size();
      for (auto it = queues.begin(); it != queues.end();) {
        auto queue = it->lock();
        it = (!queue || queue.get() == eventQueue) ? queues.erase(it) : it + 1;
      }
      if (before != queues.size() && queues.empty())
        filterChanges_.push_back({entry.first, false});
    }
    WakeLocked();
  }

private:
  struct Outgoing {
    std::uint64_t sequence;
    std::vector<Bytes> parts;
  };
  struct FilterChange {
    unsigned short eventId;
    bool wanted;
  };
  struct TopicState {
    std::uint64_t incarnation = 0;
    std::uint64_t sequence = 0;
  };

  void WakeLocked() { wakeSend_.send(zmq::message_t(), zmq::send_flags::dontwait); }

  void Run() {
    std::vector<Bytes> parts;
    for (;;) {
      bool haveOutgoing = false;
      {
        std::lock_guard<std::mutex> lock(lock_);
        haveOutgoing = !outgoing_.empty();
      }
      zmq::pollitem_t items[] = {{wakeReceive_.handle(), 0, ZMQ_POLLIN, 0},
                                 {dealer_.handle(), 0,
                                  static_cast<short>(ZMQ_POLLIN | (haveOutgoing ? ZMQ_POLLOUT : 0)),
                                  0},
                                 {sub_.handle(), 0, ZMQ_POLLIN, 0},
                                 {disconnects_.handle(), 0, ZMQ_POLLIN, 0}};
      zmq::poll(items, 4, std::chrono::milliseconds(-1));
      while (ReceiveParts(wakeReceive_, parts)) {
      }
      bool disconnected = false;
      while (ReceiveParts(disconnects_, parts))
        disconnected = true;
      if (disconnected)
        FailSentCalls();
      ApplyFilterChanges();
      SendOutgoing();
      while (ReceiveParts(dealer_, parts))
        TakeReply(parts);
      while (ReceiveParts(sub_, parts))
        TakeEvent(parts);
    }
  }

  void ApplyFilterChanges() {
    std::vector<FilterChange> changes;
    {
      std::lock_guard<std::mutex> lock(lock_);
      changes.swap(filterChanges_);
    }
    for (const FilterChange &change : changes) {
      // The SUB counts subscriptions, so each id is subscribed once however many queues want it.
      const bool active = filtered_[change.eventId];
      if (change.wanted == active)
        continue;
      const Bytes topic = zmqframe::EventTopic(change.eventId, name_);
      if (change.wanted)
        sub_.set(zmq::sockopt::subscribe, zmq::buffer(topic.data(), topic.size()));
      else
        sub_.set(zmq::sockopt::unsubscribe, zmq::buffer(topic.data(), topic.size()));
      filtered_[change.eventId] = change.wanted;
    }
  }

  void SendOutgoing() {
    std::lock_guard<std::mutex> lock(lock_);
    while (!outgoing_.empty() && (dealer_.get(zmq::sockopt::events) & ZMQ_POLLOUT)) {
      SendParts(dealer_, outgoing_.front().parts);
      outgoing_.pop_front();
    }
  }

  // The connection that carried them is gone, so the calls already sent will never be answered:
  // they fail now as timed out (the server may or may not have served them). Calls not yet sent
  // stay queued for the next connection.
  void FailSentCalls() {
    std::vector<std::pair<std::uint64_t, std::shared_ptr<TThreadQueueImpl>>> failed;
    {
      std::lock_guard<std::mutex> lock(lock_);
      std::set<std::uint64_t> queued;
      for (const Outgoing &call : outgoing_)
        queued.insert(call.sequence);
      for (auto it = waiting_.begin(); it != waiting_.end();) {
        if (queued.count(it->first)) {
          ++it;
          continue;
        }
        if (auto queue = it->second.lock())
          failed.emplace_back(it->first, std::move(queue));
        it = waiting_.erase(it);
      }
    }
    for (auto &[sequence, queue] : failed)
      queue->PostReply({sequence, TRpcReply{false, TFramework::kErrTimeout, 0, {}}});
  }

  void TakeReply(const std::vector<Bytes> &parts) {
    const auto header = parts.size() == 2 ? zmqframe::DecodeReply(parts[0]) : std::nullopt;
    if (!header) {
      ++rejectedFrames;
      return;
    }
    std::shared_ptr<TThreadQueueImpl> queue;
    {
      std::lock_guard<std::mutex> lock(lock_);
      auto it = waiting_.find(header->sequence);
      if (it == waiting_.end())
        return; // the caller gave up waiting
      queue = it->second.lock();
      waiting_.erase(it);
    }
    if (queue)
      queue->PostReply(
          {header->sequence, TRpcReply{header->delivered, header->lastError,
                                       static_cast<long>(header->returnCode), parts[1]}});
  }

  void TakeEvent(const std::vector<Bytes> &parts) {
    const auto eventId = parts.size() == 3 ? zmqframe::DecodeTopic(parts[0], name_) : std::nullopt;
    const auto header = eventId ? zmqframe::DecodeEvent(parts[1]) : std::nullopt;
    if (!header) {
      ++rejectedFrames;
      return;
    }
    // A new incarnation is a restarted publisher: its numbering starts again. Within one, a
    // number already seen is a duplicate and a gap is events the publisher dropped for us.
    TopicState &state = topics_[*eventId];
    if (state.incarnation == header->incarnation) {
      if (header->sequence <= state.sequence)
        return;
      droppedEvents += header->sequence - state.sequence - 1;
    }
    state = {header->incarnation, header->sequence};

    std::vector<std::shared_ptr<TThreadQueueImpl>> targets;
    {
      std::lock_guard<std::mutex> lock(lock_);
      for (auto &weak : subscribers_[*eventId])
        if (auto queue = weak.lock())
          targets.push_back(std::move(queue));
    }
    const TEvent event(*eventId, parts[2]);
    for (auto &queue : targets)
      queue->PostEvent(event);
  }

  const std::string name_;
  zmq::socket_t dealer_, sub_, wakeSend_, wakeReceive_, disconnects_;
  std::thread worker_;

  std::mutex lock_; // guards the members below and wakeSend_
  std::deque<Outgoing> outgoing_;
  std::map<std::uint64_t, std::weak_ptr<TThreadQueueImpl>> waiting_;
  std::map<unsigned short, std::vector<std::weak_ptr<TThreadQueueImpl>>> subscribers_;
  std::vector<FilterChange> filterChanges_;

  // Used by the I/O thread only.
  std::map<unsigned short, bool> filtered_;
  std::map<unsigned short, TopicState> topics_;
};

class Listener {
public:
  Listener(std::string name, const std::string &endpoint)
      : name_(std::move(name)), router_(Context(), zmq::socket_type::router),
        pub_(Context(), zmq::socket_type::pub), replies_(std::make_shared<TThreadQueueImpl>()),
        incarnation_(std::random_device()() | (std::uint64_t{std::random_device()()} << 32)) {
    router_.set(zmq::sockopt::linger, 0);
    pub_.set(zmq::sockopt::linger, 0);
    router_.bind(endpoint);
    endpoint_ = router_.get(zmq::sockopt::last_endpoint);
    pub_.bind(EventEndpoint(endpoint_));
    worker_ = std::thread([this] { Run(); });
    worker_.detach();
  }

  const std::string &Endpoint() const { return endpoint_; }

  void Publish(const TEvent &event) {
    std::lock_guard<std::mutex> lock(pubLock_);
    const zmqframe::EventHeader header{incarnation_, ++topicSequences_[event.GetId()]};
    SendParts(pub_, {zmqframe::EventTopic(event.GetId(), name_), zmqframe::EncodeEvent(header),
                     event.Bytes()});
  }

private:
  void Run() {
    std::vector<Bytes> parts;
    for (;;) {
      zmq::pollitem_t item{router_.handle(), 0, ZMQ_POLLIN, 0};
      zmq::poll(&item, 1, std::chrono::milliseconds(-1));
      while (ReceiveParts(router_, parts))
        Serve(parts);
    }
  }

  void Serve(const std::vector<Bytes> &parts) {
    const auto header = parts.size() == 3 ? zmqframe::DecodeCall(parts[1]) : std::nullopt;
    if (!header) {
      ++rejectedFrames;
      return;
    }
    TRpcRequest request{header->destination, header->source,    header->type,    parts[2],
                        header->replyFlag,   header->timeoutMs, header->taskType};
    TRpcReply reply;
    unsigned long lastError = TFramework::kErrNoServer;
    if (request.destination != name_ || !LocalTransport().Call(request, replies_, reply, lastError))
      reply = TRpcReply{false, lastError, 0, {}};
    if (!request.replyFlag)
      reply.data.clear();
    const zmqframe::ReplyHeader replyHeader{header->sequence, reply.delivered,
                                            static_cast<std::uint32_t>(reply.lastError),
                                            reply.returnCode};
    SendParts(router_, {parts[0], zmqframe::EncodeReply(replyHeader), reply.data});
  }

  const std::string name_;
  zmq::socket_t router_, pub_;
  std::string endpoint_;
  std::shared_ptr<TThreadQueueImpl> replies_;
  const std::uint64_t incarnation_;
  std::thread worker_;
  std::mutex pubLock_; // guards pub_ and topicSequences_
  std::map<unsigned short, std::uint64_t> topicSequences_;
};

class RoutingTransport : public TTransport {
public:
  bool Call(const TRpcRequest &request, const std::shared_ptr<TThreadQueueImpl> &replyQueue,
            TRpcReply &reply, unsigned long &lastError) override {
    if (RemoteServer *remote = Remote(request.destination))
      return remote->Call(request, replyQueue, ++sequence_, reply, lastError);
    return LocalTransport().Call(request, replyQueue, reply, lastError);
  }

  bool Subscribe(const std::string &server, unsigned short eventId,
                 const std::shared_ptr<TThreadQueueImpl> &eventQueue, bool subscribe,
                 unsigned long &lastError) override {
    if (RemoteServer *remote = Remote(server)) {
      remote->Subscribe(eventId, eventQueue, subscribe);
      return true;
    }
    return LocalTransport().Subscribe(server, eventId, eventQueue, subscribe, lastError);
  }

  void Forget(const TThreadQueueImpl *eventQueue) override {
    std::vector<RemoteServer *> remotes;
    {
      std::lock_guard<std::mutex> lock(lock_);
      for (auto &entry : remotes_)
        remotes.push_back(entry.second.get());
    }
    for (RemoteServer *remote : remotes)
      remote->Forget(eventQueue);
    LocalTransport().Forget(eventQueue);
  }

  void Bind(const std::string &name, TRpcHandler handler) override {
    LocalTransport().Bind(name, std::move(handler));
  }
  void Unbind(const std::string &name) override { LocalTransport().Unbind(name); }

  int Publish(const std::string &server, const TEvent &event) override {
    Listener *listener = nullptr;
    {
      std::lock_guard<std::mutex> lock(lock_);
      auto it = listeners_.find(server);
      if (it != listeners_.end())
        listener = it->second.get();
    }
    if (listener)
      listener->Publish(event);
    return LocalTransport().Publish(server, event);
  }

  bool Connect(const std::string &name, const std::string &endpoint) {
    std::lock_guard<std::mutex> lock(lock_);
    if (remotes_.count(name))
      return false;
    remotes_[name] = std::make_unique<RemoteServer>(name, endpoint);
    return true;
  }

  std::string Listen(const std::string &name, const std::string &endpoint) {
    std::lock_guard<std::mutex> lock(lock_);
    auto &listener = listeners_[name];
    if (listener)
      throw std::logic_error("already listening for " + name);
    try {
      listener = std::make_unique<Listener>(name, endpoint);
    } catch (...) {
      listeners_.erase(name);
      throw;
    }
    return listener->Endpoint();
  }

private:
  RemoteServer *Remote(const std::string &name) {
    std::lock_guard<std::mutex> lock(lock_);
    auto it = remotes_.find(name);
    return it == remotes_.end() ? nullptr : it->second.get();
  }

  std::atomic<std::uint64_t> sequence_{0};
  std::mutex lock_;
  // Entries are never removed: their I/O threads run until the process exits.
  std::map<std::string, std::unique_ptr<RemoteServer>> remotes_;
  std::map<std::string, std::unique_ptr<Listener>> listeners_;
};

RoutingTransport &Routing() {
  // Never destroyed, like the in-process transport it routes to.
  static auto *transport = new RoutingTransport;
  return *transport;
}

} // namespace

TTransport &CurrentTransport() { return Routing(); }

bool ConnectTransport(const std::string &name, const std::string &endpoint) {
  return Routing().Connect(name, endpoint);
}

std::string ListenTransport(const std::string &name, const std::string &endpoint) {
  return Routing().Listen(name, endpoint);
}

TTransportCounters CurrentTransportCounters() { return {droppedEvents, rejectedFrames}; }
