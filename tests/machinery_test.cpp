// The record and event machinery over records made up for the test. The walk's one-pass reading
// and writing of fixed-width fields against the field codecs' own Unpack and Pack, one field at
// a time: for every length a payload can be cut to, and every size a caller's buffer can have,
// both must leave the same fields, the same pack position, the same bytes, the same TPackError
// (offset, needed, available) and the same LastUnpackBreak. And a copy of an event that fails
// part way.
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "core/Define.h"
#include "event_fill.h"

namespace {

enum class Kind { kNone = 0, kSome = 7 };

// Every kind of codec the walk knows, fixed and variable width.
struct Sample {
  long count = 0;
  short small = 0;
  bool flag = false;
  float ratio = 0;
  unsigned short code = 0;
  TTimeStamp span{1};
  Kind kind = Kind::kNone;
  TTimeStamp stamp{1};
  std::string text;
  std::vector<long> list;
  long tail = 0;
};

using namespace statcore;

// The two layouts under test: only fixed-width fields, and fixed fields around variable ones.
struct FixedOnly {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, count), FIELD(Short, small), FIELD(Bool, flag), FIELD(Float, ratio),
      FIELD(UShort, code), FIELD(Duration, span), FIELD(RawEnum, kind), FIELD(Own, stamp),
      FIELD(Long, tail));
  }
};
struct Mixed {
  template <class R, class F> static void Wire(R &r, F &&f) {
    f(FIELD(Long, count), FIELD(Own, text), FIELD(Short, small), FIELD(Duration, span),
      FIELD(VectorOf(Long), list), FIELD(Own, stamp), FIELD(Bool, flag), FIELD(Long, tail));
  }
};

// The reference: each field's own codec, one after the other.
struct OneByOne {
  TPack &pack;
  template <class... Codec> void operator()(const Codec &...fields) const {
    (Unpacker{pack}.Read(fields), ...);
  }
};
struct PackOneByOne {
  TPack &pack;
  template <class... Codec> void operator()(const Codec &...fields) const {
    (fields.Pack(pack), ...);
  }
};

// Every field distinct from its default and from one seed to the next.
Sample Filled(long seed) {
  Sample s;
  Distinct(seed, s.count, s.small, s.flag, s.ratio, s.code, s.span, s.kind, s.stamp, s.text,
           s.tail);
  s.flag = seed < 5; // the records read are the targets' opposites
  s.stamp.SetYear(static_cast<unsigned short>(2000 + seed));
  s.list = {seed, -seed};
  return s;
}

// Packs the records of the seeds 1, 2 and 3 with `Walk`; a TPackError's text ends the writing.
template <class Layout, class Walk> std::string WriteThree(TPack &pack) {
  try {
    for (const Sample &record : {Filled(1), Filled(2), Filled(3)})
      Layout::Wire(record, Walk{pack});
  } catch (const TPackError &error) {
    return error.what();
  }
  return {};
}

// The records read (packed again by the reference), the pack position, the error's text and
// the break noted.
using ReadOutcome = std::tuple<Bytes, unsigned long, std::string, std::string>;

// Reads three records with `Walk` from the first `cut` bytes of `bytes`, into records that
// start out holding other values, so that a field left unread shows.
template <class Layout, class Walk> ReadOutcome ReadThree(const Bytes &bytes, std::size_t cut) {
  Bytes payload(bytes.begin(), bytes.begin() + static_cast<long>(cut));
  TPack pack(payload.data(), static_cast<unsigned long>(payload.size()));
  std::vector<Sample> records = {Filled(7), Filled(8), Filled(9)};
  std::string error, breakPath;
  try {
    for (Sample &record : records)
      Layout::Wire(record, Walk{pack});
  } catch (const TPackError &e) {
    error = e.what();
    breakPath = LastUnpackBreak();
  }
  return {PackedBytes([&](TPack &again) {
            for (const Sample &record : records)
              Layout::Wire(record, PackOneByOne{again});
          }),
          pack.StartOffset(), error, breakPath};
}

// The caller's buffer (with one guard byte the pack is not given), the next offset, the bytes
// needed and the error's text.
using WriteOutcome = std::tuple<Bytes, unsigned long, unsigned long, std::string>;

template <class Layout, class Walk> WriteOutcome WriteInto(std::size_t size) {
  Bytes buffer(size + 1, 0xee);
  TPack pack(1);
  pack.SetBuffer(buffer.data(), static_cast<unsigned long>(size));
  const std::string error = WriteThree<Layout, Walk>(pack);
  return {buffer, pack.NextOffset(), pack.BytesNeeded(), error};
}

template <class Layout> Bytes PackedThree() {
  return PackedBytes([](TPack &pack) { WriteThree<Layout, PackOneByOne>(pack); });
}

template <class Layout> class FixedWidthWalk : public ::testing::Test {};
using Layouts = ::testing::Types<FixedOnly, Mixed>;
TYPED_TEST_SUITE(FixedWidthWalk, Layouts, );

// Every cut of the payload reads as the field codecs read it, and read whole the records pack
// to the same bytes again. Into a caller's buffer of every size: the same bytes up to the same
// field, then the same overflow; the buffer of the exact size takes all of it.
TYPED_TEST(FixedWidthWalk, ReadsEveryCutAndWritesEveryBufferSizeAsTheFieldCodecsDo) {
  const Bytes bytes = PackedThree<TypeParam>();
  for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
    SCOPED_TRACE("payload cut to " + std::to_string(cut) + " bytes");
    const ReadOutcome walked = ReadThree<TypeParam, Unpacker>(bytes, cut);
    EXPECT_EQ(walked, (ReadThree<TypeParam, OneByOne>(bytes, cut)));
    EXPECT_EQ(std::get<2>(walked).empty(), cut == bytes.size());
    EXPECT_EQ((WriteInto<TypeParam, Packer>(cut)), (WriteInto<TypeParam, PackOneByOne>(cut)));
  }
  EXPECT_EQ(std::get<0>(ReadThree<TypeParam, Unpacker>(bytes, bytes.size())), bytes);
  Bytes whole = bytes;
  whole.push_back(0xee);
  EXPECT_EQ((WriteInto<TypeParam, Packer>(bytes.size())),
            (WriteOutcome{whole, bytes.size(), bytes.size(), ""}));
}

// A record and an event made up to copy an event that fails part way, which no record of the
// library can be made to do: the record's assignment throws on request.
int assignmentsLeft = -1; // ThrowingRecord assignments still to succeed; -1 never fails

struct ThrowingRecord {
  ThrowingRecord() = default;
  ThrowingRecord(const ThrowingRecord &) = delete;
  ThrowingRecord &operator=(const ThrowingRecord &other) {
    if (assignmentsLeft == 0)
      throw std::runtime_error("assignment fails");
    if (assignmentsLeft > 0)
      --assignmentsLeft;
    Count = other.Count;
    return *this;
  }
  long Count = 0;
};

struct ThrowingEvent {
  ThrowingEvent() = default;
  ThrowingEvent(const ThrowingEvent &other);
  ThrowingEvent &operator=(const ThrowingEvent &other);
  virtual ~ThrowingEvent();

  std::vector<ThrowingRecord *> EventDataList;
  bool Flag = false; // carried by copies, never packed
};

} // namespace

namespace statcore {

template <> struct Layout<ThrowingRecord> {
  template <class R, class F> static void Wire(R &r, F &&f) { f(FIELD(Long, Count)); }
};

template <> struct EventLayout<ThrowingEvent> : ListOnly<ThrowingRecord> {
  static constexpr const char *kSource = "EventData/tstRecord";
  static constexpr const char *kReleaseFailed = "ThrowingEvent::CleanUp: Exception occured";
  static void CopyFixed(ThrowingEvent &to, const ThrowingEvent &from) { to.Flag = from.Flag; }
};

} // namespace statcore

namespace {

ThrowingEvent::ThrowingEvent(const ThrowingEvent &other) {
  statcore::CopyEvent(*this, other, __LINE__);
}
ThrowingEvent &ThrowingEvent::operator=(const ThrowingEvent &other) {
  statcore::AssignEvent(*this, other, __LINE__);
  return *this;
}
ThrowingEvent::~ThrowingEvent() { statcore::ReleaseRecords(*this, __LINE__); }
TPack &operator<<(TPack &p, const ThrowingEvent &e) { return statcore::PackEvent(p, e); }

void AddCount(ThrowingEvent &event, long count) { AddRecord(event)->Count = count; }

TEST(Machinery, CopyThatFailsPartWayReleasesWhatItCopied) {
  ThrowingEvent source;
  source.Flag = true;
  for (long count = 1; count <= 3; ++count)
    AddCount(source, count);
  const auto live = TMemory::LiveRegistrations();

  assignmentsLeft = 2;
  EXPECT_THROW(ThrowingEvent copy(source), std::runtime_error);
  EXPECT_EQ(TMemory::LiveRegistrations(), live);

  ThrowingEvent target;
  AddCount(target, 9);
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
