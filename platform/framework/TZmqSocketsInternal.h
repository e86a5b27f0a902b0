// What the two sides of the ZeroMQ transport share: the one context, multi-part messages, the
// event endpoint beside a call endpoint, and the counts TFramework::TransportCounters reports.
#ifndef STATCLIENT_PLATFORM_FRAMEWORK_TZMQSOCKETSINTERNAL_H_
#define STATCLIENT_PLATFORM_FRAMEWORK_TZMQSOCKETSINTERNAL_H_

#include <atomic>
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

// The event endpoint that goes with a call endpoint: the next port for tcp, a sibling path for
// ipc. Throws std::invalid_argument for an endpoint that is neither.
std::string EventEndpoint(const std::string &callEndpoint);

} // namespace zmqtransport

#endif // STATCLIENT_PLATFORM_FRAMEWORK_TZMQSOCKETSINTERNAL_H_
