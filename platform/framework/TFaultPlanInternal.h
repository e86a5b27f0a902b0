// The fault plan's countdowns (TMemory::SetFaultPlan), one per call that a test can make fail,
// all here so that what can be made to fail, and how a countdown runs, is read in one place.
//
// A countdown holds -1 when no failure is planned, otherwise the number of calls still to
// succeed: the call that finds it at 0 fails, once, and the countdown is spent (-1 again).
// Planned() is one relaxed load, so a call checks for a plan at the cost of a load; Fires()
// counts one call down. Both are safe on any thread; a plan is meant for single-threaded tests.
#ifndef STATCLIENT_PLATFORM_FRAMEWORK_TFAULTPLANINTERNAL_H_
#define STATCLIENT_PLATFORM_FRAMEWORK_TFAULTPLANINTERNAL_H_

#include <atomic>

namespace Faults {

class Countdown {
public:
  constexpr Countdown() = default;
  Countdown(const Countdown &) = delete;
  Countdown &operator=(const Countdown &) = delete;

  void Set(long callsToSucceed) { left_.store(callsToSucceed); }
  bool Planned() const { return left_.load(std::memory_order_relaxed) >= 0; }
  // Counts this call; true when it is the one to fail.
  bool Fires() {
    long left = left_.load(std::memory_order_relaxed);
    while (left >= 0) {
      if (left_.compare_exchange_weak(left, left - 1))
        return left == 0;
    }
    return false;
  }

private:
  std::atomic<long> left_{-1};
};

// TMemory::GetSomeMemory returns null.
inline Countdown getSomeMemory;
// The tracked operator new yields null.
inline Countdown trackedNew;
// TMemory::MemFree throws, after removing the registration.
inline Countdown memFree;

} // namespace Faults

#endif // STATCLIENT_PLATFORM_FRAMEWORK_TFAULTPLANINTERNAL_H_
