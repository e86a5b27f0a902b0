// The encodings, text helpers and event policies that later families build on, exercised
// through a record and an event made up for the test: a duration, a point in time, a raw
// enumeration, an int16 in a 32-bit member, vectors of integers, durations and nested
// records, a time stamp before the list and a 16-bit value after it, released from the back.
#include <climits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "EventData/tstEventRecord.h"
#include "pack_bytes.h"
#include "support/DiagCapture.h"
#include "support/Spans.h"

namespace {

enum Kind : int { KIND_NONE = 0, KIND_SOME = 1 };

struct Sample;

// Every release of an Item or Sample is logged here: its Count, and the size of the watched
// event's list at that moment.
std::vector<std::pair<long, std::size_t>> releases;
const std::vector<Sample *> *watchedList = nullptr;
// The number of Sample assignments still to succeed; -1 never fails.
int assignmentsLeft = -1;

struct Item {
  virtual ~Item() = default;
  long Key = 0;
  Kind Type = KIND_NONE;
};

struct Sample {
  Sample() = default;
  Sample(const Sample &other) { *this = other; }
  Sample &operator=(const Sample &other) {
    if (assignmentsLeft == 0)
      throw std::runtime_error("assignment fails");
    if (assignmentsLeft > 0)
      --assignmentsLeft;
    Count = other.Count;
    Small = other.Small;
    Span = other.Span;
    At = other.At;
    Type = other.Type;
    Keys = other.Keys;
    Spans = other.Spans;
    Items = other.Items;
    Name = other.Name;
    return *this;
  }
  virtual ~Sample() { releases.emplace_back(Count, watchedList ? watchedList->size() : 0); }

  long Count = 0;
  long Small = 0; // travels as int16
  TTimeStamp Span{1};
  TTimeStamp At{1};
  Kind Type = KIND_NONE;
  std::vector<long> Keys;
  std::vector<TTimeStamp> Spans;
  std::vector<Item> Items;
  std::string Name;
};

struct SampleEvent {
  SampleEvent() = default;
  SampleEvent(const SampleEvent &other);
  SampleEvent &operator=(const SampleEvent &other);
  virtual ~SampleEvent();
  void CleanUp();

  TTimeStamp Stamp{1};
  std::vector<Sample *> EventDataList;
  unsigned short Tail = 0;
  bool Flag = false; // carried by copies, never packed
};

} // namespace

namespace EventRecord {

template <> struct RecordLayout<Item> {
  template <class R, class F> static void Wire(R &r, F &&f) { f(Long(r.Key), RawEnum(r.Type)); }
};

template <> struct RecordLayout<Sample> {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(Long(r.Count), Short(r.Small), Duration(r.Span), Own(r.At), RawEnum(r.Type),
      Vector(r.Keys, Long), Vector(r.Spans, Duration), Vector(r.Items, Own), Own(r.Name));
  }
};

template <> struct EventLayout<SampleEvent> : ListOnly<Sample> {
  static constexpr const char *kSource = "EventData/tstSample";
  static constexpr const char *kReleaseFailed = "SampleEvent::CleanUp: Exception occured";
  static constexpr Release kRelease = Release::kFromBack;
  template <class E, class F> static void Header(E &e, F &&f) { f(Own(e.Stamp)); }
  template <class E, class F> static void Trailer(E &e, F &&f) { f(UShort(e.Tail)); }
  static void CopyFixed(SampleEvent &to, const SampleEvent &from) {
    to.Stamp = from.Stamp;
    to.Tail = from.Tail;
    to.Flag = from.Flag;
  }
};

} // namespace EventRecord

namespace {

TPack &operator<<(TPack &p, const Item &r) { return EventRecord::PackRecord(p, r); }
TPack &operator>>(TPack &p, Item &r) { return EventRecord::UnpackRecord(p, r); }
TPack &operator<<(TPack &p, const Sample &r) { return EventRecord::PackRecord(p, r); }
TPack &operator>>(TPack &p, Sample &r) { return EventRecord::UnpackRecord(p, r); }

SampleEvent::SampleEvent(const SampleEvent &other) {
  EventRecord::CopyEvent(*this, other, __LINE__);
}
SampleEvent &SampleEvent::operator=(const SampleEvent &other) {
  EventRecord::AssignEvent(*this, other, __LINE__);
  return *this;
}
SampleEvent::~SampleEvent() { CleanUp(); }
void SampleEvent::CleanUp() { EventRecord::ReleaseRecords(*this, __LINE__); }
TPack &operator<<(TPack &p, const SampleEvent &e) { return EventRecord::PackEvent(p, e); }
TPack &operator>>(TPack &p, SampleEvent &e) { return EventRecord::UnpackEvent(p, e, __LINE__); }

Sample *AddSample(SampleEvent &event, long count) {
  auto *sample = new (__LINE__, "event_machinery_test", nullptr) Sample();
  TMemory::MemReg(__LINE__, "event_machinery_test", sample, sizeof(Sample));
  sample->Count = count;
  event.EventDataList.push_back(sample);
  return sample;
}

class Machinery : public ::testing::Test {
protected:
  void SetUp() override {
    releases.clear();
    watchedList = nullptr;
    assignmentsLeft = -1;
  }
  void TearDown() override {
    watchedList = nullptr;
    assignmentsLeft = -1;
    TMemory::SetFaultPlan({});
  }
};

TEST_F(Machinery, DurationsAndShortNumbersTravelInTheirWireTypes) {
  Sample sample;
  sample.Small = 0x1FFFE; // an int16 kept in a 32-bit member
  sample.Span = Span(1, 1, 1, 1, 5);
  const Bytes bytes = Packed(sample);

  TPack expected(1);
  expected << 0L << short{-2} << 90061L << static_cast<unsigned short>(5);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 12), Contents(expected));

  Sample decoded;
  decoded.Span = Span(9, 9, 9, 9, 9);
  UnpackInto(bytes, decoded);
  EXPECT_EQ(decoded.Small, -2);
  EXPECT_EQ(decoded.Span, Span(1, 1, 1, 1, 5));
  EXPECT_EQ(EventRecord::Text()("Span", EventRecord::AsDuration(decoded.Span)).Close(),
            "{Span:01:01:01.005}");
}

TEST_F(Machinery, RawEnumerationIsFourLittleEndianBytesAndACutOneIsLeftAlone) {
  Item item;
  item.Key = 1;
  item.Type = static_cast<Kind>(0x01020304);
  const Bytes bytes = Packed(item);
  ASSERT_EQ(bytes.size(), 8u);
  EXPECT_EQ(Bytes(bytes.begin() + 4, bytes.end()), (Bytes{4, 3, 2, 1}));

  for (std::size_t cut = 4; cut < 8; ++cut) {
    Item decoded;
    decoded.Type = KIND_SOME;
    EXPECT_EQ(UnpackInto(Bytes(bytes.begin(), bytes.begin() + cut), decoded), cut - 4);
    EXPECT_EQ(decoded.Key, 1);
    EXPECT_EQ(decoded.Type, KIND_SOME);
  }
}

TEST_F(Machinery, VectorsAreReplacedByExactlyWhatIsRead) {
  Sample source;
  source.Keys = {3, 7};
  source.Spans = {Span(0, 0, 0, 2, 0), Span(0, 5, 0, 0, 1)};
  source.Items.resize(2);
  source.Items[1].Key = 9;
  source.Items[1].Type = KIND_SOME;
  const Bytes bytes = Packed(source);

  Sample target;
  target.Keys = {1, 2, 3, 4};
  target.Spans.assign(12, Span(0, 0, 0, 0, 1));
  target.Items.resize(5);
  UnpackInto(bytes, target);
  EXPECT_EQ(target.Keys, source.Keys);
  EXPECT_EQ(target.Spans, source.Spans);
  ASSERT_EQ(target.Items.size(), 2u);
  EXPECT_EQ(target.Items[1].Key, 9);
  EXPECT_EQ(target.Items[1].Type, KIND_SOME);

  // Counts below one read nothing further and leave the vectors empty.
  TPack negative(1);
  negative << 0L << short{0} << 0L << static_cast<unsigned short>(0) << TTimeStamp(1);
  negative.Append("\0\0\0\0", 4);
  negative << -3 << INT_MIN << 0 << std::string("n");
  UnpackInto(Contents(negative), target);
  EXPECT_TRUE(target.Keys.empty());
  EXPECT_TRUE(target.Spans.empty());
  EXPECT_TRUE(target.Items.empty());
  EXPECT_EQ(target.Name, "n");
}

TEST_F(Machinery, HostileVectorCountFailsAtTheFirstMissingElement) {
  TPack hostile(1);
  hostile << 0L << short{0} << 0L << static_cast<unsigned short>(0) << TTimeStamp(1);
  hostile.Append("\0\0\0\0", 4);
  hostile << INT_MAX << 5L;
  Sample target;
  EXPECT_THROW(UnpackInto(Contents(hostile), target), TPackError);
  EXPECT_EQ(target.Keys, std::vector<long>{5});
}

TEST_F(Machinery, TextFramesGroupsAndIntegerLists) {
  EventRecord::Text text;
  text("A", 1);
  text.Group("Cap[Avail,Total,Key]", 4, -5, 6);
  text.List("GK", std::vector<long>{3, 7});
  text.List("None", std::vector<long>{});
  text("F", 12.5f)("G", 100.0f)("S", short{-3})("B", true);
  EXPECT_EQ(text.Close(), "{A:1, Cap[Avail,Total,Key]:[4,-5,6], GK:[3 7 ], None:[], F:12.5, "
                          "G:100, S:-3, B:1}");

  EXPECT_EQ(EventRecord::Text("ContactStats: {")("CID", "x").Close(), "ContactStats: {CID:x}");
  EXPECT_EQ(EventRecord::Text("{ ")("SL", 0).Close(), "{ SL:0}");
  EXPECT_EQ(EventRecord::Text("", ": ")("Rec", 1)("Ans", 2).Close(""), "Rec: 1, Ans: 2");

  TTimeStamp instant(1);
  instant.SetYear(2024);
  instant.SetMonth(2);
  instant.SetDay(29);
  instant.SetHour(13);
  EXPECT_EQ(EventRecord::Text()("At", EventRecord::AsInstant(instant, '/', ':', '.')).Close(),
            "{At:2024/02/29 13:00:00.000}");
}

TEST_F(Machinery, HeaderIsReadBeforeClearingAndTrailerEvenWithoutRecords) {
  SampleEvent source;
  source.Stamp = Span(0, 1, 2, 3, 4);
  source.Tail = 77;
  const Bytes empty = Packed(source);

  SampleEvent target;
  AddSample(target, 1);
  // A payload cut inside the time stamp leaves the records where they were.
  EXPECT_THROW(UnpackInto(Bytes(empty.begin(), empty.begin() + 10), target), TPackError);
  EXPECT_EQ(target.EventDataList.size(), 1u);

  Bytes negative = empty;
  negative[15] = 0xFF; // the count, after the 15-byte time stamp, becomes -1
  negative[16] = negative[17] = negative[18] = 0xFF;
  EXPECT_EQ(UnpackInto(negative, target), 0u);
  EXPECT_TRUE(target.EventDataList.empty());
  EXPECT_EQ(target.Stamp, source.Stamp);
  EXPECT_EQ(target.Tail, 77);
}

TEST_F(Machinery, CleanUpTakesEachPositionOffTheBackBeforeReleasingIt) {
  SampleEvent event;
  for (long count = 1; count <= 3; ++count)
    AddSample(event, count);
  watchedList = &event.EventDataList;
  event.CleanUp();
  EXPECT_EQ(releases, (std::vector<std::pair<long, std::size_t>>{{3, 2}, {2, 1}, {1, 0}}));
}

TEST_F(Machinery, UnpackReleasesTheRecordItCouldNotFinishWithoutLogging) {
  SampleEvent source;
  AddSample(source, 1)->Name = "first";
  AddSample(source, 2)->Name = "second";
  Bytes bytes = Packed(source);
  bytes.resize(bytes.size() - 4); // into the second record's name
  const auto live = TMemory::LiveRegistrations();
  DiagCapture diag;
  releases.clear();
  {
    SampleEvent target;
    EXPECT_THROW(UnpackInto(bytes, target), TPackError);
    ASSERT_EQ(target.EventDataList.size(), 1u);
    EXPECT_EQ(target.EventDataList[0]->Name, "first");
    EXPECT_EQ(releases.size(), 1u); // the half-read second record
    EXPECT_EQ(TMemory::LiveRegistrations(), live + 1);
  }
  EXPECT_EQ(TMemory::LiveRegistrations(), live);
  EXPECT_TRUE(diag.Lines().empty());
}

TEST_F(Machinery, CopyThatFailsPartWayReleasesWhatItCopied) {
  SampleEvent source;
  source.Flag = true;
  for (long count = 1; count <= 3; ++count)
    AddSample(source, count);
  const auto live = TMemory::LiveRegistrations();

  assignmentsLeft = 2;
  EXPECT_THROW(SampleEvent copy(source), std::runtime_error);
  EXPECT_EQ(TMemory::LiveRegistrations(), live);

  SampleEvent target;
  AddSample(target, 9);
  assignmentsLeft = 1;
  EXPECT_THROW(target = source, std::runtime_error);
  EXPECT_TRUE(target.EventDataList.empty());
  EXPECT_TRUE(target.Flag);
  EXPECT_EQ(TMemory::LiveRegistrations(), live);

  assignmentsLeft = -1;
  target = source;
  EXPECT_EQ(target.EventDataList.size(), 3u);
  EXPECT_EQ(Packed(target), Packed(source));
}

} // namespace
