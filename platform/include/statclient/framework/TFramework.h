// TFramework: remote calls, event subscription and event delivery between named objects.
//
// Servers are bound by name in this process (BindServer). Each bound server handles its
// requests on a thread of its own, one at a time, in arrival order; a handler that throws
// fails that call only and the server goes on serving. A framework object (every proxy is one)
// owns two queues: replies to its calls arrive on its reply queue, events on its event queue.
//
// SendRPC blocks the caller on the reply queue until the reply arrives or the time-out passes.
// It returns true when the call was delivered and answered (read the return code and reply from
// the TRPC), false otherwise (read TBase::fwBaseGetLastError()):
//   kErrNoServer (32771)        no server is bound under the destination name
//   kErrTimeout (32772)         the time-out passed before the reply came
//   kErrHandlerFailed (32773)   the server's handler threw
//   anything else               the lastError of a reply the handler marked undelivered
// A reply flag of 0 tells the server that no reply body is wanted: the call still waits for
// the return code, and any reply data is dropped.
//
// Between processes (ZeroMQ), no environment or file is read: the application names endpoints.
//   ConnectServer(name, endpoint) sends this process's calls and subscriptions for `name` to
//   the process serving it at `endpoint`; ListenServer(name, endpoint) in that process makes the
//   server bound under `name` reachable there. Endpoints are tcp://HOST:PORT or ipc://PATH,
//   and only that one needs to be free and known: the server publishes its events wherever it
//   can (any free port of HOST, or PATH.events) and tells each caller where on connecting.
// Failures over the network:
//   server not running      the call fails with kErrNoServer once its time-out has passed (the
//                           call waits in case the server comes up); subscriptions succeed at
//                           once and their events start when the server does
//   server killed mid-call  kErrTimeout as soon as the connection drops (the server may or may
//                           not have served the call); calls not yet sent wait for the next
//                           server
//   server restarted        nothing to do: later calls and existing subscriptions reach the new
//                           server once it is up, wherever it now publishes; events published
//                           while it was down are lost
//   slow subscriber         events past ZeroMQ's high-water mark (1000 messages a subscriber)
//                           are dropped by the publisher; the subscriber counts each one it
//                           missed in TransportCounters().droppedEvents, and never gets an
//                           event twice
//   malformed frame         dropped and counted in TransportCounters().rejectedFrames, on
//                           whichever side received it
//
// The object, its queues and its registrations are used by one thread at a time; different
// objects may call concurrently.
#ifndef STATCLIENT_PLATFORM_FRAMEWORK_TFRAMEWORK_H_
#define STATCLIENT_PLATFORM_FRAMEWORK_TFRAMEWORK_H_

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

typedef int TASKTYPE;

// The last error of the calling thread's most recent failed framework call.
class TBase {
public:
  virtual ~TBase() = default;
  static unsigned long fwBaseGetLastError();
  static void fwBaseSetLastError(unsigned long error);
};

// A remote call: what is sent, and after SendRPC what came back.
class TRPC {
public:
  TRPC(unsigned short type, void *data, unsigned long size, unsigned char replyFlag);

  unsigned short GetType() const { return type_; }
  const void *GetData() const { return data_; }
  unsigned long GetDataSize() const { return size_; }
  unsigned char GetReplyFlag() const { return replyFlag_; }

  // 0 = success; the server's return code once the call was delivered.
  long GetReturnCode() const { return returnCode_; }
  // The reply body; valid while the TRPC lives. Null and 0 when there is none.
  void *GetReplyPointer() { return reply_.empty() ? nullptr : reply_.data(); }
  const void *GetReplyPointer() const { return reply_.empty() ? nullptr : reply_.data(); }
  unsigned long GetReplySize() const { return static_cast<unsigned long>(reply_.size()); }

  void SetReply(long returnCode, std::vector<unsigned char> reply);

private:
  unsigned short type_;
  void *data_;
  unsigned long size_;
  unsigned char replyFlag_;
  long returnCode_ = 0;
  std::vector<unsigned char> reply_;
};

// An event: an id and its payload bytes. Lay a TPack over GetData()/GetDataSize() to read it.
class TEvent {
public:
  explicit TEvent(unsigned short id = 0, std::vector<unsigned char> data = {})
      : id_(id), data_(std::move(data)) {}

  unsigned short GetId() const { return id_; }
  void SetId(unsigned short id) { id_ = id; }
  void *GetData() { return data_.empty() ? nullptr : data_.data(); }
  const void *GetData() const { return data_.empty() ? nullptr : data_.data(); }
  unsigned long GetDataSize() const { return static_cast<unsigned long>(data_.size()); }
  void SetData(const void *data, unsigned long size);
  const std::vector<unsigned char> &Bytes() const { return data_; }

private:
  unsigned short id_;
  std::vector<unsigned char> data_;
};

class TThreadQueueImpl;

// Counts kept by the transport between processes since the process started.
struct TTransportCounters {
  unsigned long long droppedEvents = 0;  // events a publisher dropped before they reached us
  unsigned long long rejectedFrames = 0; // malformed messages received and thrown away
};

// A blocking queue owned by one framework object; the transport fills it.
class TThreadQueue {
public:
  TThreadQueue();
  ~TThreadQueue();
  TThreadQueue(const TThreadQueue &) = delete;
  TThreadQueue &operator=(const TThreadQueue &) = delete;

  // Shared with the transport, which may outlive the owner while a reply is on its way.
  const std::shared_ptr<TThreadQueueImpl> &Impl() const { return impl_; }

private:
  std::shared_ptr<TThreadQueueImpl> impl_;
};

// What a bound server's handler sees of a call, and what it answers.
struct TRpcRequest {
  std::string destination, source;
  unsigned short type;
  std::vector<unsigned char> data;
  unsigned char replyFlag;
  unsigned long timeoutMs;
  int taskType;
};

struct TRpcReply {
  bool delivered = true;
  unsigned long lastError = 0;
  long returnCode = 0;
  std::vector<unsigned char> data;
};

using TRpcHandler = std::function<TRpcReply(const TRpcRequest &)>;

class TFramework : public TBase {
public:
  static constexpr unsigned long kErrNoServer = 32771;
  static constexpr unsigned long kErrTimeout = 32772;
  static constexpr unsigned long kErrHandlerFailed = 32773;

  // An anonymous object.
  TFramework();
  // A named object: `name` is sent as the source of its calls; `secondName` and `count` are
  // kept for the object's owner.
  TFramework(const char *name, const char *secondName, unsigned short count);
  // Deregisters every event registration of the object.
  ~TFramework() override;

  // A framework object is a place in the message system; it is never copied. Derived classes
  // that copy their own state default-construct this base.
  TFramework(const TFramework &) = delete;
  TFramework &operator=(const TFramework &) = delete;

  virtual int GetObjectType();
  virtual TRpcReply ProcessMsg(const TRpcRequest &request);
  virtual bool ProcessEvent(TEvent &event);
  virtual bool IsEventValid(const TEvent &event);
  virtual bool CheckCredentials(const char *source);
  virtual bool ValidiateFileTransfer(const char *path);

  const std::string &GetName() const { return name_; }
  const std::string &GetSecondName() const { return secondName_; }
  unsigned short GetCount() const { return count_; }

  TThreadQueue &GetReplyQueue() { return replyQueue_; }
  TThreadQueue &GetEventQueue() { return eventQueue_; }

  bool SendRPC(TRPC &rpc, const char *destination, TThreadQueue &replyQueue,
               unsigned long timeoutMs, TASKTYPE taskType);
  // Ties `eventQueue` to the event id of `event` at the server `serverName`; fails like SendRPC
  // with kErrNoServer when no such server is bound.
  bool RegisterForEvent(TEvent &event, const char *serverName, TThreadQueue &replyQueue,
                        TThreadQueue &eventQueue, unsigned long timeoutMs, TASKTYPE taskType);
  bool DeregisterForEvent(TEvent &event, const char *serverName, TThreadQueue &replyQueue,
                          TThreadQueue &eventQueue, unsigned long timeoutMs, TASKTYPE taskType);
  // Takes the next event from `eventQueue` into `event`; false when the time-out passes first.
  bool WaitForEvent(TEvent &event, TThreadQueue &eventQueue, unsigned long timeoutMs);

  // Short forms on the object's own queues; provided by the statclient library.
  bool SendRPC(TRPC &rpc, const char *destination, unsigned long timeoutMs, TASKTYPE taskType);
  bool RegisterForEvent(TEvent &event, const char *serverName, unsigned long timeoutMs,
                        TASKTYPE taskType);
  bool DeregisterForEvent(TEvent &event, const char *serverName, unsigned long timeoutMs,
                          TASKTYPE taskType);
  bool WaitForEvent(TEvent &event, unsigned long timeoutMs);

  // Binds `handler` under `name`, replacing an earlier binding of that name.
  static void BindServer(const std::string &name, TRpcHandler handler);
  // Stops the server bound under `name` after the request it is handling; waiting callers
  // then fail with kErrNoServer. Its event registrations stay until their owners drop them.
  static void UnbindServer(const std::string &name);
  // Delivers a copy of `event` to every queue registered for its id at `serverName`;
  // returns how many.
  // Subscribers in other processes get it too, and are not counted.
  static int PublishEvent(const std::string &serverName, const TEvent &event);

  // Sends calls and subscriptions for `name` to `endpoint` from now on, in every thread of the
  // process; returns false, changing nothing, when `name` is already connected. Costs one I/O
  // thread per name; the connection is made in the background and redone after a drop. Names
  // never connected stay in-process.
  static bool ConnectServer(const std::string &name, const std::string &endpoint);
  // Serves calls for the server bound here under `name` (now or later) at `endpoint`, and
  // publishes its events on a second endpoint that callers learn from it; returns the endpoint
  // bound, with a wildcard port ("*") resolved. Calls are handed to the bound server in arrival
  // order. Throws zmq::error_t when the endpoint or the event endpoint cannot be bound (its
  // what() names the endpoint), std::invalid_argument for an endpoint neither tcp:// nor
  // ipc://, and std::logic_error when `name` is already listening; `name` is left free to
  // listen again after each.
  static std::string ListenServer(const std::string &name, const std::string &endpoint);
  static TTransportCounters TransportCounters();

private:
  bool Subscribe(const TEvent &event, const char *serverName, TThreadQueue &eventQueue,
                 bool subscribe);

  std::string name_;
  std::string secondName_;
  unsigned short count_ = 0;
  TThreadQueue replyQueue_;
  TThreadQueue eventQueue_;
};

#endif // STATCLIENT_PLATFORM_FRAMEWORK_TFRAMEWORK_H_
