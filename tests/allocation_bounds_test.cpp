// No decoder allocates in proportion to a count or length that the bytes present cannot back.
//
// This binary replaces the global operator new and delete, and the framework's tracked
// allocation (the library's calls reach these definitions because the libraries are shared),
// and counts the bytes each asks for while a decode runs. Hostile payloads come from the seed
// payloads of every event class and server record (fuzz/corpus, one record with every nested
// list filled): at every offset a four-byte value is overwritten with 2^31 - 1 (a hostile
// count) and with 2^32 - 1 (a hostile string length), and the payload is cut short a few bytes
// later. Every count and length of every nesting depth sits at one of these offsets.
//
// The bound: a decode of B bytes asks for at most kBytesPerPayloadByte * B + kFixedBytes in all,
// whether it succeeds or throws. kFixedBytes covers what a failure costs whatever the payload
// (the exception, the note of where it broke, one record allocated before its bytes are read);
// the factor covers elements and records that the bytes read did back.
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
  unsigned long Total() const { return global + tracked; }
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

Bytes Seed(const std::string &target, const std::string &name) {
  std::ifstream in(std::filesystem::path(STATCLIENT_SOURCE_DIR) / "fuzz/corpus" / target / name,
                   std::ios::binary);
  Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_FALSE(bytes.empty()) << target << "/" << name;
  if (!bytes.empty())
    bytes.erase(bytes.begin()); // the fuzz target's selector byte
  return bytes;
}

// Every hostile variant of `seed`: each offset overwritten with each hostile value, cut 0, 3
// and 8 bytes after it.
template <class Check> void ForEachHostile(const Bytes &seed, Check &&check) {
  for (std::uint32_t hostile : {0x7fffffffu, 0xffffffffu}) {
    for (std::size_t at = 0; at + 4 <= seed.size(); ++at) {
      for (std::size_t tail : {0, 3, 8}) {
        Bytes payload(seed.begin(), seed.begin() + std::min(seed.size(), at + 4 + tail));
        std::memcpy(payload.data() + at, &hostile, 4);
        check(payload, at, hostile);
      }
    }
  }
}

void ExpectWithinBound(const Asked &asked, std::size_t size, std::size_t at, std::uint32_t value,
                       const std::string &what) {
  EXPECT_LE(asked.Total(), kBytesPerPayloadByte * size + kFixedBytes)
      << what << ": " << std::hex << value << " at offset " << std::dec << at << " of " << size
      << " bytes; global " << asked.global << ", tracked " << asked.tracked;
}

TEST(AllocationBounds, TheTrackedAllocationOfThisBinaryIsTheOneTheLibraryCalls) {
  TGroupRealTimeEvent event;
  const Asked asked = Measure([&] { AddRecord(event); });
  EXPECT_EQ(asked.tracked, sizeof(TEventDataGroupRealTime));
}

TEST(AllocationBounds, EveryEventClassAtEveryOffset) {
  statsupport::DiscardingSink sink;
  for (const statsupport::EventEntry *entry = statsupport::begin(); entry != statsupport::end();
       ++entry) {
    const std::size_t live = TMemory::LiveRegistrations();
    ForEachHostile(Seed("event_payload_fuzz", std::string(entry->className) + "-one"),
                   [&](const Bytes &payload, std::size_t at, std::uint32_t value) {
                     ExpectWithinBound(
                         Measure([&] { entry->decode(payload.data(), payload.size(), sink); }),
                         payload.size(), at, value, entry->className);
                   });
    EXPECT_EQ(TMemory::LiveRegistrations(), live) << entry->className;
  }
}

template <class Record> void CheckRecord(const char *seedName) {
  ForEachHostile(Seed("record_payload_fuzz", seedName),
                 [&](const Bytes &payload, std::size_t at, std::uint32_t value) {
                   ExpectWithinBound(Measure([&] {
                                       Record record;
                                       TPack pack(const_cast<unsigned char *>(payload.data()),
                                                  static_cast<unsigned long>(payload.size()));
                                       pack >> record;
                                     }),
                                     payload.size(), at, value, seedName);
                 });
}

TEST(AllocationBounds, EveryServerRecordAtEveryOffset) {
  CheckRecord<TContactDetail>("TContactDetail-deep");
  CheckRecord<TQueryContactLogDataEvent>("TQueryContactLogDataEvent-two");
  CheckRecord<TEventDataContactLog>("TEventDataContactLog");
  CheckRecord<TEventDataUpdateContactLog>("TEventDataUpdateContactLog");
  CheckRecord<TErrorRecord>("TErrorRecord");
  CheckRecord<TCallbackAttemptLog>("TCallbackAttemptLog");
  CheckRecord<TCallbackScheduleLog>("TCallbackScheduleLog");
  CheckRecord<TOpenMediaContent>("TOpenMediaContent");
}

// When the tracked allocation yields nothing, each pass of an event's list is skipped without
// reading a byte, so a hostile count would cost one pass per count. The passes are bounded by
// what the bytes after the count could hold; this measures what a skipped pass costs and
// checks that a count of 2^31 - 1 in four bytes stays within the bound.
TEST(AllocationBounds, SkippedPassesAreBoundedByTheBytesLeft) {
  statsupport::DiscardingSink sink;
  for (const statsupport::EventEntry *entry = statsupport::begin(); entry != statsupport::end();
       ++entry) {
    Bytes payload = Seed("event_payload_fuzz", std::string(entry->className) + "-one");
    const std::uint32_t hostile = 0x7fffffff;
    // The count follows the cumulative events' time stamp, and opens the real-time ones.
    std::memcpy(payload.data() + (entry->id >= TStatisticsServer::USERCUMULATIVEEVENT ? 15 : 0),
                &hostile, 4);
    trackedYieldsNothing = true;
    const auto start = std::chrono::steady_clock::now();
    const Asked asked = Measure([&] { entry->decode(payload.data(), payload.size(), sink); });
    const auto took = std::chrono::steady_clock::now() - start;
    trackedYieldsNothing = false;
    ExpectWithinBound(asked, payload.size(), 0, hostile, entry->className);
    EXPECT_LT(took, std::chrono::seconds(1)) << entry->className;
  }
}

} // namespace
