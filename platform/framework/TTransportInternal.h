// The transport behind TFramework: how calls reach a server, how events reach subscribers.
//
// TFramework speaks only to this interface. The in-process transport (named servers on threads
// of their own) serves every name; the ZeroMQ one (TZmqTransport.cpp) routes the names connected
// to or served for other processes and hands the rest to it.
#ifndef STATCLIENT_PLATFORM_FRAMEWORK_TTRANSPORTINTERNAL_H_
#define STATCLIENT_PLATFORM_FRAMEWORK_TTRANSPORTINTERNAL_H_

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

#include "framework/TFramework.h"

// What a framework object's queue holds: replies to its calls and events for it.
class TThreadQueueImpl {
public:
  struct Reply {
    std::uint64_t sequence;
    TRpcReply reply;
  };

  void PostReply(Reply reply);
  void PostEvent(const TEvent &event);
  // The reply to call `sequence`, dropping replies to earlier calls that timed out; false when
  // `timeoutMs` passes first.
  bool TakeReply(std::uint64_t sequence, unsigned long timeoutMs, TRpcReply &reply);
  bool TakeEvent(unsigned long timeoutMs, TEvent &event);

private:
  std::mutex lock_;
  std::condition_variable ready_;
  std::deque<Reply> replies_;
  std::deque<TEvent> events_;
};

class TTransport {
public:
  virtual ~TTransport() = default;

  // Sends `request` and waits for its reply on `replyQueue`. False with `lastError` set when the
  // call was not answered.
  virtual bool Call(const TRpcRequest &request, const std::shared_ptr<TThreadQueueImpl> &replyQueue,
                    TRpcReply &reply, unsigned long &lastError) = 0;
  virtual bool Subscribe(const std::string &server, unsigned short eventId,
                         const std::shared_ptr<TThreadQueueImpl> &eventQueue, bool subscribe,
                         unsigned long &lastError) = 0;
  // Drops every subscription of `eventQueue`.
  virtual void Forget(const TThreadQueueImpl *eventQueue) = 0;

  virtual void Bind(const std::string &name, TRpcHandler handler) = 0;
  virtual void Unbind(const std::string &name) = 0;
  virtual int Publish(const std::string &server, const TEvent &event) = 0;
};

// The process's transport: calls to a connected name go over ZeroMQ, all others in-process.
TTransport &CurrentTransport();
// Named servers bound in this process, on threads of their own.
TTransport &LocalTransport();

// What TFramework::ConnectServer, ListenServer and TransportCounters do.
bool ConnectTransport(const std::string &name, const std::string &endpoint);
std::string ListenTransport(const std::string &name, const std::string &endpoint);
TTransportCounters CurrentTransportCounters();

#endif // STATCLIENT_PLATFORM_FRAMEWORK_TTRANSPORTINTERNAL_H_
