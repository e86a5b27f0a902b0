// The behaviour every event class shares, run over each of them (see event_cases.h), with
// memory tracing off and on.
#include <climits>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "event_cases.h"
#include "support/DiagCapture.h"

namespace {

template <class E> void AddFilled(E &event, long seed) {
  auto *record = AddRecord(event);
  ASSERT_NE(record, nullptr);
  EventCase<E>::Fill(*record, seed);
}

template <class E> std::vector<Bytes> RecordBytes(const E &event) {
  std::vector<Bytes> records;
  for (const auto *record : event.EventDataList)
    records.push_back(Packed(*record));
  return records;
}

template <class E> class EventSuite : public ::testing::Test {
protected:
  void TearDown() override {
    TMemory::SetFaultPlan({});
    TMemory::SetTrace(false);
  }
  template <class Body> void InBothTraceModes(Body body) {
    for (bool trace : {false, true}) {
      SCOPED_TRACE(trace ? "tracing on" : "tracing off");
      TMemory::SetTrace(trace);
      body();
    }
  }
};

TYPED_TEST_SUITE(EventSuite, EventTypes, );

TYPED_TEST(EventSuite, RoundTripGivesTheSameBytesAndRecords) {
  this->InBothTraceModes([] {
    const auto live = TMemory::LiveRegistrations();
    {
      const TypeParam source = FilledEvent<TypeParam>(3);
      const Bytes bytes = Packed(source);
      TypeParam decoded = FilledEvent<TypeParam>(2, 20);
      EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
      EXPECT_EQ(Packed(decoded), bytes);
      EXPECT_EQ(RecordBytes(decoded), RecordBytes(source));
      EXPECT_EQ(TMemory::LiveRegistrations(), live + 6);
    }
    EXPECT_EQ(TMemory::LiveRegistrations(), live);
  });
}

TYPED_TEST(EventSuite, SizeIsThePackedLength) {
  TypeParam event;
  for (int records = 0; records <= 3; ++records) {
    EXPECT_EQ(event.Size(), Packed(event).size());
    AddFilled(event, records + 1);
  }
}

TYPED_TEST(EventSuite, EveryTruncatedPayloadThrowsAndKeepsOnlyWholeRecords) {
  this->InBothTraceModes([] {
    const TypeParam source = FilledEvent<TypeParam>(3);
    const Bytes bytes = Packed(source);
    const std::vector<Bytes> records = RecordBytes(source);
    const auto live = TMemory::LiveRegistrations();
    DiagCapture diag;

    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
      SCOPED_TRACE("payload cut to " + std::to_string(cut) + " bytes");
      // A cut inside the fields before the count fails before the event is cleared, so the
      // event keeps the one record it held.
      std::size_t whole = cut < EventCase<TypeParam>::kCountOffset ? 1 : 0;
      std::size_t end = EventCase<TypeParam>::kCountOffset + 4;
      for (const Bytes &record : records) {
        end += record.size();
        if (end <= cut)
          ++whole;
      }
      TypeParam event = FilledEvent<TypeParam>(1, 50);
      EXPECT_THROW(UnpackInto(Bytes(bytes.begin(), bytes.begin() + cut), event), TPackError);
      ASSERT_EQ(event.EventDataList.size(), whole);
      EventCase<TypeParam>::Release(event);
      EXPECT_EQ(TMemory::LiveRegistrations(), live);
    }
    EXPECT_TRUE(diag.Lines().empty());
  });
}

TYPED_TEST(EventSuite, CountsOutOfRange) {
  this->InBothTraceModes([] {
    const auto live = TMemory::LiveRegistrations();
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
    EXPECT_EQ(TMemory::LiveRegistrations(), live + 1);
  });
}

TYPED_TEST(EventSuite, CopiesAreDeepAndIndependentAndSelfAssignmentIsANoOp) {
  this->InBothTraceModes([] {
    const auto live = TMemory::LiveRegistrations();
    auto source = std::make_unique<TypeParam>(FilledEvent<TypeParam>(3));
    const std::vector<Bytes> original = RecordBytes(*source);

    TypeParam copied(*source);
    TypeParam assigned = FilledEvent<TypeParam>(5, 40);
    assigned = *source;
    EXPECT_EQ(TMemory::LiveRegistrations(), live + 9);

    for (TypeParam *copy : {&copied, &assigned}) {
      ASSERT_EQ(RecordBytes(*copy), original);
      for (std::size_t i = 0; i < original.size(); ++i)
        EXPECT_NE(copy->EventDataList[i], source->EventDataList[i]);
      EventCase<TypeParam>::Fill(*copy->EventDataList[0], 99);
    }
    EXPECT_EQ(RecordBytes(*source), original);

    source.reset();
    EXPECT_EQ(RecordBytes(copied)[1], original[1]);
    EXPECT_EQ(TMemory::LiveRegistrations(), live + 6);

    const auto records = copied.EventDataList;
    const Bytes before = Packed(copied);
    TypeParam &self = copied;
    copied = self;
    EXPECT_EQ(copied.EventDataList, records);
    EXPECT_EQ(Packed(copied), before);
    EXPECT_EQ(TMemory::LiveRegistrations(), live + 6);
  });
}

TYPED_TEST(EventSuite, ReleaseThatThrowsIsLoggedAndTheRestAreReleased) {
  this->InBothTraceModes([] {
    const auto live = TMemory::LiveRegistrations();
    TypeParam event = FilledEvent<TypeParam>(4);
    event.EventDataList.insert(event.EventDataList.begin() + 1, nullptr);
    DiagCapture diag;
    TMemory::FaultPlan plan;
    plan.memFreeThrowsAfter = 1; // the second record's release throws
    TMemory::SetFaultPlan(plan);

    EventCase<TypeParam>::Release(event);

    EXPECT_TRUE(event.EventDataList.empty());
    EXPECT_EQ(TMemory::LiveRegistrations(), live);
    const auto lines = diag.Lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, EventCase<TypeParam>::kReleaseFailed);
    EXPECT_EQ(lines[0].file, EventCase<TypeParam>::kSource);
    EXPECT_EQ(lines[0].category, TDiag::SEVR);
    EventCase<TypeParam>::Release(event);
    EXPECT_EQ(diag.Lines().size(), 1u);
  });
}

TYPED_TEST(EventSuite, PassWithoutStorageIsSkipped) {
  this->InBothTraceModes([] {
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
    EXPECT_EQ(TMemory::LiveRegistrations(), live);
  });
}

// Events with fields before the list (the cumulative ones): the time stamp travels whole before
// the count, unpacking reads it, copies and assignments carry it, and clearing leaves it.
TYPED_TEST(EventSuite, LeadingTimeStampTravelsAndSurvivesClear) {
  if constexpr (EventCase<TypeParam>::kCountOffset > 0) {
    TTimeStamp instant = Span(6, 8, 30, 15, 250);
    instant.SetYear(2024);
    instant.SetMonth(5);
    TypeParam event = FilledEvent<TypeParam>(2);
    event.TimeStamp = instant;
    const Bytes bytes = Packed(event);
    EXPECT_EQ(bytes, PackedBytes([&](TPack &p) {
                p << instant << 2;
                for (const auto *record : event.EventDataList)
                  p << *record;
              }));
    TypeParam decoded;
    EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
    TypeParam copied(event);
    TypeParam assigned;
    assigned = event;
    for (const TypeParam *other : {&decoded, &copied, &assigned})
      EXPECT_EQ(other->TimeStamp, instant);
    EventCase<TypeParam>::Release(event);
    EXPECT_EQ(Packed(event), PackedBytes([&](TPack &p) { p << instant << 0; }));
  }
}

} // namespace
