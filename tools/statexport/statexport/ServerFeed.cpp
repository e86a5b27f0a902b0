#include "statexport/ServerFeed.h"

#include <iostream>

#include <statsim/EventPublisher.h>
#include <statsupport/EventTable.h>

namespace statexport {

namespace {

constexpr unsigned long kRegistrationTimeoutMs = 5000;
constexpr unsigned long kPollMs = 50;

Clock::rep Ticks(Clock::time_point time) { return time.time_since_epoch().count(); }
Clock::time_point TimeOf(Clock::rep ticks) { return Clock::time_point(Clock::duration(ticks)); }

} // namespace

ServerFeed::ServerFeed(ExportState &state, std::string serverName, std::optional<int> refreshRate)
    : state_(state), serverName_(std::move(serverName)), refreshRate_(refreshRate),
      proxy_(serverName_, "statexport", "statexport") {}

ServerFeed::~ServerFeed() {
  stop_ = true;
  if (thread_.joinable())
    thread_.join();
}

std::string ServerFeed::Start(std::chrono::milliseconds within) {
  std::promise<std::string> started;
  std::future<std::string> result = started.get_future();
  thread_ = std::thread(&ServerFeed::Run, this, std::move(started));
  if (result.wait_for(within) != std::future_status::ready)
    return "no Statistics Server answered within " +
           std::to_string(std::chrono::duration_cast<std::chrono::seconds>(within).count()) + " s";
  std::string failure = result.get();
  if (failure.empty()) {
    up_ = true;
    state_.SetServerUp(true, Clock::now());
  }
  return failure;
}

bool ServerFeed::Supervise(Clock::time_point now) {
  const Clock::time_point heard = std::max(TimeOf(lastEvent_), TimeOf(lastAnswer_));
  const bool up = now - heard < kDownAfter;
  if (up == up_)
    return false;
  up_ = up;
  state_.SetServerUp(up, now);
  std::cerr << (up ? "statexport: the Statistics Server answers again\n"
                   : "statexport: no event and no answer from the Statistics Server for 2.4 s; "
                     "asking again every 2 s\n");
  return true;
}

bool ServerFeed::Stop(std::chrono::milliseconds within) {
  stop_ = true;
  const auto deadline = Clock::now() + within;
  while (!finished_ && Clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  if (!finished_)
    return false;
  if (thread_.joinable())
    thread_.join();
  return true;
}

void ServerFeed::Run(std::promise<std::string> started) {
  std::string failure = Subscribe();
  const bool subscribed = failure.empty();
  started.set_value(std::move(failure));
  auto lastAsked = Clock::now();
  bool failing = false; // a failure is written once, not at every attempt
  while (subscribed && !stop_) {
    TEvent event;
    if (proxy_.WaitForEvent(event, kPollMs)) {
      const auto now = Clock::now();
      lastEvent_ = Ticks(now);
      const std::vector<unsigned char> &bytes = event.Bytes();
      state_.Ingest(event.GetId(), bytes.data(), bytes.size(), now);
      continue;
    }
    const auto now = Clock::now();
    if (now - std::max(TimeOf(lastEvent_), lastAsked) < kAskAgainAfter)
      continue;
    // Blocks while the server is away; answered once it is back.
    const std::string failure = RequestEvents();
    lastAsked = Clock::now();
    if (!failure.empty() && !failing)
      std::cerr << "statexport: " << failure << "\n";
    failing = !failure.empty();
  }
  finished_ = true;
}

std::string ServerFeed::Subscribe() {
  for (auto entry = statsupport::begin(); entry != statsupport::end(); ++entry) {
    TEvent registration(static_cast<unsigned short>(entry->id));
    if (!proxy_.RegisterForEvent(registration, serverName_.c_str(), kRegistrationTimeoutMs, 0))
      return "cannot reach a Statistics Server named \"" + serverName_ +
             "\": " + ResultCodeText(TBase::fwBaseGetLastError());
  }
  return RequestEvents();
}

std::string ServerFeed::RequestEvents() {
  for (auto entry = statsupport::begin(); entry != statsupport::end(); ++entry) {
    const auto eventId = static_cast<TStatisticsServer::enSvrPublicEvents>(entry->id);
    if (const unsigned short rc = proxy_.RequestEvent(eventId); rc != 0)
      return std::string("RequestEvent(") + entry->eventName + ") failed: " + ResultCodeText(rc);
    // The first answer already tells that the server is back.
    lastAnswer_ = Ticks(Clock::now());
    if (refreshRate_ && statsim::IsCumulative(entry->id)) {
      const auto rate = static_cast<TStatisticsServer::enCumulativeRefreshRate>(*refreshRate_);
      if (const unsigned short rc = proxy_.SetCumulativeRefreshRate(eventId, rate); rc != 0)
        return std::string("SetCumulativeRefreshRate(") + entry->eventName +
               ") failed: " + ResultCodeText(rc);
    }
  }
  return {};
}

} // namespace statexport
