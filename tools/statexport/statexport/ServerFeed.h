// ServerFeed: the Statistics Server's events, fed into an ExportState.
//
// A thread of the feed's own subscribes to every event family of statsupport's table through
// AStatisticsServer, hands each event to ExportState::Ingest and, after kAskAgainAfter without
// any event, asks for them again (a restarted server has no subscriptions), every
// kAskAgainAfter until they flow. Supervise, called by the owner a few times a second, decides
// whether the server is up: it is while events arrive or a request was answered within
// kDownAfter; the state's server_up follows.
//
// A request to a server that does not answer blocks the feed's thread for as long as the
// library waits for a reply (minutes); the owner must not wait for Stop to end it.
//
// Threads: Start, Supervise and Stop are called by the owner's one thread; the state is shared
// with whoever else reads it.
#ifndef STATCLIENT_TOOLS_STATEXPORT_SERVERFEED_H_
#define STATCLIENT_TOOLS_STATEXPORT_SERVERFEED_H_

#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <statclient/statclient.h>

#include "statexport/ExportState.h"

namespace statexport {

class ServerFeed {
public:
  static constexpr std::chrono::seconds kAskAgainAfter{2};
  // A little past kAskAgainAfter, so that a server that is up but quiet answers the request
  // made after kAskAgainAfter before it counts as down.
  static constexpr std::chrono::milliseconds kDownAfter{2400};

  // `serverName` is where registrations and requests go; `refreshRate`, when set, is sent for
  // every cumulative family. The state must outlive the feed.
  ServerFeed(ExportState &state, std::string serverName, std::optional<int> refreshRate);
  // Stops the thread; see Stop.
  ~ServerFeed();
  ServerFeed(const ServerFeed &) = delete;
  ServerFeed &operator=(const ServerFeed &) = delete;

  // Starts the thread and waits up to `within` for the server to take every subscription.
  // Returns an empty string when it did, else why not (for the user); the server counts as up
  // from a successful start. After a failure the feed is done with; when the server did not
  // answer in time the thread is still waiting for it, and the process must end as after a
  // failed Stop.
  std::string Start(std::chrono::milliseconds within);

  // Updates the state's server_up (and expires nothing); true when it changed.
  bool Supervise(Clock::time_point now);

  // Asks the thread to end and waits up to `within`; false when it is still inside a request,
  // in which case the process must end without destroying the feed (std::_Exit).
  bool Stop(std::chrono::milliseconds within);

private:
  void Run(std::promise<std::string> started);
  std::string Subscribe();
  std::string RequestEvents();

  ExportState &state_;
  const std::string serverName_;
  const std::optional<int> refreshRate_;
  AStatisticsServer proxy_; // used by the feed's thread only, once it runs
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> finished_{false};
  // Clock::rep of the last event and of the last answered request.
  std::atomic<Clock::rep> lastEvent_{0};
  std::atomic<Clock::rep> lastAnswer_{0};
  bool up_ = false;
};

} // namespace statexport

#endif // STATCLIENT_TOOLS_STATEXPORT_SERVERFEED_H_
