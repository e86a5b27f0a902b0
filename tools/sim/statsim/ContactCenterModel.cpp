#include "statsim/ContactCenterModel.h"

namespace statsim {

namespace {
constexpr int kUsers = 6;
constexpr int kQueues = 2;
} // namespace

ContactCenterModel::ContactCenterModel(std::uint32_t seed) : engine_(seed) {
  for (int i = 0; i < kUsers; ++i)
    users_.push_back(SimUser{1000 + i, i % kGroups, i % 3 != 2, 0});
  for (int i = 0; i < kQueues; ++i)
    queues_.push_back(SimQueue{2000 + i, {}});
}

bool ContactCenterModel::Advance() {
  ++step_;
  for (SimUser &user : users_) {
    const SimUser before = user;
    if (Roll(10) == 0)
      user.loggedOn = !user.loggedOn;
    if (user.loggedOn && Roll(3) == 0)
      user.presence = static_cast<int>(Roll(3));
    if (user.loggedOn != before.loggedOn || user.presence != before.presence)
      user.stateSince = step_;
  }
  for (SimQueue &queue : queues_) {
    const long arrived = Roll(3);
    queue.received += arrived;
    queue.arrivals.insert(queue.arrivals.end(), static_cast<std::size_t>(arrived), step_);
    const long idle = CountUsers(queue.key % kGroups, 0);
    for (long answered = std::min(queue.Waiting(), idle); answered > 0; --answered) {
      queue.answeredInTarget += step_ - queue.arrivals.front() <= kServiceTargetSteps;
      queue.arrivals.pop_front();
      ++queue.answered;
    }
    if (queue.Waiting() > 0 && Roll(4) == 0) {
      queue.arrivals.pop_front();
      ++queue.abandoned;
      if (Roll(2) == 0)
        ++callbacks_;
    }
  }
  return true;
}

long ContactCenterModel::CountUsers(long group, int presence) const {
  long count = 0;
  for (const SimUser &user : users_)
    count += user.loggedOn && user.group == group && user.presence == presence;
  return count;
}

long ContactCenterModel::LoggedOn(long group) const {
  long count = 0;
  for (const SimUser &user : users_)
    count += user.loggedOn && user.group == group;
  return count;
}

} // namespace statsim
