// The in-process transport: named servers, each serving its calls on a thread of its own.
#include <atomic>
#include <chrono>
#include <map>
#include <thread>
#include <utility>
#include <vector>

#include "framework/TTransportInternal.h"

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point Deadline(unsigned long timeoutMs) {
  return Clock::now() + std::chrono::milliseconds(timeoutMs);
}

class InProcessServer {
public:
  struct Job {
    TRpcRequest request;
    std::uint64_t sequence;
    std::weak_ptr<TThreadQueueImpl> replyQueue;
  };

  explicit InProcessServer(TRpcHandler handler)
      : handler_(std::move(handler)), worker_([this] { Serve(); }) {}

  ~InProcessServer() {
    {
      std::lock_guard<std::mutex> lock(lock_);
      stopping_ = true;
    }
    ready_.notify_all();
    // A handler may unbind its own server, so the last owner can be the worker itself; a
    // thread cannot join itself, and once the handler returns the worker only sees stopping_
    // and leaves, so it is let go instead.
    if (worker_.get_id() == std::this_thread::get_id())
      worker_.detach();
    else
      worker_.join();
  }

  // False once the server is stopping: the caller then fails the call as unbound.
  bool Enqueue(Job job) {
    std::lock_guard<std::mutex> lock(lock_);
    if (stopping_)
      return false;
    jobs_.push_back(std::move(job));
    ready_.notify_one();
    return true;
  }

private:
  void Serve() {
    for (;;) {
      Job job;
      {
        std::unique_lock<std::mutex> lock(lock_);
        ready_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (stopping_)
          break;
        job = std::move(jobs_.front());
        jobs_.pop_front();
      }
      TRpcReply reply;
      try {
        reply = handler_(job.request);
      } catch (...) {
        reply = TRpcReply{false, TFramework::kErrHandlerFailed, 0, {}};
      }
      Answer(job, std::move(reply));
    }
    // Calls still waiting find no server any more.
    std::deque<Job> left;
    {
      std::lock_guard<std::mutex> lock(lock_);
      left.swap(jobs_);
    }
    for (Job &job : left)
      Answer(job, TRpcReply{false, TFramework::kErrNoServer, 0, {}});
  }

  static void Answer(Job &job, TRpcReply reply) {
    if (auto queue = job.replyQueue.lock())
      queue->PostReply({job.sequence, std::move(reply)});
  }

  TRpcHandler handler_;
  std::mutex lock_;
  std::condition_variable ready_;
  std::deque<Job> jobs_;
  bool stopping_ = false;
  std::thread worker_;
};

class InProcessTransport : public TTransport {
public:
  bool Call(const TRpcRequest &request, const std::shared_ptr<TThreadQueueImpl> &replyQueue,
            TRpcReply &reply, unsigned long &lastError) override {
    const std::uint64_t sequence = ++sequence_;
    std::shared_ptr<InProcessServer> server = Find(request.destination);
    if (!server || !server->Enqueue({request, sequence, replyQueue})) {
      lastError = TFramework::kErrNoServer;
      return false;
    }
    // Unbinding stops the server once the last reference goes: a caller that kept one while
    // waiting would keep it serving the calls queued behind.
    server.reset();
    if (!replyQueue->TakeReply(sequence, request.timeoutMs, reply)) {
      lastError = TFramework::kErrTimeout;
      return false;
    }
    if (!reply.delivered) {
      lastError = reply.lastError;
      return false;
    }
    return true;
  }

  bool Subscribe(const std::string &server, unsigned short eventId,
                 const std::shared_ptr<TThreadQueueImpl> &eventQueue, bool subscribe,
                 unsigned long &lastError) override {
    std::lock_guard<std::mutex> lock(lock_);
    if (servers_.find(server) == servers_.end()) {
      lastError = TFramework::kErrNoServer;
      return false;
    }
    auto &queues = subscriptions_[{server, eventId}];
    for (auto it = queues.begin(); it != queues.end(); ++it) {
      if (it->lock() == eventQueue) {
        if (!subscribe)
          queues.erase(it);
        return true;
      }
    }
    if (subscribe)
      queues.push_back(eventQueue);
    return true;
  }

  void Forget(const TThreadQueueImpl *eventQueue) override {
    std::lock_guard<std::mutex> lock(lock_);
    for (auto &entry : subscriptions_) {
      auto &queues = entry.second;
      for (auto it = queues.begin(); it != queues.end();) {
        auto queue = it->lock();
        it = (!queue || queue.get() == eventQueue) ? queues.erase(it) : it + 1;
      }
    }
  }

  void Bind(const std::string &name, TRpcHandler handler) override {
    auto server = std::make_shared<InProcessServer>(std::move(handler));
    std::shared_ptr<InProcessServer> replaced;
    {
      std::lock_guard<std::mutex> lock(lock_);
      replaced = std::exchange(servers_[name], server);
    }
  }

  void Unbind(const std::string &name) override {
    std::shared_ptr<InProcessServer> removed;
    {
      std::lock_guard<std::mutex> lock(lock_);
      auto it = servers_.find(name);
      if (it == servers_.end())
        return;
      removed = std::move(it->second);
      servers_.erase(it);
    }
  }

  int Publish(const std::string &server, const TEvent &event) override {
    std::vector<std::shared_ptr<TThreadQueueImpl>> targets;
    {
      std::lock_guard<std::mutex> lock(lock_);
      auto it = subscriptions_.find({server, event.GetId()});
      if (it == subscriptions_.end())
        return 0;
      for (auto &weak : it->second)
        if (auto queue = weak.lock())
          targets.push_back(std::move(queue));
    }
    for (auto &queue : targets)
      queue->PostEvent(event);
    return static_cast<int>(targets.size());
  }

private:
  std::shared_ptr<InProcessServer> Find(const std::string &name) {
    std::lock_guard<std::mutex> lock(lock_);
    auto it = servers_.find(name);
    return it == servers_.end() ? nullptr : it->second;
  }

  std::atomic<std::uint64_t> sequence_{0};
  std::mutex lock_;
  std::map<std::string, std::shared_ptr<InProcessServer>> servers_;
  std::map<std::pair<std::string, unsigned short>, std::vector<std::weak_ptr<TThreadQueueImpl>>>
      subscriptions_;
};

} // namespace

void TThreadQueueImpl::PostReply(Reply reply) {
  {
    std::lock_guard<std::mutex> lock(lock_);
    replies_.push_back(std::move(reply));
  }
  ready_.notify_all();
}

void TThreadQueueImpl::PostEvent(const TEvent &event) {
  {
    std::lock_guard<std::mutex> lock(lock_);
    events_.push_back(event);
  }
  ready_.notify_all();
}

bool TThreadQueueImpl::TakeReply(std::uint64_t sequence, unsigned long timeoutMs,
                                 TRpcReply &reply) {
  const auto deadline = Deadline(timeoutMs);
  std::unique_lock<std::mutex> lock(lock_);
  for (;;) {
    while (!replies_.empty()) {
      Reply front = std::move(replies_.front());
      replies_.pop_front();
      if (front.sequence == sequence) {
        reply = std::move(front.reply);
        return true;
      }
    }
    if (ready_.wait_until(lock, deadline) == std::cv_status::timeout && replies_.empty())
      return false;
  }
}

bool TThreadQueueImpl::TakeEvent(unsigned long timeoutMs, TEvent &event) {
  std::unique_lock<std::mutex> lock(lock_);
  if (!ready_.wait_until(lock, Deadline(timeoutMs), [this] { return !events_.empty(); }))
    return false;
  event = std::move(events_.front());
  events_.pop_front();
  return true;
}

TTransport &LocalTransport() {
  // Never destroyed: server threads may still be answering while the process exits.
  static InProcessTransport *transport = new InProcessTransport;
  return *transport;
}
