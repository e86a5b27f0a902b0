// A copy of an event that fails part way, which no record of the library can be made to do: a
// record and an event made up for the test, whose record assignment throws on request.
#include <stdexcept>
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

  std::vector<Sample *> EventDataList;
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
  static void CopyFixed(SampleEvent &to, const SampleEvent &from) { to.Flag = from.Flag; }
};

} // namespace statcore

namespace {

TPack &operator<<(TPack &p, const Sample &r) { return statcore::PackRecord(p, r); }

SampleEvent::SampleEvent(const SampleEvent &other) { statcore::CopyEvent(*this, other, __LINE__); }
SampleEvent &SampleEvent::operator=(const SampleEvent &other) {
  statcore::AssignEvent(*this, other, __LINE__);
  return *this;
}
SampleEvent::~SampleEvent() { statcore::ReleaseRecords(*this, __LINE__); }
TPack &operator<<(TPack &p, const SampleEvent &e) { return statcore::PackEvent(p, e); }

void AddSample(SampleEvent &event, long count) { AddRecord(event)->Count = count; }

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

} // namespace
