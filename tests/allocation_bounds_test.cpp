// No decoder allocates in proportion to a count or length that the bytes present cannot back.
// This binary replaces the global operator new and delete and the framework's tracked allocation
// (the library reaches these because the libraries are shared) and counts the bytes asked for
// while a decode runs. In each seed payload (fuzz/corpus, every nested list filled) every offset
// holds in turn 2^31 - 1 (a hostile count) and 2^32 - 1 (a hostile string length), cut short a
// few bytes later: every count and length of every depth sits at one of these offsets. A decode
// of B bytes, succeeding or throwing, asks for at most kBytesPerPayloadByte * B + kFixedBytes:
// the fixed part is what a failure costs (the exception, the break note, one record allocated
// before its bytes are read), the factor the elements and records the bytes did back.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include <statclient/statclient.h>

#include "statsupport/DiscardingSink.h"
#include "statsupport/EventTable.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<unsigned long> bytesAsked{0};
std::atomic<unsigned long> trackedAsked{0};
std::atomic<bool> trackedYieldsNothing{false};

void *Counted(std::size_t size) {
  if (counting.load(std::memory_order_relaxed))
    bytesAsked.fetch_add(size, std::memory_order_relaxed);
  if (void *block = std::malloc(size ? size : 1))
    return block;
  throw std::bad_alloc();
}

} // namespace

void *operator new(std::size_t size) { return Counted(size); }
void *operator new[](std::size_t size) { return Counted(size); }
void operator delete(void *block) noexcept { std::free(block); }
void operator delete[](void *block) noexcept { std::free(block); }
void operator delete(void *block, std::size_t) noexcept { std::free(block); }
void operator delete[](void *block, std::size_t) noexcept { std::free(block); }

void *operator new(std::size_t size, unsigned short, const char *, const void *) noexcept {
  if (trackedYieldsNothing.load() || TMemory::TrackedNewShouldFail())
    return nullptr;
  if (counting.load(std::memory_order_relaxed))
    trackedAsked.fetch_add(size, std::memory_order_relaxed);
  return std::malloc(size ? size : 1);
}
void operator delete(void *block, unsigned short, const char *, const void *) noexcept {
  std::free(block);
}

namespace {

constexpr unsigned long kBytesPerPayloadByte = 64;
constexpr unsigned long kFixedBytes = 8192;

using Bytes = std::vector<unsigned char>;

struct Asked {
  unsigned long global = 0, tracked = 0;
};

template <class Decode> Asked Measure(Decode &&decode) {
  bytesAsked = 0;
  trackedAsked = 0;
  counting = true;
  try {
    decode();
  } catch (const TPackError &) {
  } catch (const std::length_error &) {
  }
  counting = false;
  return {bytesAsked.load(), trackedAsked.load()};
}

// Decodes every hostile variant of the seed payload fuzz/corpus/<seed> with `decode`, and
// checks each against the bound: each offset overwritten with each hostile value, cut 0, 3 and
// 8 bytes after it.
template <class Decode> void EveryHostileVariant(const std::string &seed, Decode &&decode) {
  SCOPED_TRACE(seed);
  std::ifstream in(std::filesystem::path(STATCLIENT_SOURCE_DIR) / "fuzz/corpus" / seed,
                   std::ios::binary);
  Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(bytes.empty());
  bytes.erase(bytes.begin()); // the fuzz target's selector byte
  for (std::uint32_t hostile : {0x7fffffffu, 0xffffffffu}) {
    for (std::size_t at = 0; at + 4 <= bytes.size(); ++at) {
      for (std::size_t tail : {0, 3, 8}) {
        Bytes payload(bytes.begin(), bytes.begin() + std::min(bytes.size(), at + 4 + tail));
        std::memcpy(payload.data() + at, &hostile, 4);
        const Asked asked = Measure([&] { decode(payload); });
        EXPECT_LE(asked.global + asked.tracked, kBytesPerPayloadByte * payload.size() + kFixedBytes)
            << std::hex << hostile << " at offset " << std::dec << at << " of " << payload.size()
            << " bytes; global " << asked.global << ", tracked " << asked.tracked;
      }
    }
  }
}

TEST(AllocationBounds, TheTrackedAllocationOfThisBinaryIsTheOneTheLibraryCalls) {
  TGroupRealTimeEvent event;
  const Asked asked = Measure([&] { AddRecord(event); });
  EXPECT_EQ(asked.tracked, sizeof(TEventDataGroupRealTime));
}

// With storage, and with a tracked allocation that yields nothing: then each pass of an event's
// list is skipped without reading a byte, so a hostile count would cost one pass per count
// unless the passes are bounded by what the bytes after the count could hold.
TEST(AllocationBounds, EveryEventClassAtEveryOffset) {
  statsupport::DiscardingSink sink;
  for (bool noStorage : {false, true}) {
    trackedYieldsNothing = noStorage;
    for (const auto *entry = statsupport::begin(); entry != statsupport::end(); ++entry) {
      const std::size_t live = TMemory::LiveRegistrations();
      const auto start = std::chrono::steady_clock::now();
      EveryHostileVariant(
          std::string("event_payload_fuzz/") + entry->className + "-one",
          [&](const Bytes &payload) { entry->decode(payload.data(), payload.size(), sink); });
      EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2))
          << entry->className;
      EXPECT_EQ(TMemory::LiveRegistrations(), live) << entry->className;
    }
  }
  trackedYieldsNothing = false;
}

template <class Record> void EveryHostileRecord(const char *seed) {
  EveryHostileVariant(std::string("record_payload_fuzz/") + seed, [](const Bytes &payload) {
    Record record;
    TPack pack(const_cast<unsigned char *>(payload.data()),
               static_cast<unsigned long>(payload.size()));
    pack >> record;
  });
}

TEST(AllocationBounds, EveryServerRecordAtEveryOffset) {
  EveryHostileRecord<TContactDetail>("TContactDetail-deep");
  EveryHostileRecord<TQueryContactLogDataEvent>("TQueryContactLogDataEvent-two");
  EveryHostileRecord<TEventDataContactLog>("TEventDataContactLog");
  EveryHostileRecord<TEventDataUpdateContactLog>("TEventDataUpdateContactLog");
  EveryHostileRecord<TErrorRecord>("TErrorRecord");
  EveryHostileRecord<TCallbackAttemptLog>("TCallbackAttemptLog");
  EveryHostileRecord<TCallbackScheduleLog>("TCallbackScheduleLog");
  EveryHostileRecord<TOpenMediaContent>("TOpenMediaContent");
}

} // namespace
