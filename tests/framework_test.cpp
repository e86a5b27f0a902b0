// The framework stand-in's generic server, reply header, diagnostics, tracked blocks and count
// of registrations (run under ThreadSanitizer too); its transport is transport_zmq_test.cpp's
// and transport_stress_test.cpp's, its memory accounting's fault plan the event suites'
// (event_typed_test.cpp).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "framework/TCompiler.h"
#include "framework/TDiag.h"
#include "framework/TFramework.h"
#include "framework/TMemory.h"
#include "framework/TTrackedBlocksInternal.h"
#include "genericserver/TKIVOServerBase.h"
#include "genericserver/TMsgRequestHdr.h"
#include "support/DiagCapture.h"
#include "support/TestServer.h"

namespace {

// Dispatch by header and the version check are the simulator's (simulator_test.cpp).
struct AnsweringServer : TKIVOServerBase {
  AnsweringServer() : TKIVOServerBase(11, 0) {}
  TRpcReply onProcessMsg(const TMsgRequestHdr &, TPack &, const TRpcRequest &) override {
    return TRpcReply{true, 0, 7, {}};
  }
};

TEST(GenericServer, AnUnreadableHeaderIsRefusedBeforeTheServerSeesIt) {
  AnsweringServer server;
  server.Serve("GenericServer");
  TFramework caller("caller", "", 0);
  auto send = [&](std::vector<unsigned char> bytes) {
    TRPC rpc(5000, bytes.data(), static_cast<unsigned long>(bytes.size()), 1);
    EXPECT_TRUE(caller.SendRPC(rpc, "GenericServer", 1000, 0));
    return rpc.GetReturnCode();
  };
  EXPECT_EQ(send(PackedBytes([](TPack &p) { p << TMsgRequestHdr(11, 0, 3, 0); })), 7);
  EXPECT_EQ(send({11, 0, 0}), TKIVOServerBase::kBadRequest);
}

TEST(Headers, ShortReplyHeaderLeavesTheHeaderUnchanged) {
  TPack pack(1);
  pack << TMsgReplyHdr(5709, -77);
  TMsgReplyHdr reply;
  pack >> reply;
  unsigned char five[5] = {};
  TPack cut(five, sizeof five);
  EXPECT_THROW(cut >> reply, TPackError);
  EXPECT_EQ(reply.GetReturnCode(), 5709);
  EXPECT_EQ(reply.GetReturnValue(), -77);
  EXPECT_EQ(cut.Length(), 5u);
}

// The library's lines reach the sink in every request suite; these are the sink's own rules.
TEST(Diagnostics, LongLinesStayWholeAndTheDefaultSinkWritesOnlySevereOnes) {
  {
    DiagCapture diag;
    Diag(TDiag::FENX, 12, "unit", "%s and %ld", std::string(600, 'x').c_str(), 5L);
    const DiagLine line = diag.Lines().at(0);
    EXPECT_EQ(TDiag::CategoryName(line.category) + " " + line.file + ":" +
                  std::to_string(line.line) + " " + line.text,
              "FENX unit:12 " + std::string(600, 'x') + " and 5");
  }
  EXPECT_EQ(TDiag::CategoryName(static_cast<TDiag::enDiagType>(9)), "DIAG9");

  const TDiag::Sink previous = TDiag::SetSink(nullptr);
  ::testing::internal::CaptureStderr();
  Diag(TDiag::INFO, 1, "unit", "quiet");
  Diag(TDiag::SEVR, 2, "unit", "loud");
  const std::string err = ::testing::internal::GetCapturedStderr();
  TDiag::SetSink(previous);
  EXPECT_EQ(err.find("quiet"), std::string::npos);
  EXPECT_NE(err.find("SEVR unit(2): loud"), std::string::npos);
}

constexpr const char *kFile = "framework_test";

// Under AddressSanitizer every tracked block is a plain heap block.
constexpr bool kSizeClasses = !STATCLIENT_ADDRESS_SANITIZER;

// Takes, fills and gives back every size from 0 to past the largest class. A block of a class
// must be kept (the thread's count rises by one) and be taken again at once; any larger one
// must go back to the heap: while the heap's next block of that size is held, Take gives
// another. The blocks taken again are filled and returned, held at once, so that two blocks
// that overlap show. Sizes that break a rule are returned too.
std::vector<std::size_t> SweepEverySize(std::vector<void *> &held) {
  std::vector<std::size_t> broken;
  std::vector<void *> heapBlocks;
  for (std::size_t size = 0; size <= TrackedBlocks::kLargestClassBytes + 256; ++size) {
    void *block = TrackedBlocks::Take(size);
    if (!block || reinterpret_cast<std::uintptr_t>(block) % 16 != 0) {
      broken.push_back(size);
      continue;
    }
    std::memset(block, 0xab, size);
    const std::size_t cached = TrackedBlocks::CachedOnThisThread();
    TrackedBlocks::Give(block);
    const bool classed = kSizeClasses && size <= TrackedBlocks::kLargestClassBytes;
    const bool kept = TrackedBlocks::CachedOnThisThread() == cached + 1;
    heapBlocks.push_back(std::malloc(size + 16));
    void *again = TrackedBlocks::Take(size);
    if (kept != classed || (again == block) != classed)
      broken.push_back(size);
    std::memset(again, static_cast<int>(size % 251), size);
    held.push_back(again);
  }
  for (void *block : heapBlocks)
    std::free(block);
  return broken;
}

// Two threads sweep at once; then each one's blocks are checked and given back on the other
// thread, whose lists take them, and both threads end with blocks in their lists.
TEST(TrackedBlocks, EverySizeIsKeptInItsClassOrGoesBackToTheHeapOnEveryThread) {
  std::vector<void *> held[2];
  std::vector<std::size_t> broken[2];
  std::thread sweepers[2];
  for (int t = 0; t < 2; ++t)
    sweepers[t] = std::thread([&, t] { broken[t] = SweepEverySize(held[t]); });
  for (std::thread &sweeper : sweepers)
    sweeper.join();
  for (int t = 0; t < 2; ++t) {
    EXPECT_EQ(broken[t], std::vector<std::size_t>{}) << "sizes that broke the class rules";
    for (std::size_t size = 0; size < held[t].size(); ++size) {
      const auto *bytes = static_cast<const unsigned char *>(held[t][size]);
      if (std::count(bytes, bytes + size, static_cast<unsigned char>(size % 251)) !=
          static_cast<long>(size))
        ADD_FAILURE() << "the block of " << size << " bytes was overwritten";
    }
  }
  for (int t = 0; t < 2; ++t)
    sweepers[t] = std::thread([&, t] {
      for (void *block : held[1 - t])
        TrackedBlocks::Give(block);
    });
  for (std::thread &sweeper : sweepers)
    sweeper.join();
  TrackedBlocks::Give(nullptr);
}

TEST(Registrations, CountAddsUpAcrossThreadsAndIgnoresReleasesOfNothing) {
  ASSERT_EQ(TMemory::LiveRegistrations(), 0u);
  int blocks[4];
  std::thread registrar([&] {
    for (int &block : blocks)
      TMemory::MemReg(1, kFile, &block, sizeof block);
  });
  registrar.join();
  EXPECT_EQ(TMemory::LiveRegistrations(), 4u) << "an ended thread's registrations are lost";

  for (int &block : blocks)
    TMemory::MemFree(1, kFile, &block);
  EXPECT_EQ(TMemory::LiveRegistrations(), 0u);
  TMemory::MemFree(1, kFile, &blocks[0]); // a release with nothing registered does not count
  TMemory::MemReg(1, kFile, &blocks[0], sizeof blocks[0]);
  EXPECT_EQ(TMemory::LiveRegistrations(), 1u);
  TMemory::MemFree(1, kFile, &blocks[0]);
  EXPECT_EQ(TMemory::LiveRegistrations(), 0u);
}

} // namespace
