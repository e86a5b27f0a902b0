#include "framework/TMemory.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>

#include "framework/TBaseException.h"
#include "framework/TCompiler.h"
#include "framework/TFaultPlanInternal.h"

namespace {

std::mutex &TraceLock() {
  static std::mutex lock;
  return lock;
}

// The accounting's own bookkeeping, apart from the trace lock that callers hold.
struct Accounting {
  std::mutex lock;
  std::unordered_map<const void *, std::string> traced;
};

// Mirrors Accounting::traced.size(), so that a release finds an empty registry without the
// lock: blocks registered while tracing was off are never in it. Constant-initialised, so
// reading it costs no initialisation check.
std::atomic<std::size_t> tracedCount{0};

Accounting &State() {
  static Accounting state;
  return state;
}

std::atomic<bool> traceOn{false};

// The count of live registrations, kept so that registering and releasing take no locked
// instruction: each thread counts in a counter that only it writes, and the count is the sum
// of every thread's counter and of what the threads that ended left. A release on a thread
// whose own counter is 0 goes through the lock and counts only when the whole count is above
// 0, so that releasing what nobody registered leaves the count as it was.
struct ThreadCounter {
  std::atomic<long> live{0};
};

// The one step of a thread's own counter, for registrations (+1) and releases (-1) alike: a
// plain load and store, since no other thread writes it.
inline void Step(ThreadCounter &mine, long by) {
  mine.live.store(mine.live.load(std::memory_order_relaxed) + by, std::memory_order_relaxed);
}

struct Counters {
  std::mutex lock;
  std::vector<ThreadCounter *> threads;
  long ended = 0;

  long TotalLocked() const {
    long total = ended;
    for (const ThreadCounter *counter : threads)
      total += counter->live.load(std::memory_order_relaxed);
    return total;
  }
};

Counters &AllCounters() {
  static Counters counters;
  return counters;
}

// The calling thread's counter, made and listed at its first registration or release, and
// whether it was folded into Counters::ended because the thread is ending (its registrations
// and releases from then on count there directly). Plain thread-local pointers in the
// initial-exec model: reaching them is one load, with no call and no initialisation check.
thread_local STATCLIENT_INITIAL_EXEC_TLS ThreadCounter *counter = nullptr;
thread_local STATCLIENT_INITIAL_EXEC_TLS bool counterEnded = false;

// Folds the thread's counter into Counters::ended when the thread ends.
struct CounterReaper {
  CounterReaper() = default;
  CounterReaper(const CounterReaper &) = delete;
  CounterReaper &operator=(const CounterReaper &) = delete;
  ~CounterReaper() {
    Counters &counters = AllCounters();
    std::lock_guard<std::mutex> lock(counters.lock);
    counters.ended += counter->live.load(std::memory_order_relaxed);
    counters.threads.erase(std::find(counters.threads.begin(), counters.threads.end(), counter));
    delete counter;
    counter = nullptr;
    counterEnded = true;
  }
};

// Makes the thread's counter; null when the thread is ending or no memory was had for it: the
// caller then counts in Counters::ended under the lock.
STATCLIENT_NOINLINE ThreadCounter *MakeThisThreadsCounter() {
  if (counterEnded)
    return nullptr;
  try {
    auto made = std::make_unique<ThreadCounter>();
    Counters &counters = AllCounters();
    std::lock_guard<std::mutex> lock(counters.lock);
    counters.threads.push_back(made.get());
    counter = made.release();
  } catch (...) {
    return nullptr;
  }
  thread_local CounterReaper reaper;
  return counter;
}

inline ThreadCounter *ThisThreadsCounter() { return counter ? counter : MakeThisThreadsCounter(); }

void CountRegistration() {
  if (ThreadCounter *mine = ThisThreadsCounter()) {
    Step(*mine, +1);
    return;
  }
  std::lock_guard<std::mutex> lock(AllCounters().lock);
  ++AllCounters().ended;
}

void CountRelease() {
  ThreadCounter *mine = ThisThreadsCounter();
  const long own = mine ? mine->live.load(std::memory_order_relaxed) : 0;
  if (own > 0) {
    Step(*mine, -1);
    return;
  }
  Counters &counters = AllCounters();
  std::lock_guard<std::mutex> lock(counters.lock);
  if (counters.TotalLocked() <= 0)
    return;
  if (mine)
    Step(*mine, -1);
  else
    --counters.ended;
}

} // namespace

void *TMemory::GetSomeMemory(unsigned long size, unsigned short, const char *) {
  if (Faults::getSomeMemory.Fires())
    return nullptr;
  return std::malloc(size ? size : 1);
}

void TMemory::FreeSomeMemory(void *buffer, unsigned short, const char *, int) { std::free(buffer); }

bool TMemory::GetTrace() { return traceOn.load(); }
void TMemory::SetTrace(bool on) { traceOn.store(on); }
void TMemory::LockIt() { TraceLock().lock(); }
void TMemory::UnlockIt() { TraceLock().unlock(); }

namespace {

// Registration and release as the accounting defines them, whatever the state: the paths
// taken when the fast ones below do not apply.
STATCLIENT_NOINLINE void RegisterFully(unsigned short line, const char *file, const void *block) {
  CountRegistration();
  if (!traceOn.load(std::memory_order_relaxed))
    return;
  try {
    Accounting &state = State();
    std::lock_guard<std::mutex> lock(state.lock);
    state.traced[block] = std::string(file ? file : "?") + ":" + std::to_string(line);
    tracedCount.store(state.traced.size(), std::memory_order_relaxed);
  } catch (...) {
    // The registry is diagnostic only; without memory for it the count still holds.
  }
}

STATCLIENT_NOINLINE void ReleaseFully(unsigned short line, const char *file, const void *block) {
  CountRelease();
  if (tracedCount.load(std::memory_order_relaxed) != 0) {
    Accounting &state = State();
    std::lock_guard<std::mutex> lock(state.lock);
    state.traced.erase(block);
    tracedCount.store(state.traced.size(), std::memory_order_relaxed);
  }
  if (Faults::memFree.Fires())
    throw TBaseException(2, 1002, file, line, 0, 0);
}

} // namespace

// The common case of each, a few loads and a store: a thread with its counter, no tracing, no
// traced blocks, no fault planned.
void TMemory::MemReg(unsigned short line, const char *file, const void *block, unsigned long) {
  ThreadCounter *mine = counter;
  if (mine && !traceOn.load(std::memory_order_relaxed)) {
    Step(*mine, +1);
    return;
  }
  RegisterFully(line, file, block);
}

void TMemory::MemFree(unsigned short line, const char *file, const void *block) {
  ThreadCounter *mine = counter;
  if (mine) {
    if (mine->live.load(std::memory_order_relaxed) > 0 &&
        tracedCount.load(std::memory_order_relaxed) == 0 && !Faults::memFree.Planned()) {
      Step(*mine, -1);
      return;
    }
  }
  ReleaseFully(line, file, block);
}

std::size_t TMemory::LiveRegistrations() {
  Counters &counters = AllCounters();
  std::lock_guard<std::mutex> lock(counters.lock);
  return static_cast<std::size_t>(std::max(counters.TotalLocked(), 0L));
}

std::vector<std::string> TMemory::TracedRegistrations() {
  std::lock_guard<std::mutex> lock(State().lock);
  std::vector<std::string> where;
  for (const auto &entry : State().traced)
    where.push_back(entry.second);
  return where;
}

void TMemory::SetFaultPlan(const FaultPlan &plan) {
  Faults::getSomeMemory.Set(plan.getSomeMemoryAfter);
  Faults::trackedNew.Set(plan.trackedNewAfter);
  Faults::memFree.Set(plan.memFreeThrowsAfter);
}

bool TMemory::TrackedNewShouldFail() { return Faults::trackedNew.Fires(); }
