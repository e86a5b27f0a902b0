#include "framework/TZmqListenerInternal.h"

#include <chrono>
#include <random>

#include "framework/TZmqFrameInternal.h"

namespace zmqtransport {

Listener::Listener(std::string name, const std::string &endpoint)
    : name_(std::move(name)), router_(Context(), zmq::socket_type::router),
      pub_(Context(), zmq::socket_type::pub), replies_(std::make_shared<TThreadQueueImpl>()),
      incarnation_(std::random_device()() | (std::uint64_t{std::random_device()()} << 32)) {
  router_.set(zmq::sockopt::linger, 0);
  pub_.set(zmq::sockopt::linger, 0);
  endpoint_ = Bind(router_, endpoint, "calls");
  eventEndpoint_ = Bind(pub_, EventBindEndpoint(endpoint_), "events");
  worker_ = std::thread([this] { Run(); });
  worker_.detach();
}

void Listener::Publish(const TEvent &event) {
  std::lock_guard<std::mutex> lock(pubLock_);
  const zmqframe::EventHeader header{incarnation_, ++topicSequences_[event.GetId()]};
  SendParts(pub_, {zmqframe::EventTopic(event.GetId(), name_), zmqframe::EncodeEvent(header),
                   event.Bytes()});
}

void Listener::Run() {
  std::vector<Bytes> parts;
  for (;;) {
    zmq::pollitem_t item{router_.handle(), 0, ZMQ_POLLIN, 0};
    zmq::poll(&item, 1, std::chrono::milliseconds(-1));
    while (ReceiveParts(router_, parts))
      Serve(parts);
  }
}

void Listener::Serve(const std::vector<Bytes> &parts) {
  if (parts.size() == 2 && zmqframe::IsWhere(parts[1])) {
    SendParts(router_, {parts[0], zmqframe::EncodeAddress({eventEndpoint_})});
    return;
  }
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

} // namespace zmqtransport
