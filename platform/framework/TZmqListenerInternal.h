// The serving side of a server name made reachable from other processes
// (TFramework::ListenServer).
//
// A served name owns one thread with a ROUTER that hands calls to the in-process server bound
// under the name, one at a time, and a PUB that any publishing thread sends on under a lock.
// The PUB is bound wherever it can be (EventBindEndpoint); the ROUTER answers each caller's
// Where with the endpoint it got, so the call endpoint is all a caller needs to know.
// Each event carries this listener's incarnation (a random number) and its sequence number per
// event id, so that subscribers can tell gaps, duplicates and a restarted server apart. The
// object and its thread live until the process exits.
#ifndef STATCLIENT_PLATFORM_FRAMEWORK_TZMQLISTENERINTERNAL_H_
#define STATCLIENT_PLATFORM_FRAMEWORK_TZMQLISTENERINTERNAL_H_

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include <zmq.hpp>

#include "framework/TTransportInternal.h"
#include "framework/TZmqSocketsInternal.h"

namespace zmqtransport {

class Listener {
public:
  Listener(std::string name, const std::string &endpoint);

  const std::string &Endpoint() const { return endpoint_; }

  void Publish(const TEvent &event);

private:
  void Run();

  void Serve(const std::vector<Bytes> &parts);

  const std::string name_;
  zmq::socket_t router_, pub_;
  std::string endpoint_, eventEndpoint_;
  std::shared_ptr<TThreadQueueImpl> replies_;
  const std::uint64_t incarnation_;
  std::thread worker_;
  std::mutex pubLock_; // guards pub_ and topicSequences_
  std::map<unsigned short, std::uint64_t> topicSequences_;
};

} // namespace zmqtransport

#endif // STATCLIENT_PLATFORM_FRAMEWORK_TZMQLISTENERINTERNAL_H_
