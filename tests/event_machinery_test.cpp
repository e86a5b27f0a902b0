// What the event machinery offers that no event family uses yet, exercised through a record
// and an event made up for the test: wire fields before the list, a copy that fails part way,
// and the text helpers' separators and points in time.
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/Define.h"
#include "support/Spans.h"

namespace {

int assignmentsLeft = -1; // Sample assignments still to succeed; -1 never fails

struct Sample {
  Sample() = default;
  Sample(const Sample &other) { *this = other; }
  Sample &operator=(const Sample &other) {
    if (assignmentsLeft == 0)
      throw std::runtime_error("assignment fails");
    if (assignmentsLeft > 0)
      --assignmentsLeft;
    Count = other.Count;
    return *this;
  }
  virtual ~Sample() = default;
  long Count = 0;
};

struct SampleEvent {
  SampleEvent() = default;
  SampleEvent(const SampleEvent &other);
  SampleEvent &operator=(const SampleEvent &other);
  virtual ~SampleEvent();

  TTimeStamp Stamp{1};
  std::vector<Sample *> EventDataList;
  unsigned short Tail = 0;
  bool Flag = false; // carried by copies, never packed
};

} // namespace

namespace statcore {

template <> struct Layout<Sample> {
  template <class R, class F> static void Wire(R &r, F &&f) { f(FIELD(Long, Count)); }
};

template <> struct EventLayout<SampleEvent> : ListOnly<Sample> {
  static constexpr const char *kSource = "EventData/tstSample";
  static constexpr const char *kReleaseFailed = "SampleEvent::CleanUp: Exception occured";
  template <class E, class F> static void Header(E &r, F &&f) { f(FIELD(Own, Stamp)); }
  template <class E, class F> static void Trailer(E &r, F &&f) { f(FIELD(UShort, Tail)); }
  static void CopyFixed(SampleEvent &to, const SampleEvent &from) {
    to.Stamp = from.Stamp;
    to.Tail = from.Tail;
    to.Flag = from.Flag;
  }
};

} // namespace statcore

namespace {

TPack &operator<<(TPack &p, const Sample &r) { return statcore::PackRecord(p, r); }
TPack &operator>>(TPack &p, Sample &r) { return statcore::UnpackRecord(p, r); }

SampleEvent::SampleEvent(const SampleEvent &other) { statcore::CopyEvent(*this, other, __LINE__); }
SampleEvent &SampleEvent::operator=(const SampleEvent &other) {
  statcore::AssignEvent(*this, other, __LINE__);
  return *this;
}
SampleEvent::~SampleEvent() { statcore::ReleaseRecords(*this, __LINE__); }
TPack &operator<<(TPack &p, const SampleEvent &e) { return statcore::PackEvent(p, e); }
TPack &operator>>(TPack &p, SampleEvent &e) { return statcore::UnpackEvent(p, e, __LINE__); }

void AddSample(SampleEvent &event, long count) { AddRecord(event)->Count = count; }

TEST(Machinery, HeaderIsReadBeforeClearingAndTrailerEvenWithoutRecords) {
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
  PutInt(negative, 15, -1); // the count, after the 15-byte time stamp
  EXPECT_EQ(UnpackInto(negative, target), 0u);
  EXPECT_TRUE(target.EventDataList.empty());
  EXPECT_EQ(target.Stamp, source.Stamp);
  EXPECT_EQ(target.Tail, 77);
}

TEST(Machinery, CopyThatFailsPartWayReleasesWhatItCopied) {
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
  assignmentsLeft = -1;
  EXPECT_TRUE(target.EventDataList.empty());
  EXPECT_TRUE(target.Flag);
  EXPECT_EQ(TMemory::LiveRegistrations(), live);

  target = source;
  EXPECT_EQ(Packed(target), Packed(source));
}

// A text with the record's own separators, an item's own colon, a point in time and a group.
struct Styled {
  long Rec = 1;
  long Ans = 2;
  TTimeStamp At{1};
};

} // namespace

namespace statcore {

template <> struct Layout<Styled> {
  static constexpr TextStyle kStyle{"", ": ", ""};
  template <class R, class F> static void Text(R &r, F &&f) {
    f(Show("Rec", r.Rec), Show("Ans", r.Ans).Colon("="), Group("G", r.Rec, r.Ans),
      ShowInstant("At", r.At, '/', ':', '.'));
  }
};

} // namespace statcore

namespace {

TEST(Machinery, TextSeparatorsAndInstants) {
  Styled styled;
  styled.At.SetYear(2024);
  styled.At.SetMonth(2);
  styled.At.SetDay(29);
  styled.At.SetHour(13);
  EXPECT_EQ(statcore::RenderLine(styled), "Rec: 1, Ans=2, G: [1,2], At: 2024/02/29 13:00:00.000");
}

} // namespace
