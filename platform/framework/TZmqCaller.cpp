#include "framework/TZmqCallerInternal.h"

#include <chrono>
#include <cstring>
#include <set>

#include "framework/TZmqFrameInternal.h"

namespace zmqtransport {

RemoteServer::RemoteServer(std::string name, const std::string &endpoint)
    : name_(std::move(name)), callEndpoint_(endpoint), dealer_(Context(), zmq::socket_type::dealer),
      sub_(Context(), zmq::socket_type::sub), wakeSend_(Context(), zmq::socket_type::pair),
      wakeReceive_(Context(), zmq::socket_type::pair),
      connection_(Context(), zmq::socket_type::pair) {
  // Calls are queued here, not in ZeroMQ, until a server is connected: a call that never left
  // is then told apart from one that went unanswered.
  dealer_.set(zmq::sockopt::immediate, 1);
  dealer_.set(zmq::sockopt::linger, 0);
  sub_.set(zmq::sockopt::linger, 0);
  const std::string self = std::to_string(reinterpret_cast<std::uintptr_t>(this));
  wakeReceive_.bind("inproc://wake-" + self);
  wakeSend_.connect("inproc://wake-" + self);
  // A dropped connection is the only sign that a server died with calls outstanding. Calls are
  // sent only between a completed handshake and the next drop: ZeroMQ reports the drop before
  // the dealer stops taking messages for the dead connection, and a call written in between
  // would be lost without a word.
  const std::string monitor = "inproc://connection-" + self;
  if (zmq_socket_monitor(dealer_.handle(), monitor.c_str(),
                         ZMQ_EVENT_HANDSHAKE_SUCCEEDED | ZMQ_EVENT_DISCONNECTED) != 0)
    throw zmq::error_t();
  connection_.connect(monitor);
  dealer_.connect(endpoint);
  worker_ = std::thread([this] { Run(); });
  worker_.detach();
}

bool RemoteServer::Call(const TRpcRequest &request,
                        const std::shared_ptr<TThreadQueueImpl> &replyQueue, std::uint64_t sequence,
                        TRpcReply &reply, unsigned long &lastError) {
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

void RemoteServer::Subscribe(unsigned short eventId,
                             const std::shared_ptr<TThreadQueueImpl> &eventQueue, bool subscribe) {
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

void RemoteServer::Forget(const TThreadQueueImpl *eventQueue) {
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

void RemoteServer::Run() {
  std::vector<Bytes> parts;
  for (;;) {
    bool haveOutgoing = false;
    {
      std::lock_guard<std::mutex> lock(lock_);
      haveOutgoing = connected_ && (askWhere_ || !outgoing_.empty());
    }
    zmq::pollitem_t items[] = {
        {wakeReceive_.handle(), 0, ZMQ_POLLIN, 0},
        {dealer_.handle(), 0, static_cast<short>(ZMQ_POLLIN | (haveOutgoing ? ZMQ_POLLOUT : 0)), 0},
        {sub_.handle(), 0, ZMQ_POLLIN, 0},
        {connection_.handle(), 0, ZMQ_POLLIN, 0}};
    zmq::poll(items, 4, std::chrono::milliseconds(-1));
    while (ReceiveParts(wakeReceive_, parts)) {
    }
    while (ReceiveParts(connection_, parts))
      TakeConnectionEvent(parts);
    ApplyFilterChanges();
    SendOutgoing();
    while (ReceiveParts(dealer_, parts))
      TakeReply(parts);
    while (ReceiveParts(sub_, parts))
      TakeEvent(parts);
  }
}

void RemoteServer::ApplyFilterChanges() {
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

// A monitor message: the event number (16 bits, host order) and a value, then the address.
void RemoteServer::TakeConnectionEvent(const std::vector<Bytes> &parts) {
  std::uint16_t event = 0;
  if (parts.empty() || parts[0].size() < sizeof event)
    return;
  std::memcpy(&event, parts[0].data(), sizeof event);
  if (event == ZMQ_EVENT_HANDSHAKE_SUCCEEDED) {
    connected_ = askWhere_ = true;
  } else if (event == ZMQ_EVENT_DISCONNECTED) {
    connected_ = false;
    FailSentCalls();
  }
}

void RemoteServer::SendOutgoing() {
  const auto writable = [this] {
    return connected_ && (dealer_.get(zmq::sockopt::events) & ZMQ_POLLOUT);
  };
  if (askWhere_ && writable()) {
    SendParts(dealer_, {zmqframe::EncodeWhere()});
    askWhere_ = false;
  }
  std::lock_guard<std::mutex> lock(lock_);
  while (!outgoing_.empty() && writable()) {
    SendParts(dealer_, outgoing_.front().parts);
    outgoing_.pop_front();
  }
}

void RemoteServer::FailSentCalls() {
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

void RemoteServer::TakeAddress(const Bytes &frame) {
  const auto header = zmqframe::DecodeAddress(frame);
  const auto endpoint =
      header ? SubscribeEndpoint(callEndpoint_, header->eventEndpoint) : std::nullopt;
  if (!endpoint) {
    ++rejectedFrames;
    return;
  }
  if (*endpoint == eventEndpoint_)
    return;
  try {
    sub_.connect(*endpoint);
  } catch (const zmq::error_t &) {
    ++rejectedFrames;
    return;
  }
  if (!eventEndpoint_.empty())
    sub_.disconnect(eventEndpoint_);
  eventEndpoint_ = *endpoint;
}

void RemoteServer::TakeReply(const std::vector<Bytes> &parts) {
  if (parts.size() == 1) {
    TakeAddress(parts[0]);
    return;
  }
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

void RemoteServer::TakeEvent(const std::vector<Bytes> &parts) {
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

} // namespace zmqtransport
