// How an event's records are allocated, registered and released.
//
// Every record an event owns comes from the framework's tracked operator new and is registered
// with TMemory::MemReg under the family's source name and a line; it goes back through MemFree
// and the tracked operator delete. Registration and release hold the memory-trace lock, and
// only while tracing is on, so that an application that does not trace pays no lock.
#ifndef STATCLIENT_CORE_EVENTOWNERSHIP_H_
#define STATCLIENT_CORE_EVENTOWNERSHIP_H_

#include <optional>

#include "framework/TBaseException.h"
#include "framework/TCompiler.h"
#include "framework/TDiag.h"
#include "framework/TMemory.h"

namespace statcore {

// Where an operation is: the family's source name and the line in it.
struct Site {
  const char *file;
  unsigned short line;
};

// The framework's memory-trace lock, held only while tracing is on; released on every exit.
class TraceLock {
public:
  TraceLock() : held_(TMemory::GetTrace()) {
    if (held_)
      TMemory::LockIt();
  }
  ~TraceLock() {
    if (held_)
      TMemory::UnlockIt();
  }
  TraceLock(const TraceLock &) = delete;
  TraceLock &operator=(const TraceLock &) = delete;

private:
  bool held_;
};

// Tells the framework that a record could not be had: a TBaseException built under the trace
// lock and dropped after it is released, never thrown. Kept out of line, off the path of every
// record that is had.
STATCLIENT_COLD STATCLIENT_NOINLINE inline void ReportNoStorage(Site at) {
  std::optional<TBaseException> noStorage;
  {
    TraceLock lock;
    noStorage.emplace(2, 1001, at.file, at.line, 4384, 0);
  }
}

// A new default-constructed record from the tracked allocation, registered with the memory
// accounting; or null when no storage was had (see ReportNoStorage). A throwing constructor
// hands the storage back to the tracked operator delete and the exception passes on.
template <class R> R *NewRecord(Site at) {
  R *record = new (at.line, at.file, nullptr) R();
  if (!record) {
    ReportNoStorage(at);
    return nullptr;
  }
  TraceLock lock;
  TMemory::MemReg(at.line, at.file, record, sizeof(R));
  return record;
}

// Destroys a record from NewRecord and gives its registration and storage back. The storage
// is freed and the lock released even when MemFree throws; the exception then passes on.
template <class R> void DeleteRecord(R *record, Site at) {
  struct Storage {
    void *block;
    Site at;
    ~Storage() { operator delete(block, at.line, at.file, nullptr); }
  };
  record->~R();
  TraceLock lock;
  Storage storage{record, at};
  TMemory::MemFree(at.line, at.file, record);
}

// Releases a record not yet handed to a list when it goes out of scope; nothing leaves it.
template <class R> class PendingRecord {
public:
  PendingRecord(R *record, Site at) : record_(record), at_(at) {}
  ~PendingRecord() {
    if (!record_)
      return;
    try {
      DeleteRecord(record_, at_);
    } catch (...) {
      // Already on an error path; the record is gone either way.
    }
  }
  PendingRecord(const PendingRecord &) = delete;
  PendingRecord &operator=(const PendingRecord &) = delete;
  R *HandOver() {
    R *record = record_;
    record_ = nullptr;
    return record;
  }

private:
  R *record_;
  Site at_;
};

// Runs `body`; whatever it throws is caught and `failure` is written to the diagnostic log
// with category SEVR, the line and the file of `at`. Nothing leaves it, not even a failing log.
template <class Body> void Guarded(Site at, const char *failure, Body &&body) noexcept {
  try {
    body();
  } catch (...) {
    try {
      Diag(TDiag::SEVR, at.line, at.file, "%s", failure);
    } catch (...) {
      // The log failed too; the caller goes on all the same.
    }
  }
}

} // namespace statcore

#endif // STATCLIENT_CORE_EVENTOWNERSHIP_H_
