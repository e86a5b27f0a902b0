// The behaviour every event class shares, run over each of them (see event_cases.h), with
// memory tracing off and on.
#include <climits>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include <gtest/gtest.h>

#include "event_cases.h"
#include "support/DiagCapture.h"

namespace {

// Fills `event` in place (a copy would hide a field that copying loses) with `records` records
// and fields outside the list (the cumulative events' time stamp, the queue event's trailer)
// that differ from their defaults too.
template <class E> E &Filled(E &event, int records) {
  for (int i = 0; i < records; ++i)
    EventCase<E>::Fill(*AddRecord(event), i + 1);
  if constexpr (HasTimeStamp<E>::value) {
    event.TimeStamp = PeriodInstant();
  }
  if constexpr (std::is_same_v<E, TQueueRealTimeEvent>) {
    event.SiteStatistics.Ans = 7;
    event.TrailerValue = 0xBEEF;
  }
  return event;
}

template <class E> std::vector<Bytes> RecordBytes(const E &event) {
  std::vector<Bytes> records;
  for (const auto *record : event.EventDataList)
    records.push_back(Packed(*record));
  return records;
}

// What the list shows while a release fails: the positions released so far emptied (most
// families), only the positions before the failing record (releasing from the back), or the
// whole list until the walk ends (the callback events).
enum class Seen { kReleasedEmptied, kThoseBefore, kWhole };
template <class E> constexpr Seen kSeen = Seen::kReleasedEmptied;
template <> constexpr Seen kSeen<TQueueRealTimeEvent> = Seen::kThoseBefore;
template <> constexpr Seen kSeen<TCallbackRealTimeEvent> = Seen::kWhole;
template <> constexpr Seen kSeen<TCallbackCumulativeEvent> = Seen::kWhole;

template <class E> class EventSuite : public ::testing::Test {
protected:
  void TearDown() override {
    TMemory::SetFaultPlan({});
    TMemory::SetTrace(false);
  }
  // Runs `body(live)` with tracing off and on; `live` is the count of live registrations it
  // starts with and must end with.
  template <class Body> void InBothTraceModes(Body body) {
    for (bool trace : {false, true}) {
      SCOPED_TRACE(trace ? "tracing on" : "tracing off");
      TMemory::SetTrace(trace);
      const auto live = TMemory::LiveRegistrations();
      body(live);
      EXPECT_EQ(TMemory::LiveRegistrations(), live);
    }
  }
};

TYPED_TEST_SUITE(EventSuite, EventTypes, );

// The fields outside the list travel around it; unpacking, copying and assigning all replace
// what the target held with the same bytes and records of their own; Size() counts the bytes;
// assigning an event to itself changes nothing.
TYPED_TEST(EventSuite, RoundTripsAndCopiesAreDeepAndGiveTheSameBytes) {
  this->InBothTraceModes([](auto live) {
    {
      auto source = std::make_unique<TypeParam>();
      const Bytes bytes = Packed(Filled(*source, 3));
      EXPECT_EQ(source->Size(), bytes.size());
      EXPECT_EQ(TypeParam().Size(), Packed(TypeParam()).size());
      EXPECT_EQ(bytes, PackedBytes([&](TPack &p) {
                  if constexpr (HasTimeStamp<TypeParam>::value) {
                    p << PeriodInstant();
                  }
                  p << 3;
                  for (const auto *record : source->EventDataList)
                    p << *record;
                  if constexpr (std::is_same_v<TypeParam, TQueueRealTimeEvent>) {
                    p << source->SiteStatistics << static_cast<unsigned short>(0xBEEF);
                  }
                }));
      TypeParam decoded = FilledEvent<TypeParam>(2, 20);
      EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
      TypeParam copied(*source);
      TypeParam assigned = FilledEvent<TypeParam>(5, 40);
      assigned = *source;
      EXPECT_EQ(TMemory::LiveRegistrations(), live + 12);
      source.reset();
      EXPECT_EQ(TMemory::LiveRegistrations(), live + 9);
      for (const TypeParam *other : {&decoded, &copied, &assigned})
        EXPECT_EQ(Packed(*other), bytes);

      const auto records = copied.EventDataList;
      TypeParam &self = copied;
      copied = self;
      EXPECT_EQ(copied.EventDataList, records);
      EXPECT_EQ(Packed(copied), bytes);
      EXPECT_EQ(TMemory::LiveRegistrations(), live + 9);
    }
  });
}

// A cut anywhere throws, keeps only the records read in full, writes no diagnostic and names
// where it broke: the time stamp, the count, the record being read, or a field after the list.
TYPED_TEST(EventSuite, EveryTruncatedPayloadThrowsKeepsOnlyWholeRecordsAndNamesTheBreak) {
  this->InBothTraceModes([](auto) {
    constexpr std::size_t kCountOffset = EventCase<TypeParam>::kCountOffset;
    TypeParam source;
    const Bytes bytes = Packed(Filled(source, 3));
    const std::vector<Bytes> records = RecordBytes(source);
    const auto live = TMemory::LiveRegistrations();
    DiagCapture diag;

    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
      SCOPED_TRACE("payload cut to " + std::to_string(cut) + " bytes");
      // A cut inside the fields before the count fails before the event is cleared, so the
      // event keeps the one record it held.
      std::size_t whole = cut < kCountOffset ? 1 : 0;
      std::size_t end = kCountOffset + 4;
      for (const Bytes &record : records) {
        end += record.size();
        if (end <= cut)
          ++whole;
      }
      std::string where = cut < kCountOffset ? "TimeStamp" : "EventDataList";
      if (cut >= kCountOffset + 4) {
        where = whole < records.size() ? where + "[" + std::to_string(whole) + "]." : "";
      }
      TypeParam event = FilledEvent<TypeParam>(1, 50);
      EXPECT_THROW(UnpackInto(Bytes(bytes.begin(), bytes.begin() + cut), event), TPackError);
      ASSERT_EQ(event.EventDataList.size(), whole);
      EXPECT_FALSE(LastUnpackBreak().empty());
      EXPECT_EQ(LastUnpackBreak().rfind(where, 0), 0u) << LastUnpackBreak();
      EventCase<TypeParam>::Release(event);
      EXPECT_EQ(TMemory::LiveRegistrations(), live);
    }
    EXPECT_TRUE(diag.Lines().empty());
  });
}

TYPED_TEST(EventSuite, CountsOutOfRange) {
  this->InBothTraceModes([](auto live) {
    for (int count : {0, -1, INT_MIN}) {
      Bytes bytes = Packed(TypeParam());
      PutInt(bytes, EventCase<TypeParam>::kCountOffset, count);
      TypeParam event = FilledEvent<TypeParam>(2);
      EXPECT_EQ(UnpackInto(bytes, event), 0u) << count;
      EXPECT_TRUE(event.EventDataList.empty()) << count;
      EXPECT_EQ(TMemory::LiveRegistrations(), live);
    }
    // A huge count fails at the first missing record, keeping the ones read.
    const TypeParam source = FilledEvent<TypeParam>(1);
    Bytes bytes = Packed(source);
    PutInt(bytes, EventCase<TypeParam>::kCountOffset, INT_MAX);
    {
      TypeParam event;
      EXPECT_THROW(UnpackInto(bytes, event), TPackError);
      EXPECT_EQ(RecordBytes(event), RecordBytes(source));
    }
  });
}

// The second release throws: it is logged once, the rest are released, the list ends empty and
// the fields outside it stay; the diagnostic sees the list as the family's walk leaves it.
TYPED_TEST(EventSuite, ReleaseThatThrowsIsLoggedAndTheRestAreReleased) {
  this->InBothTraceModes([](auto) {
    TypeParam event, empty;
    Filled(event, 4);
    event.EventDataList.insert(event.EventDataList.begin() + 1, nullptr);
    const auto list = event.EventDataList;
    std::vector<DiagLine> lines;
    std::vector<RecordOf<TypeParam> *> seen;
    const TDiag::Sink previous = TDiag::SetSink([&](TDiag::enDiagType category, unsigned short line,
                                                    const char *file, const std::string &text) {
      lines.push_back({category, line, file, text});
      seen = event.EventDataList;
    });
    TMemory::FaultPlan plan;
    plan.memFreeThrowsAfter = 1;
    TMemory::SetFaultPlan(plan);
    EventCase<TypeParam>::Release(event);
    EventCase<TypeParam>::Release(event);
    TDiag::SetSink(previous);

    EXPECT_EQ(Packed(event), Packed(Filled(empty, 0)));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, EventCase<TypeParam>::kReleaseFailed);
    EXPECT_EQ(lines[0].file, EventCase<TypeParam>::kSource);
    EXPECT_EQ(lines[0].category, TDiag::SEVR);
    using List = std::vector<RecordOf<TypeParam> *>;
    EXPECT_EQ(seen, kSeen<TypeParam> == Seen::kWhole ? list
                    : kSeen<TypeParam> == Seen::kThoseBefore
                        ? List(list.begin(), list.begin() + 3)
                        : (List{nullptr, nullptr, list[2], list[3], list[4]}));
  });
}

TYPED_TEST(EventSuite, PassWithoutStorageIsSkipped) {
  this->InBothTraceModes([](auto) {
    const TypeParam source = FilledEvent<TypeParam>(3);
    const std::vector<Bytes> records = RecordBytes(source);
    const auto live = TMemory::LiveRegistrations();
    TMemory::FaultPlan plan;
    plan.trackedNewAfter = 1; // the second allocation yields nothing
    {
      // The skipped pass reads nothing: the third pass reads the second record's bytes.
      TMemory::SetFaultPlan(plan);
      TypeParam decoded;
      EXPECT_EQ(UnpackInto(Packed(source), decoded), records[2].size());
      EXPECT_EQ(RecordBytes(decoded), (std::vector<Bytes>{records[0], records[1]}));

      TMemory::SetFaultPlan(plan);
      TypeParam copy(source);
      EXPECT_EQ(RecordBytes(copy), (std::vector<Bytes>{records[0], records[2]}));
      EXPECT_EQ(TMemory::LiveRegistrations(), live + 4);
    }
  });
}

} // namespace
