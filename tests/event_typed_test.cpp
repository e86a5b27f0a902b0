// The behaviour every event class shares, run over each of them (see event_cases.h), with
// memory tracing off and on.
#include <climits>
#include <cstring>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "event_cases.h"
#include "pack_bytes.h"
#include "support/DiagCapture.h"

namespace {

// Appends a record allocated and registered as the library allocates its own.
template <class E> typename EventCase<E>::Record *AddRecord(E &event, long seed) {
  using Record = typename EventCase<E>::Record;
  auto *record = new (__LINE__, "event_typed_test", nullptr) Record();
  TMemory::MemReg(__LINE__, "event_typed_test", record, sizeof(Record));
  EventCase<E>::Fill(*record, seed);
  event.EventDataList.push_back(record);
  return record;
}

template <class E> E EventWith(int records, long firstSeed = 1) {
  E event;
  for (int i = 0; i < records; ++i)
    AddRecord(event, firstSeed + i);
  return event;
}

// The packed form of each record of `event`, in order.
template <class E> std::vector<Bytes> RecordBytes(const E &event) {
  std::vector<Bytes> records;
  for (const auto *record : event.EventDataList)
    records.push_back(Packed(*record));
  return records;
}

void PutInt(Bytes &bytes, unsigned long offset, int value) {
  TPack pack(1);
  pack << value;
  std::memcpy(bytes.data() + offset, pack.Contents(), 4);
}

template <class E> class EventSuite : public ::testing::Test {
protected:
  void TearDown() override {
    TMemory::SetFaultPlan({});
    TMemory::SetTrace(false);
  }

  // Runs `body` once with memory tracing off and once with it on.
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
      TypeParam empty;
      const Bytes emptyBytes = Packed(empty);
      TypeParam decodedEmpty = EventWith<TypeParam>(2);
      EXPECT_EQ(UnpackInto(emptyBytes, decodedEmpty), 0u);
      EXPECT_TRUE(decodedEmpty.EventDataList.empty());

      const TypeParam source = EventWith<TypeParam>(3);
      const Bytes bytes = Packed(source);
      TypeParam decoded;
      EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
      EXPECT_EQ(Packed(decoded), bytes);
      EXPECT_EQ(RecordBytes(decoded), RecordBytes(source));
      EXPECT_EQ(TMemory::LiveRegistrations(), live + 6);
    }
    EXPECT_EQ(TMemory::LiveRegistrations(), live);
  });
}

TYPED_TEST(EventSuite, SizeIsThePackedLengthAndGrowsWithEachRecord) {
  TypeParam event;
  unsigned long previous = 0;
  for (int records = 0; records <= 3; ++records) {
    const unsigned long size = event.Size();
    EXPECT_EQ(size, Packed(event).size());
    if (records > 0) {
      EXPECT_EQ(size, previous + Packed(*event.EventDataList.back()).size());
    }
    EXPECT_GT(size, previous);
    previous = size;
    AddRecord(event, records + 1);
  }
}

TYPED_TEST(EventSuite, EveryTruncatedPayloadThrowsAndKeepsOnlyWholeRecords) {
  this->InBothTraceModes([] {
    const TypeParam source = EventWith<TypeParam>(3);
    const Bytes bytes = Packed(source);
    const std::vector<Bytes> records = RecordBytes(source);
    const auto live = TMemory::LiveRegistrations();

    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
      SCOPED_TRACE("payload cut to " + std::to_string(cut) + " bytes");
      // Records that lie wholly inside the cut payload.
      std::size_t whole = 0;
      std::size_t end = EventCase<TypeParam>::kCountOffset + 4;
      for (const Bytes &record : records) {
        end += record.size();
        if (end <= cut)
          ++whole;
      }
      TypeParam event = EventWith<TypeParam>(1, 50);
      EXPECT_THROW(UnpackInto(Bytes(bytes.begin(), bytes.begin() + cut), event), TPackError);
      ASSERT_LE(event.EventDataList.size(), records.size());
      EXPECT_EQ(event.EventDataList.size(), cut < EventCase<TypeParam>::kCountOffset ? 1 : whole);
      EventCase<TypeParam>::Release(event);
      EXPECT_EQ(TMemory::LiveRegistrations(), live);
    }
  });
}

TYPED_TEST(EventSuite, HostileCountFailsAtTheFirstMissingRecord) {
  const TypeParam source = EventWith<TypeParam>(1);
  Bytes bytes = Packed(source);
  PutInt(bytes, EventCase<TypeParam>::kCountOffset, INT_MAX);
  const auto live = TMemory::LiveRegistrations();
  {
    TypeParam event;
    EXPECT_THROW(UnpackInto(bytes, event), TPackError);
    ASSERT_EQ(event.EventDataList.size(), 1u);
    EXPECT_EQ(Packed(*event.EventDataList[0]), Packed(*source.EventDataList[0]));
  }
  EXPECT_EQ(TMemory::LiveRegistrations(), live);
}

TYPED_TEST(EventSuite, CountBelowOneReadsAsEmptyAndReplacesHeldRecords) {
  this->InBothTraceModes([] {
    const auto live = TMemory::LiveRegistrations();
    for (int count : {0, -1, INT_MIN}) {
      Bytes bytes = Packed(TypeParam());
      PutInt(bytes, EventCase<TypeParam>::kCountOffset, count);
      TypeParam event = EventWith<TypeParam>(2);
      EXPECT_EQ(UnpackInto(bytes, event), 0u) << count;
      EXPECT_TRUE(event.EventDataList.empty()) << count;
      EXPECT_EQ(TMemory::LiveRegistrations(), live);
    }
  });
}

TYPED_TEST(EventSuite, UnpackingReplacesTheRecordsHeld) {
  this->InBothTraceModes([] {
    const TypeParam source = EventWith<TypeParam>(3, 10);
    const auto live = TMemory::LiveRegistrations();
    TypeParam event = EventWith<TypeParam>(2, 20);
    UnpackInto(Packed(source), event);
    EXPECT_EQ(RecordBytes(event), RecordBytes(source));
    EXPECT_EQ(TMemory::LiveRegistrations(), live + 3);
  });
}

TYPED_TEST(EventSuite, CopiesAreDeepAndIndependent) {
  this->InBothTraceModes([] {
    const auto live = TMemory::LiveRegistrations();
    auto source = std::make_unique<TypeParam>(EventWith<TypeParam>(3));
    const std::vector<Bytes> original = RecordBytes(*source);

    TypeParam copied(*source);
    TypeParam assigned = EventWith<TypeParam>(5, 40);
    assigned = *source;
    EXPECT_EQ(TMemory::LiveRegistrations(), live + 9);

    for (TypeParam *copy : {&copied, &assigned}) {
      ASSERT_EQ(RecordBytes(*copy), original);
      for (std::size_t i = 0; i < original.size(); ++i)
        EXPECT_NE(copy->EventDataList[i], source->EventDataList[i]);
      EventCase<TypeParam>::Touch(*copy->EventDataList[0]);
    }
    EXPECT_EQ(RecordBytes(*source), original);

    source.reset();
    EXPECT_EQ(RecordBytes(copied).size(), 3u);
    EXPECT_EQ(RecordBytes(copied)[1], original[1]);
    EXPECT_EQ(TMemory::LiveRegistrations(), live + 6);
  });
}

TYPED_TEST(EventSuite, SelfAssignmentChangesNothing) {
  TypeParam event = EventWith<TypeParam>(2);
  const auto records = event.EventDataList;
  const Bytes before = Packed(event);
  const auto live = TMemory::LiveRegistrations();
  TypeParam &self = event;
  event = self;
  EXPECT_EQ(event.EventDataList, records);
  EXPECT_EQ(Packed(event), before);
  EXPECT_EQ(TMemory::LiveRegistrations(), live);
}

TYPED_TEST(EventSuite, ReleaseThatThrowsIsLoggedAndTheRestAreReleased) {
  this->InBothTraceModes([] {
    const auto live = TMemory::LiveRegistrations();
    TypeParam event = EventWith<TypeParam>(4);
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

    // A second release, and the destructor after it, have nothing left to do or report.
    EventCase<TypeParam>::Release(event);
    EXPECT_EQ(diag.Lines().size(), 1u);
  });
}

TYPED_TEST(EventSuite, PassWithoutStorageIsSkipped) {
  this->InBothTraceModes([] {
    const TypeParam source = EventWith<TypeParam>(3);
    const std::vector<Bytes> records = RecordBytes(source);
    const auto live = TMemory::LiveRegistrations();
    TMemory::FaultPlan plan;
    plan.trackedNewAfter = 1; // the second allocation yields nothing
    {
      // Unpacking: the skipped pass reads nothing, so the second record's bytes are read by
      // the third pass and the third record's bytes are left over.
      TMemory::SetFaultPlan(plan);
      TypeParam decoded;
      EXPECT_EQ(UnpackInto(Packed(source), decoded), records[2].size());
      EXPECT_EQ(RecordBytes(decoded), (std::vector<Bytes>{records[0], records[1]}));

      // Copying: the copy lacks the second record.
      TMemory::SetFaultPlan(plan);
      TypeParam copy(source);
      EXPECT_EQ(RecordBytes(copy), (std::vector<Bytes>{records[0], records[2]}));
      EXPECT_EQ(TMemory::LiveRegistrations(), live + 4);
    }
    EXPECT_EQ(TMemory::LiveRegistrations(), live);
  });
}

} // namespace
