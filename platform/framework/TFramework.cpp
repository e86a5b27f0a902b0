#include "framework/TFramework.h"

#include <cstring>

#include "framework/TTransportInternal.h"

namespace {

thread_local unsigned long lastError = 0;

} // namespace

unsigned long TBase::fwBaseGetLastError() { return lastError; }
void TBase::fwBaseSetLastError(unsigned long error) { lastError = error; }

TRPC::TRPC(unsigned short type, void *data, unsigned long size, unsigned char replyFlag)
    : type_(type), data_(data), size_(data ? size : 0), replyFlag_(replyFlag) {}

void TRPC::SetReply(long returnCode, std::vector<unsigned char> reply) {
  returnCode_ = returnCode;
  reply_ = std::move(reply);
}

void TEvent::SetData(const void *data, unsigned long size) {
  const auto *bytes = static_cast<const unsigned char *>(data);
  data_.assign(bytes, bytes + (bytes ? size : 0));
}

TThreadQueue::TThreadQueue() : impl_(std::make_shared<TThreadQueueImpl>()) {}
TThreadQueue::~TThreadQueue() = default;

TFramework::TFramework() = default;

TFramework::TFramework(const char *name, const char *secondName, unsigned short count)
    : name_(name ? name : ""), secondName_(secondName ? secondName : ""), count_(count) {}

TFramework::~TFramework() { CurrentTransport().Forget(eventQueue_.Impl().get()); }

int TFramework::GetObjectType() { return 0; }
TRpcReply TFramework::ProcessMsg(const TRpcRequest &) { return TRpcReply{}; }
bool TFramework::ProcessEvent(TEvent &) { return true; }
bool TFramework::IsEventValid(const TEvent &) { return true; }
bool TFramework::CheckCredentials(const char *) { return true; }
bool TFramework::ValidiateFileTransfer(const char *) { return true; }

bool TFramework::SendRPC(TRPC &rpc, const char *destination, TThreadQueue &replyQueue,
                         unsigned long timeoutMs, TASKTYPE taskType) {
  TRpcRequest request;
  request.destination = destination ? destination : "";
  request.source = name_;
  request.type = rpc.GetType();
  const auto *data = static_cast<const unsigned char *>(rpc.GetData());
  request.data.assign(data, data + (data ? rpc.GetDataSize() : 0));
  request.replyFlag = rpc.GetReplyFlag();
  request.timeoutMs = timeoutMs;
  request.taskType = taskType;

  TRpcReply reply;
  unsigned long error = 0;
  if (!CurrentTransport().Call(request, replyQueue.Impl(), reply, error)) {
    fwBaseSetLastError(error);
    return false;
  }
  if (!rpc.GetReplyFlag())
    reply.data.clear();
  rpc.SetReply(reply.returnCode, std::move(reply.data));
  return true;
}

bool TFramework::RegisterForEvent(TEvent &event, const char *serverName, TThreadQueue &,
                                  TThreadQueue &eventQueue, unsigned long, TASKTYPE) {
  return Subscribe(event, serverName, eventQueue, true);
}

bool TFramework::DeregisterForEvent(TEvent &event, const char *serverName, TThreadQueue &,
                                    TThreadQueue &eventQueue, unsigned long, TASKTYPE) {
  return Subscribe(event, serverName, eventQueue, false);
}

bool TFramework::Subscribe(const TEvent &event, const char *serverName, TThreadQueue &eventQueue,
                           bool subscribe) {
  unsigned long error = 0;
  if (!CurrentTransport().Subscribe(serverName ? serverName : "", event.GetId(), eventQueue.Impl(),
                                    subscribe, error)) {
    fwBaseSetLastError(error);
    return false;
  }
  return true;
}

bool TFramework::WaitForEvent(TEvent &event, TThreadQueue &eventQueue, unsigned long timeoutMs) {
  return eventQueue.Impl()->TakeEvent(timeoutMs, event);
}

void TFramework::BindServer(const std::string &name, TRpcHandler handler) {
  CurrentTransport().Bind(name, std::move(handler));
}

void TFramework::UnbindServer(const std::string &name) { CurrentTransport().Unbind(name); }

int TFramework::PublishEvent(const std::string &serverName, const TEvent &event) {
  return CurrentTransport().Publish(serverName, event);
}

bool TFramework::ConnectServer(const std::string &name, const std::string &endpoint) {
  return ConnectTransport(name, endpoint);
}

std::string TFramework::ListenServer(const std::string &name, const std::string &endpoint) {
  return ListenTransport(name, endpoint);
}

TTransportCounters TFramework::TransportCounters() { return CurrentTransportCounters(); }
