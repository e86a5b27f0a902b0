// The tracked allocation's per-thread size classes, the per-thread count of registrations and
// the trace registry.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "framework/TMemory.h"
#include "framework/TTrackedBlocksInternal.h"

namespace {

constexpr const char *kFile = "tracked_memory_test";

// Sizes of each class boundary, of a typical record, and of blocks too large for any class.
const std::vector<std::size_t> kSizes = {0, 1, 15, 16, 17, 48, 168, 1000, 2032, 2033, 5000};

// Each block, taken and given back on one thread, is taken again from its class; the blocks are
// then given back on another thread, which takes one that the main thread gives back after
// that thread's lists are gone.
TEST(TrackedBlocks, BlocksAreAlignedWritableReusedWithinTheirClassAndCrossThreads) {
  std::vector<void *> blocks;
  for (std::size_t size : kSizes) {
    SCOPED_TRACE("size " + std::to_string(size));
    void *block = TrackedBlocks::Take(size);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 16, 0u);
    std::memset(block, 0xab, size);
    const std::size_t cachedBefore = TrackedBlocks::CachedOnThisThread();
    TrackedBlocks::Give(block);
    const bool kept = TrackedBlocks::CachedOnThisThread() == cachedBefore + 1;
    blocks.push_back(TrackedBlocks::Take(size));
    if (kept) {
      EXPECT_EQ(blocks.back(), block);
    }
    if (size > 2032) {
      EXPECT_FALSE(kept) << "blocks past the largest class go back to the heap";
    }
  }
  TrackedBlocks::Give(nullptr);
  std::thread releaser([&] {
    for (void *block : blocks)
      TrackedBlocks::Give(block);
    blocks.assign(1, TrackedBlocks::Take(168));
  });
  releaser.join();
  TrackedBlocks::Give(blocks.front());
}

TEST(Registrations, CountAddsUpAcrossThreadsAndIgnoresReleasesOfNothing) {
  ASSERT_EQ(TMemory::LiveRegistrations(), 0u);
  int blocks[4];
  TMemory::MemFree(1, kFile, &blocks[0]);
  EXPECT_EQ(TMemory::LiveRegistrations(), 0u) << "a release with nothing registered counts";

  std::thread registrar([&] {
    for (int &block : blocks)
      TMemory::MemReg(1, kFile, &block, sizeof block);
  });
  registrar.join();
  EXPECT_EQ(TMemory::LiveRegistrations(), 4u) << "an ended thread's registrations are lost";

  for (int &block : blocks)
    TMemory::MemFree(1, kFile, &block);
  EXPECT_EQ(TMemory::LiveRegistrations(), 0u);
  TMemory::MemFree(1, kFile, &blocks[0]);
  TMemory::MemReg(1, kFile, &blocks[0], sizeof blocks[0]);
  EXPECT_EQ(TMemory::LiveRegistrations(), 1u);
  TMemory::MemFree(1, kFile, &blocks[0]);
  EXPECT_EQ(TMemory::LiveRegistrations(), 0u);
}

TEST(Registrations, TraceRegistryForgetsBlocksReleasedAfterTracingStopped) {
  int traced = 0, untraced = 0;
  TMemory::SetTrace(true);
  TMemory::MemReg(42, kFile, &traced, sizeof traced);
  TMemory::SetTrace(false);
  TMemory::MemReg(43, kFile, &untraced, sizeof untraced);
  const std::vector<std::string> where = TMemory::TracedRegistrations();
  EXPECT_EQ(std::count(where.begin(), where.end(), std::string(kFile) + ":42"), 1);
  EXPECT_EQ(std::count(where.begin(), where.end(), std::string(kFile) + ":43"), 0);

  TMemory::MemFree(44, kFile, &untraced);
  TMemory::MemFree(45, kFile, &traced);
  EXPECT_TRUE(TMemory::TracedRegistrations().empty());
}

} // namespace
