// The framework stand-in's generic server, reply header, diagnostics, tracked blocks and count
// of registrations (run under ThreadSanitizer too); its transport is transport_zmq_test.cpp's
// and transport_stress_test.cpp's, its memory accounting's fault plan the event suites'
// (event_typed_test.cpp).
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

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
