#include "statsim/Simulator.h"

#include <statsupport/EventTable.h>

#include "statsim/EventPublisher.h"

namespace statsim {

namespace {

constexpr int kVersion = 11;
constexpr int kRelease = 0;
constexpr unsigned short kContactLogUpdate = 3;

TRpcReply Answer(long code) { return TRpcReply{true, 0, code, {}}; }

// A reply whose body `fill` packs.
template <typename Fill> TRpcReply Reply(Fill fill) {
  TPack pack(1);
  fill(pack);
  const auto *start = static_cast<const unsigned char *>(static_cast<void *>(pack));
  return TRpcReply{true, 0, 0, std::vector<unsigned char>(start, start + pack.Length())};
}

TRpcReply ReplyHeaderOnly() {
  return Reply([](TPack &pack) { pack << TMsgReplyHdr(0, 0); });
}

} // namespace

Simulator::Simulator(std::string serverName, std::uint32_t seed)
    : TKIVOServerBase(kVersion, kRelease), serverName_(std::move(serverName)), model_(seed) {
  Serve(serverName_);
}

Simulator::~Simulator() {
  Stop();
  UnbindServer(serverName_);
}

TRpcReply Simulator::onProcessMsg(const TMsgRequestHdr &header, TPack &body,
                                  const TRpcRequest &request) {
  try {
    switch (header.GetObject()) {
    case 1:
      return ErrorRecord(body);
    case 2:
      return ContactLog(header.GetAction(), body);
    case 3:
      return ContactDetail(body, request.replyFlag != 0);
    case 4:
      return RequestEvent(body);
    case 5:
      return RefreshRate(body);
    default:
      return Answer(kUnknownObject);
    }
  } catch (const TPackError &) {
    return Answer(kUndecodableBody);
  }
}

TRpcReply Simulator::ErrorRecord(TPack &body) {
  TErrorRecord record;
  body >> record;
  std::lock_guard<std::mutex> lock(mutex_);
  errorRecords_.Keep(record);
  return ReplyHeaderOnly();
}

TRpcReply Simulator::ContactLog(unsigned short action, TPack &body) {
  if (action > kContactLogUpdate)
    return Answer(kUnknownObject);
  if (action == kContactLogUpdate) {
    TEventDataUpdateContactLog update;
    body >> update;
    long key = 0;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      ++contactLogUpdates_;
      key = nextRecordKey_++;
    }
    return Reply([key](TPack &pack) { pack << key << TMsgReplyHdr(0, 0); });
  }
  TEventDataContactLog entry;
  body >> entry;
  std::lock_guard<std::mutex> lock(mutex_);
  contactLogRequests_.Keep(entry);
  return ReplyHeaderOnly();
}

TRpcReply Simulator::ContactDetail(TPack &body, bool replyWanted) {
  TContactDetail detail;
  body >> detail;
  if (!replyWanted)
    return ReplyHeaderOnly();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const SimQueue &queue = model_.Queues().front();
    detail.SetQueueKey(queue.key);
    detail.SetContactWaitTime(queue.Waiting());
    detail.SetAssignedAgentKey(model_.Users().front().key);
    detail.SetDescription("simulated contact");
  }
  return Reply([&detail](TPack &pack) { pack << TMsgReplyHdr(0, 0) << detail; });
}

TRpcReply Simulator::RequestEvent(TPack &body) {
  int eventId = 0;
  std::string clientName;
  body >> eventId >> clientName;
  bool includeLoggedOff = false;
  if (eventId == TStatisticsServer::USERREALTIMEEVENT)
    body >> includeLoggedOff;
  if (statsupport::FindById(eventId) == nullptr)
    return Answer(kUnservedEvent);
  std::lock_guard<std::mutex> lock(mutex_);
  subscriptions_[eventId] = includeLoggedOff;
  return ReplyHeaderOnly();
}

TRpcReply Simulator::RefreshRate(TPack &body) {
  int eventId = 0;
  int rate = 0;
  body >> eventId >> rate;
  if (!IsCumulative(eventId) || statsupport::FindById(eventId) == nullptr)
    return Answer(kUnservedEvent);
  if (rate <= 0)
    return Answer(kUndecodableBody);
  std::lock_guard<std::mutex> lock(mutex_);
  refreshTicks_[eventId] = rate;
  return ReplyHeaderOnly();
}

int Simulator::Tick() {
  std::vector<TEvent> events;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const bool changed = model_.Advance();
    const long step = model_.Step();
    for (const auto &[eventId, includeLoggedOff] : subscriptions_) {
      if (IsCumulative(eventId)) {
        const auto rate = refreshTicks_.find(eventId);
        const long every = rate == refreshTicks_.end() ? kDefaultRefreshTicks : rate->second;
        if (step % every != 0)
          continue;
      } else if (!changed) {
        continue;
      }
      events.emplace_back(static_cast<unsigned short>(eventId),
                          PackEvent(eventId, model_, includeLoggedOff));
    }
  }
  for (const TEvent &event : events)
    PublishEvent(serverName_, event);
  return static_cast<int>(events.size());
}

void Simulator::Start(std::chrono::milliseconds interval) {
  Stop();
  std::lock_guard<std::mutex> lock(runMutex_);
  running_ = true;
  runner_ = std::thread([this, interval] {
    std::unique_lock<std::mutex> wait(runMutex_);
    while (!runWake_.wait_for(wait, interval, [this] { return !running_; })) {
      wait.unlock();
      Tick();
      wait.lock();
    }
  });
}

void Simulator::Stop() {
  {
    std::lock_guard<std::mutex> lock(runMutex_);
    running_ = false;
  }
  runWake_.notify_all();
  if (runner_.joinable())
    runner_.join();
}

std::vector<TErrorRecord> Simulator::ErrorRecords() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return errorRecords_.Copy();
}

long Simulator::ErrorRecordsDropped() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return errorRecords_.Dropped();
}

std::vector<TEventDataContactLog> Simulator::ContactLogRequests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return contactLogRequests_.Copy();
}

long Simulator::ContactLogRequestsDropped() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return contactLogRequests_.Dropped();
}

std::vector<int> Simulator::SubscribedEvents() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<int> ids;
  for (const auto &entry : subscriptions_)
    ids.push_back(entry.first);
  return ids;
}

long Simulator::ContactLogUpdates() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return contactLogUpdates_;
}

} // namespace statsim
