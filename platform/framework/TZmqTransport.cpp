// The process's transport: in-process servers, plus names connected to other processes
// (TZmqCallerInternal.h) or served to them (TZmqListenerInternal.h) over ZeroMQ; the frames are
// described in TZmqFrameInternal.h.
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

#include "framework/TTransportInternal.h"
#include "framework/TZmqCallerInternal.h"
#include "framework/TZmqListenerInternal.h"

namespace {

using zmqtransport::Listener;
using zmqtransport::RemoteServer;

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

TTransportCounters CurrentTransportCounters() {
  return {zmqtransport::droppedEvents, zmqtransport::rejectedFrames};
}
