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

std::string EventEndpoint(const std::string &callEndpoint) {
  if (callEndpoint.rfind("ipc://", 0) == 0)
    return callEndpoint + ".events";
  const auto colon = callEndpoint.rfind(':');
  if (callEndpoint.rfind("tcp://", 0) != 0 || colon == std::string::npos)
    throw std::invalid_argument("endpoint is neither tcp:// nor ipc://: " + callEndpoint);
  const int port = std::stoi(callEndpoint.substr(colon + 1));
  return callEndpoint.substr(0, colon + 1) + std::to_string(port + 1);
}

} // namespace zmqtransport
