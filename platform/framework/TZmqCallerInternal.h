// The calling side of a server name connected to another process (TFramework::ConnectServer).
//
// A connected name owns one I/O thread with a DEALER for calls and a SUB for events. Callers on
// any thread hand their frames to that thread through a locked queue and a wake-up socket, then
// wait on their own reply queue; each reply is routed back by its call sequence number. Events
// are handed to every queue subscribed to their id. The SUB follows the server: after each
// handshake the DEALER asks where its events are, and the SUB moves to the answer when it
// changed (a restarted server may publish elsewhere). The object and its thread live until the
// process exits.
#ifndef STATCLIENT_PLATFORM_FRAMEWORK_TZMQCALLERINTERNAL_H_
#define STATCLIENT_PLATFORM_FRAMEWORK_TZMQCALLERINTERNAL_H_

#include <cstdint>
#include <deque>
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

class RemoteServer {
public:
  RemoteServer(std::string name, const std::string &endpoint);

  bool Call(const TRpcRequest &request, const std::shared_ptr<TThreadQueueImpl> &replyQueue,
            std::uint64_t sequence, TRpcReply &reply, unsigned long &lastError);

  void Subscribe(unsigned short eventId, const std::shared_ptr<TThreadQueueImpl> &eventQueue,
                 bool subscribe);

  void Forget(const TThreadQueueImpl *eventQueue);

private:
  struct Outgoing {
    std::uint64_t sequence;
    std::vector<Bytes> parts;
  };
  struct FilterChange {
    unsigned short eventId;
    bool wanted;
  };
  struct TopicState {
    std::uint64_t incarnation = 0;
    std::uint64_t sequence = 0;
  };

  void WakeLocked() { wakeSend_.send(zmq::message_t(), zmq::send_flags::dontwait); }

  void Run();

  void ApplyFilterChanges();

  void SendOutgoing();

  // Follows the dealer's connection from its monitor: sending starts at a completed handshake
  // and stops at a drop, which fails the calls sent on it.
  void TakeConnectionEvent(const std::vector<Bytes> &parts);

  // The connection that carried them is gone, so the calls already sent will never be answered:
  // they fail now as timed out (the server may or may not have served them). Calls not yet sent
  // stay queued for the next connection.
  void FailSentCalls();

  // The server's answer to Where: subscribes at its event endpoint, leaving the one before.
  void TakeAddress(const Bytes &frame);

  void TakeReply(const std::vector<Bytes> &parts);

  void TakeEvent(const std::vector<Bytes> &parts);

  const std::string name_, callEndpoint_;
  zmq::socket_t dealer_, sub_, wakeSend_, wakeReceive_, connection_;
  std::thread worker_;

  std::mutex lock_; // guards the members below and wakeSend_
  std::deque<Outgoing> outgoing_;
  std::map<std::uint64_t, std::weak_ptr<TThreadQueueImpl>> waiting_;
  std::map<unsigned short, std::vector<std::weak_ptr<TThreadQueueImpl>>> subscribers_;
  std::vector<FilterChange> filterChanges_;

  // Used by the I/O thread only.
  bool connected_ = false;    // a server's handshake completed and its connection has not dropped
  bool askWhere_ = false;     // this connection's Where is still to be sent
  std::string eventEndpoint_; // where the SUB is connected; empty before the first answer
  std::map<unsigned short, bool> filtered_;
  std::map<unsigned short, TopicState> topics_;
};

} // namespace zmqtransport

#endif // STATCLIENT_PLATFORM_FRAMEWORK_TZMQCALLERINTERNAL_H_
