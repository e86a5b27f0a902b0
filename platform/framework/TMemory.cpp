#include "framework/TMemory.h"

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <new>
#include <unordered_map>

#include "framework/TBaseException.h"

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

Accounting &State() {
  static Accounting state;
  return state;
}

std::atomic<bool> traceOn{false};
std::atomic<long> liveRegistrations{0};

// One countdown per fault: -1 never fires; otherwise the number of calls still to succeed.
std::atomic<long> getSomeMemoryCountdown{-1};
std::atomic<long> trackedNewCountdown{-1};
std::atomic<long> memFreeCountdown{-1};

bool FaultFires(std::atomic<long> &countdown) {
  long left = countdown.load();
  while (left >= 0) {
    if (countdown.compare_exchange_weak(left, left - 1))
      return left == 0;
  }
  return false;
}

} // namespace

void *TMemory::GetSomeMemory(unsigned long size, unsigned short, const char *) {
  if (FaultFires(getSomeMemoryCountdown))
    return nullptr;
  return std::malloc(size ? size : 1);
}

void TMemory::FreeSomeMemory(void *buffer, unsigned short, const char *, int) { std::free(buffer); }

bool TMemory::GetTrace() { return traceOn.load(); }
void TMemory::SetTrace(bool on) { traceOn.store(on); }
void TMemory::LockIt() { TraceLock().lock(); }
void TMemory::UnlockIt() { TraceLock().unlock(); }

void TMemory::MemReg(unsigned short line, const char *file, const void *block, unsigned long) {
  liveRegistrations.fetch_add(1);
  if (!traceOn.load())
    return;
  try {
    std::lock_guard<std::mutex> lock(State().lock);
    State().traced[block] = std::string(file ? file : "?") + ":" + std::to_string(line);
  } catch (...) {
    // The registry is diagnostic only; without memory for it the count still holds.
  }
}

void TMemory::MemFree(unsigned short line, const char *file, const void *block) {
  if (liveRegistrations.load() > 0)
    liveRegistrations.fetch_sub(1);
  {
    std::lock_guard<std::mutex> lock(State().lock);
    State().traced.erase(block);
  }
  if (FaultFires(memFreeCountdown))
    throw TBaseException(2, 1002, file, line, 0, 0);
}

std::size_t TMemory::LiveRegistrations() {
  return static_cast<std::size_t>(liveRegistrations.load());
}

std::vector<std::string> TMemory::TracedRegistrations() {
  std::lock_guard<std::mutex> lock(State().lock);
  std::vector<std::string> where;
  for (const auto &entry : State().traced)
    where.push_back(entry.second);
  return where;
}

void TMemory::SetFaultPlan(const FaultPlan &plan) {
  getSomeMemoryCountdown.store(plan.getSomeMemoryAfter);
  trackedNewCountdown.store(plan.trackedNewAfter);
  memFreeCountdown.store(plan.memFreeThrowsAfter);
}

bool TMemory::TrackedNewShouldFail() { return FaultFires(trackedNewCountdown); }


void *operator new(std::size_t size, unsigned short, const char *, const void *) noexcept {
  if (TMemory::TrackedNewShouldFail())
    return nullptr;
  return std::malloc(size ? size : 1);
}

void operator delete(void *block, unsigned short, const char *, const void *) noexcept {
  std::free(block);
}
