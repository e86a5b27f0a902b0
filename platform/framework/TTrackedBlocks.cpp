#include <cstdint>
#include <cstdlib>

#include "framework/TTrackedBlocksInternal.h"

#if defined(__SANITIZE_ADDRESS__)
#define STATCLIENT_TRACKED_BLOCKS_FROM_HEAP 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define STATCLIENT_TRACKED_BLOCKS_FROM_HEAP 1
#endif
#endif

#ifdef STATCLIENT_TRACKED_BLOCKS_FROM_HEAP

void *TrackedBlocks::Take(std::size_t size) noexcept { return std::malloc(size ? size : 1); }
void TrackedBlocks::Give(void *block) noexcept { std::free(block); }
std::size_t TrackedBlocks::CachedOnThisThread() noexcept { return 0; }

#else

namespace {

// Class c holds blocks of (c + 1) * kGranule bytes, the header included.
constexpr std::size_t kHeader = 16;
constexpr std::size_t kGranule = 32;
constexpr std::size_t kClasses = 64;
constexpr std::size_t kCachedBytesPerClass = std::size_t{4} << 20;
constexpr std::uint32_t kUncached = ~std::uint32_t{0};

struct alignas(kHeader) Header {
  std::uint32_t sizeClass;
};
static_assert(sizeof(Header) == kHeader);

struct FreeBlock {
  FreeBlock *next;
};

struct ClassList {
  FreeBlock *head = nullptr;
  std::size_t count = 0;
};

struct ThreadLists {
  ClassList classes[kClasses];
};

// The calling thread's lists, made at its first release, and whether they went back to the
// heap because the thread is ending (blocks released later go there too). Plain pointers in
// the initial-exec model: reaching them is one load, with no call and no initialisation check.
#define STATCLIENT_THREAD_SLOT thread_local __attribute__((tls_model("initial-exec")))
STATCLIENT_THREAD_SLOT ThreadLists *lists = nullptr;
STATCLIENT_THREAD_SLOT bool listsEnded = false;

// Gives the thread's lists back to the heap when the thread ends.
struct Reaper {
  Reaper() = default;
  Reaper(const Reaper &) = delete;
  Reaper &operator=(const Reaper &) = delete;
  ~Reaper() {
    listsEnded = true;
    for (ClassList &list : lists->classes) {
      while (FreeBlock *block = list.head) {
        list.head = block->next;
        std::free(reinterpret_cast<Header *>(block) - 1);
      }
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
  if (size > kClasses * kGranule - kHeader)
    return kUncached;
  return static_cast<std::uint32_t>((size + kHeader - 1) / kGranule);
}

// How many blocks of each class a thread keeps: kCachedBytesPerClass worth.
struct Bounds {
  std::size_t blocks[kClasses];
  constexpr Bounds() : blocks() {
    for (std::size_t c = 0; c < kClasses; ++c)
      blocks[c] = kCachedBytesPerClass / ((c + 1) * kGranule);
  }
};
constexpr Bounds kBounds;

} // namespace

void *TrackedBlocks::Take(std::size_t size) noexcept {
  const std::uint32_t sizeClass = ClassOf(size);
  if (sizeClass != kUncached && lists) {
    ClassList &list = lists->classes[sizeClass];
    if (FreeBlock *block = list.head) {
      list.head = block->next;
      --list.count;
      return block;
    }
  }
  const std::size_t bytes = sizeClass == kUncached ? kHeader + size : (sizeClass + 1) * kGranule;
  auto *header = static_cast<Header *>(std::malloc(bytes));
  if (!header)
    return nullptr;
  header->sizeClass = sizeClass;
  return header + 1;
}

void TrackedBlocks::Give(void *block) noexcept {
  if (!block)
    return;
  Header *header = static_cast<Header *>(block) - 1;
  const std::uint32_t sizeClass = header->sizeClass;
  ThreadLists *mine = lists;
  if (sizeClass != kUncached && !listsEnded && (mine || (mine = MakeLists()))) {
    ClassList &list = mine->classes[sizeClass];
    if (list.count < kBounds.blocks[sizeClass]) {
      auto *free = static_cast<FreeBlock *>(block);
      free->next = list.head;
      list.head = free;
      ++list.count;
      return;
    }
  }
  std::free(header);
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
