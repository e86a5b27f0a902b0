#include "framework/TZmqSocketsInternal.h"

#include <stdexcept>

namespace zmqtransport {

std::atomic<unsigned long long> droppedEvents{0};
std::atomic<unsigned long long> rejectedFrames{0};

zmq::context_t &Context() {
  static auto *context = new zmq::context_t(1);
  return *context;
}

namespace {

Bytes ToBytes(const zmq::message_t &message) {
  const auto *data = message.data<unsigned char>();
  return Bytes(data, data + message.size());
}

} // namespace

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

BindError::BindError(int error, const std::string &endpoint, const char *use)
    : zmq::error_t(error),
      text_("cannot bind " + endpoint + " for " + use + ": " + zmq_strerror(error)) {}

std::string Bind(zmq::socket_t &socket, const std::string &endpoint, const char *use) {
  try {
    socket.bind(endpoint);
  } catch (const zmq::error_t &error) {
    throw BindError(error.num(), endpoint, use);
  }
  return socket.get(zmq::sockopt::last_endpoint);
}

namespace {

bool StartsWith(const std::string &text, const char *prefix) { return text.rfind(prefix, 0) == 0; }

} // namespace

std::string EventBindEndpoint(const std::string &callEndpoint) {
  if (StartsWith(callEndpoint, "ipc://"))
    return callEndpoint + ".events";
  if (!StartsWith(callEndpoint, "tcp://"))
    throw std::invalid_argument("cannot listen at " + callEndpoint +
                                ": the endpoint is neither tcp:// nor ipc://");
  return callEndpoint.substr(0, callEndpoint.rfind(':') + 1) + "*";
}

std::optional<std::string> SubscribeEndpoint(const std::string &callEndpoint,
                                             const std::string &announced) {
  if (StartsWith(callEndpoint, "ipc://"))
    return StartsWith(announced, "ipc://") ? std::optional(announced) : std::nullopt;
  const std::string port = announced.substr(announced.rfind(':') + 1);
  if (!StartsWith(announced, "tcp://") || port.empty() || port.size() > 5 ||
      port.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  return callEndpoint.substr(0, callEndpoint.rfind(':') + 1) + port;
}

} // namespace zmqtransport
