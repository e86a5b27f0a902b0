#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "framework/TCompiler.h"
#include "framework/TFaultPlanInternal.h"
#include "framework/TMemory.h"
#include "framework/TTrackedBlocksInternal.h"

// The tracked allocation: a planned failure, or a block of the size classes.
void *operator new(std::size_t size, unsigned short, const char *, const void *) noexcept {
  if (Faults::trackedNew.Planned() && TMemory::TrackedNewShouldFail())
    return nullptr;
  return TrackedBlocks::Take(size);
}

void operator delete(void *block, unsigned short, const char *, const void *) noexcept {
  TrackedBlocks::Give(block);
}

#if STATCLIENT_ADDRESS_SANITIZER

void *TrackedBlocks::Take(std::size_t size) noexcept { return std::malloc(size ? size : 1); }
void TrackedBlocks::Give(void *block) noexcept { std::free(block); }
std::size_t TrackedBlocks::CachedOnThisThread() noexcept { return 0; }

#else

namespace {

// Class c holds blocks of (c + 1) * kGranule bytes, the header included.
constexpr std::size_t kHeader = 16;
constexpr std::size_t kGranule = 32;
constexpr std::size_t kClasses = (TrackedBlocks::kLargestClassBytes + kHeader) / kGranule;
constexpr std::size_t kCachedBytesPerClass = std::size_t{4} << 20;
constexpr std::uint32_t kUncached = ~std::uint32_t{0};

struct alignas(kHeader) Header {
  std::uint32_t sizeClass;
};
static_assert(sizeof(Header) == kHeader);

// A class's free blocks as a stack of pointers, so that neither taking nor keeping a block
// reads or writes the block itself: the records of a payload are taken without a chain of
// loads from one block to the next. The stack grows on demand up to its bound,
// kCachedBytesPerClass worth of blocks.
struct ClassList {
  void **slots = nullptr;
  std::uint32_t count = 0;
  std::uint32_t capacity = 0;
};

struct ThreadLists {
  ClassList classes[kClasses];
};

constexpr std::size_t BoundOf(std::size_t sizeClass) {
  return kCachedBytesPerClass / ((sizeClass + 1) * kGranule);
}

// The calling thread's lists, made at its first release, and whether they went back to the
// heap because the thread is ending (blocks released later go there too). Plain pointers in
// the initial-exec model: reaching them is one load, with no call and no initialisation check.
thread_local STATCLIENT_INITIAL_EXEC_TLS ThreadLists *lists = nullptr;
thread_local STATCLIENT_INITIAL_EXEC_TLS bool listsEnded = false;

// Gives the thread's lists back to the heap when the thread ends.
struct Reaper {
  Reaper() = default;
  Reaper(const Reaper &) = delete;
  Reaper &operator=(const Reaper &) = delete;
  ~Reaper() {
    listsEnded = true;
    for (ClassList &list : lists->classes) {
      for (std::uint32_t i = 0; i < list.count; ++i)
        std::free(static_cast<Header *>(list.slots[i]) - 1);
      std::free(list.slots);
    }
    std::free(lists);
    lists = nullptr;
  }
};

// The thread's lists, made (with the reaper that frees them) on first use; null when the heap
// has no room for them, and the block is then simply freed.
ThreadLists *MakeLists() {
  void *storage = std::calloc(1, sizeof(ThreadLists));
  if (!storage)
    return nullptr;
  lists = static_cast<ThreadLists *>(storage);
  thread_local Reaper reaper;
  return lists;
}

std::uint32_t ClassOf(std::size_t size) {
  if (size > TrackedBlocks::kLargestClassBytes)
    return kUncached;
  return static_cast<std::uint32_t>((size + kHeader - 1) / kGranule);
}

STATCLIENT_NOINLINE void *TakeFromHeap(std::size_t size, std::uint32_t sizeClass) noexcept {
  const std::size_t bytes = sizeClass == kUncached ? kHeader + size : (sizeClass + 1) * kGranule;
  auto *header = static_cast<Header *>(std::malloc(bytes));
  if (!header)
    return nullptr;
  header->sizeClass = sizeClass;
  return header + 1;
}

// Doubles the list's stack, up to its bound; false when it is at the bound or the heap has no
// room for a larger one.
bool Grow(ClassList &list, std::uint32_t sizeClass) {
  const std::size_t bound = BoundOf(sizeClass);
  if (list.capacity >= bound)
    return false;
  const std::size_t capacity = list.capacity == 0
                                   ? std::min<std::size_t>(64, bound)
                                   : std::min<std::size_t>(2 * std::size_t{list.capacity}, bound);
  void *grown = std::realloc(list.slots, capacity * sizeof(void *));
  if (!grown)
    return false;
  list.slots = static_cast<void **>(grown);
  list.capacity = static_cast<std::uint32_t>(capacity);
  return true;
}

// A block the thread's list could not take at once: the first release on this thread makes
// the lists and a full stack grows up to its bound; a block of no class, a list at its bound
// or a thread that is ending send it to the heap.
STATCLIENT_NOINLINE void GiveElsewhere(void *block, std::uint32_t sizeClass) noexcept {
  ThreadLists *mine = lists;
  if (sizeClass != kUncached && !listsEnded && (mine || (mine = MakeLists()))) {
    ClassList &list = mine->classes[sizeClass];
    if (list.count < list.capacity || Grow(list, sizeClass)) {
      list.slots[list.count++] = block;
      return;
    }
  }
  std::free(static_cast<Header *>(block) - 1);
}

} // namespace

void *TrackedBlocks::Take(std::size_t size) noexcept {
  const std::uint32_t sizeClass = ClassOf(size);
  ThreadLists *mine = lists;
  if (sizeClass != kUncached && mine) {
    ClassList &list = mine->classes[sizeClass];
    if (list.count != 0)
      return list.slots[--list.count];
  }
  return TakeFromHeap(size, sizeClass);
}

void TrackedBlocks::Give(void *block) noexcept {
  if (!block)
    return;
  const std::uint32_t sizeClass = (static_cast<Header *>(block) - 1)->sizeClass;
  ThreadLists *mine = lists;
  if (sizeClass != kUncached && mine) {
    ClassList &list = mine->classes[sizeClass];
    if (list.count < list.capacity) {
      list.slots[list.count++] = block;
      return;
    }
  }
  GiveElsewhere(block, sizeClass);
}

std::size_t TrackedBlocks::CachedOnThisThread() noexcept {
  if (!lists)
    return 0;
  std::size_t cached = 0;
  for (const ClassList &list : lists->classes)
    cached += list.count;
  return cached;
}

#endif
