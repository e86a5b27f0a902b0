// What the two sides of the ZeroMQ transport share: the one context, multi-part messages, binding
// with errors that name the endpoint, where events are published and subscribed to, and the
// counts TFramework::TransportCounters reports.
#ifndef STATCLIENT_PLATFORM_FRAMEWORK_TZMQSOCKETSINTERNAL_H_
#define STATCLIENT_PLATFORM_FRAMEWORK_TZMQSOCKETSINTERNAL_H_

#include <atomic>
#include <optional>
#include <string>
#include <vector>
#include <zmq.hpp>

#include "framework/TZmqFrameInternal.h"

namespace zmqtransport {

using zmqframe::Bytes;

extern std::atomic<unsigned long long> droppedEvents;  // events publishers dropped for us
extern std::atomic<unsigned long long> rejectedFrames; // malformed messages thrown away

// The process's context; never destroyed, since I/O threads use it until the process exits.
zmq::context_t &Context();

// Receives every part of the next message; false when nothing is waiting.
bool ReceiveParts(zmq::socket_t &socket, std::vector<Bytes> &parts);
void SendParts(zmq::socket_t &socket, const std::vector<Bytes> &parts);

// A failed bind: zmq::error_t with the same number, whose text names the endpoint and its use.
class BindError : public zmq::error_t {
public:
  BindError(int error, const std::string &endpoint, const char *use);
  const char *what() const noexcept override { return text_.c_str(); }

private:
  std::string text_;
};

// Binds `socket` at `endpoint` for `use` ("calls", "events") and returns the endpoint bound, a
// wildcard resolved. Throws BindError.
std::string Bind(zmq::socket_t &socket, const std::string &endpoint, const char *use);

// Where a server whose calls are bound at `callEndpoint` publishes: any free port of the same
// address for tcp, the sibling path PATH.events for ipc. Throws std::invalid_argument, naming
// the endpoint, for one that is neither.
std::string EventBindEndpoint(const std::string &callEndpoint);

// Where a caller of `callEndpoint` subscribes, given the event endpoint its server announced:
// for tcp the announced port on the host the calls go to (a server bound to a wildcard address
// announces the wildcard), for ipc the announced path. Nothing when the announcement is not an
// endpoint of the call endpoint's kind.
std::optional<std::string> SubscribeEndpoint(const std::string &callEndpoint,
                                             const std::string &announced);

} // namespace zmqtransport

#endif // STATCLIENT_PLATFORM_FRAMEWORK_TZMQSOCKETSINTERNAL_H_
