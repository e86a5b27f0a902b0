// TMemory: the framework's memory accounting.
//
// Request buffers come from GetSomeMemory and go back through FreeSomeMemory. Event records
// are allocated with the tracked operator new below, registered with MemReg and released with
// MemFree, the record's destructor and the tracked operator delete.
//
// Tracing (off by default) keeps a registry of where each registered block came from; the
// count of live registrations is kept whether tracing is on or not. While tracing is on,
// callers bracket registrations and releases with LockIt/UnlockIt, one process-wide mutex.
//
// The fault plan lets tests (the project's and its users') make the accounting fail on
// purpose; it is process-wide and meant for single-threaded tests.
#ifndef STATCLIENT_PLATFORM_FRAMEWORK_TMEMORY_H_
#define STATCLIENT_PLATFORM_FRAMEWORK_TMEMORY_H_

#include <cstddef>
#include <string>
#include <vector>

class TMemory {
public:
  // A buffer of `size` bytes, or null when none can be had (or the fault plan says so).
  static void *GetSomeMemory(unsigned long size, unsigned short line, const char *file);
  // Releases a buffer from GetSomeMemory; null is ignored. `flags` is reserved (pass 0).
  static void FreeSomeMemory(void *buffer, unsigned short line, const char *file, int flags);

  static bool GetTrace();
  static void SetTrace(bool on);
  static void LockIt();
  static void UnlockIt();

  // Registers a live block of `size` bytes. Never throws.
  static void MemReg(unsigned short line, const char *file, const void *block, unsigned long size);
  // Removes a registration. Throws TBaseException only when the fault plan says so, and then
  // after the registration is removed.
  static void MemFree(unsigned short line, const char *file, const void *block);

  // Blocks registered with MemReg and not yet released with MemFree.
  static std::size_t LiveRegistrations();
  // Where each live block was registered ("file:line"), for blocks registered while tracing.
  static std::vector<std::string> TracedRegistrations();

  // After that many further successful calls, the next call fails once: GetSomeMemory returns
  // null, the tracked operator new yields null, MemFree throws. -1 never fails. Setting a plan
  // replaces the previous one, spent or not.
  struct FaultPlan {
    long getSomeMemoryAfter = -1;
    long trackedNewAfter = -1;
    long memFreeThrowsAfter = -1;
  };
  static void SetFaultPlan(const FaultPlan &plan);

  // Used by the tracked operator new; true when this call is to fail.
  static bool TrackedNewShouldFail();
};

// The tracked allocation: yields null (never throws) when no storage is had, so a
// new-expression through it skips the constructor and gives null. Release storage from it
// with the matching operator delete below, called explicitly after the destructor.
void *operator new(std::size_t size, unsigned short line, const char *file,
                   const void *reserved) noexcept;
void operator delete(void *block, unsigned short line, const char *file,
                     const void *reserved) noexcept;

#endif // STATCLIENT_PLATFORM_FRAMEWORK_TMEMORY_H_
