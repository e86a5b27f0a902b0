// ContactCenterModel: a small contact center whose state moves one step per Advance().
//
// Users move between presence states and log on and off; contacts arrive on queues, wait, are
// answered or abandoned; unanswered contacts may leave a callback. The same seed always gives
// the same sequence of states (the generator's raw output is used, never a distribution whose
// results differ between standard libraries). Not thread-safe: the owner serialises calls.
#ifndef STATCLIENT_TOOLS_SIM_CONTACTCENTERMODEL_H_
#define STATCLIENT_TOOLS_SIM_CONTACTCENTERMODEL_H_

#include <cstdint>
#include <deque>
#include <random>
#include <vector>

namespace statsim {

struct SimUser {
  long key = 0;
  long group = 0;
  bool loggedOn = false;
  int presence = 0;    // 0 idle, 1 busy, 2 away
  long stateSince = 0; // the step at which the user last changed state
};

// A queue's figures since the model began (its one shift). Contacts are answered and abandon in
// the order they arrived.
struct SimQueue {
  long key = 0;
  std::deque<long> arrivals; // the step at which each waiting contact arrived, oldest first
  long received = 0;
  long answered = 0;
  long answeredInTarget = 0; // answered at most kServiceTargetSteps after arriving
  long abandoned = 0;

  long Waiting() const { return static_cast<long>(arrivals.size()); }
};

class ContactCenterModel {
public:
  static constexpr int kGroups = 2;
  // The service level counts the contacts answered within this many steps (a step stands for
  // a second of the center's time).
  static constexpr long kServiceTargetSteps = 20;

  explicit ContactCenterModel(std::uint32_t seed);

  // One simulated step. Returns true when anything changed.
  bool Advance();

  const std::vector<SimUser> &Users() const { return users_; }
  const std::vector<SimQueue> &Queues() const { return queues_; }
  long Callbacks() const { return callbacks_; }
  long Step() const { return step_; }

  // Users of `group` in `presence`, counting only logged-on users.
  long CountUsers(long group, int presence) const;
  long LoggedOn(long group) const;

private:
  std::uint32_t Roll(std::uint32_t sides) { return static_cast<std::uint32_t>(engine_() % sides); }

  std::mt19937 engine_;
  std::vector<SimUser> users_;
  std::vector<SimQueue> queues_;
  long callbacks_ = 0;
  long step_ = 0;
};

} // namespace statsim

#endif // STATCLIENT_TOOLS_SIM_CONTACTCENTERMODEL_H_
