// Simulator: a Statistics Server in the application's own process, for tests, examples and tools.
//
// The simulator binds itself under a server name for its lifetime and answers the five request
// objects of the statistics client library:
//   object 1  error record         the record is kept (ErrorRecords)
//   object 2  contact-log summary  query and delete are kept (ContactLogRequests); an update
//                                  (action 3) is counted and gets a new record key, sent in
//                                  front of the reply header
//   object 3  contact detail       with a reply flag of 1 the detail comes back after the reply
//                                  header, filled from the model
//   object 4  request event        starts publishing that event id to its registered queues
//   object 5  refresh rate         publishes that cumulative id every `rate` ticks (rate > 0)
// Of the records kept, only the most recent kMaxKeptRecords (1,000) of each kind stay, the oldest
// dropped and counted, so a long-running server holds a bounded amount of them.
// Every request is checked for version 11 and release 0 and its body is decoded with the
// library's own record classes. A request that fails is answered with one of these return codes
// and changes nothing:
//   5001  kBadRequest         the header is unreadable, or the version or release is not 11.0
//   5101  kUndecodableBody    the body does not decode as the object's record
//   5102  kUnknownObject      the object or action is not one of those above
//   5103  kUnservedEvent      the event id has no event class
//
// Time is simulated: each Tick() advances the model one step and publishes the real-time ids
// subscribed so far, and each cumulative id whose refresh rate divides the tick count (by
// default every 5 ticks). Start(interval) runs ticks on a thread of the simulator's own until
// Stop() or destruction. Every member is thread-safe; requests are handled on the framework's
// server thread, ticks on the caller's or the simulator's thread, one at a time.
#ifndef STATCLIENT_TOOLS_SIM_SIMULATOR_H_
#define STATCLIENT_TOOLS_SIM_SIMULATOR_H_

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <statclient/statclient.h>

#include "statsim/ContactCenterModel.h"
#include "statsim/RecentRecords.h"

namespace statsim {

class Simulator : public TKIVOServerBase {
public:
  static constexpr long kUndecodableBody = 5101;
  static constexpr long kUnknownObject = 5102;
  static constexpr long kUnservedEvent = 5103;
  static constexpr int kDefaultRefreshTicks = 5;
  static constexpr std::size_t kMaxKeptRecords = 1000;

  explicit Simulator(std::string serverName = "StatisticsServer", std::uint32_t seed = 1);
  ~Simulator() override;
  Simulator(const Simulator &) = delete;
  Simulator &operator=(const Simulator &) = delete;

  const std::string &ServerName() const { return serverName_; }

  // One simulated step; returns how many events were published.
  int Tick();
  // Ticks every `interval` on the simulator's thread; a second Start restarts it.
  void Start(std::chrono::milliseconds interval);
  void Stop();

  // What the requests left behind, copied out under the lock: the most recent kMaxKeptRecords
  // of each kind, oldest first, and how many older ones were dropped.
  std::vector<TErrorRecord> ErrorRecords() const;
  long ErrorRecordsDropped() const;
  std::vector<TEventDataContactLog> ContactLogRequests() const;
  long ContactLogRequestsDropped() const;
  std::vector<int> SubscribedEvents() const;
  long ContactLogUpdates() const;

  TRpcReply onProcessMsg(const TMsgRequestHdr &header, TPack &body,
                         const TRpcRequest &request) override;

private:
  TRpcReply ErrorRecord(TPack &body);
  TRpcReply ContactLog(unsigned short action, TPack &body);
  TRpcReply ContactDetail(TPack &body, bool replyWanted);
  TRpcReply RequestEvent(TPack &body);
  TRpcReply RefreshRate(TPack &body);

  std::string serverName_;
  mutable std::mutex mutex_;
  ContactCenterModel model_;
  std::map<int, bool> subscriptions_; // event id -> include logged-off users
  std::map<int, int> refreshTicks_;   // cumulative event id -> ticks between events
  RecentRecords<TErrorRecord> errorRecords_{kMaxKeptRecords};
  RecentRecords<TEventDataContactLog> contactLogRequests_{kMaxKeptRecords};
  long contactLogUpdates_ = 0;
  long nextRecordKey_ = 70001;

  std::mutex runMutex_;
  std::condition_variable runWake_;
  bool running_ = false;
  std::thread runner_;
};

} // namespace statsim

#endif // STATCLIENT_TOOLS_SIM_SIMULATOR_H_
