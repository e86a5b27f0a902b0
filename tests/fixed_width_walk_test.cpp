// The walk's one-pass reading and writing of fixed-width fields against the field codecs' own
// Unpack and Pack, one field at a time: for every length a payload can be cut to, and every
// size a caller's buffer can have, both must leave the same fields, the same pack position,
// the same bytes, the same TPackError (offset, needed, available) and the same LastUnpackBreak.
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/Define.h"
#include "support/Spans.h"

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

  bool operator==(const Sample &other) const {
    return count == other.count && small == other.small && flag == other.flag &&
           ratio == other.ratio && code == other.code && span == other.span && kind == other.kind &&
           stamp == other.stamp && text == other.text && list == other.list && tail == other.tail;
  }
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

Sample Filled(long seed) {
  Sample s;
  s.count = -seed * 1000 - 1;
  s.small = static_cast<short>(-seed - 2);
  s.flag = seed % 2 == 1;
  s.ratio = 0.25f * static_cast<float>(seed);
  s.code = static_cast<unsigned short>(60000 + seed);
  s.span = Span(1, 2, 3, static_cast<unsigned short>(seed), 5);
  s.kind = Kind::kSome;
  s.stamp = Span(0, 0, 0, 0, static_cast<unsigned short>(seed));
  s.stamp.SetYear(static_cast<unsigned short>(2000 + seed));
  s.text = "text-" + std::to_string(seed);
  s.list = {seed, -seed};
  s.tail = 0x7fffffff - seed;
  return s;
}

struct Outcome {
  std::vector<Sample> records;
  unsigned long position = 0;
  std::optional<TPackError> error;
  std::string breakPath;
};

// Reads three records with `Walk` from the first `cut` bytes of `bytes`, into records that
// start out holding other values, so that a field left unread shows.
template <class Layout, class Walk> Outcome ReadThree(const Bytes &bytes, std::size_t cut) {
  Bytes payload(bytes.begin(), bytes.begin() + static_cast<long>(cut));
  TPack pack(payload.data(), static_cast<unsigned long>(payload.size()));
  Outcome outcome;
  outcome.records = {Filled(7), Filled(8), Filled(9)};
  try {
    for (Sample &record : outcome.records)
      Layout::Wire(record, Walk{pack});
  } catch (const TPackError &error) {
    outcome.error = error;
    outcome.breakPath = LastUnpackBreak();
  }
  outcome.position = pack.StartOffset();
  return outcome;
}

template <class Layout> Bytes PackedThree() {
  TPack pack(1);
  for (long seed = 1; seed <= 3; ++seed) {
    const Sample record = Filled(seed);
    Layout::Wire(record, PackOneByOne{pack});
  }
  const auto *start = static_cast<const unsigned char *>(pack.Contents());
  return Bytes(start, start + pack.Length());
}

struct Written {
  Bytes buffer;
  unsigned long next, needed;
  std::optional<unsigned long> overflowAt;
  bool operator==(const Written &other) const {
    return buffer == other.buffer && next == other.next && needed == other.needed &&
           overflowAt == other.overflowAt;
  }
};

// Writes three records with `Walk` into a caller's buffer of `size` bytes (and one guard byte
// the pack is not given).
template <class Layout, class Walk> Written WriteThree(std::size_t size) {
  Written written{Bytes(size + 1, 0xee), 0, 0, std::nullopt};
  TPack pack(1);
  pack.SetBuffer(written.buffer.data(), static_cast<unsigned long>(size));
  try {
    for (long seed = 1; seed <= 3; ++seed) {
      const Sample record = Filled(seed);
      Layout::Wire(record, Walk{pack});
    }
  } catch (const TPackError &error) {
    written.overflowAt = error.Offset();
  }
  written.next = pack.NextOffset();
  written.needed = pack.BytesNeeded();
  return written;
}

template <class Layout> class FixedWidthWalk : public ::testing::Test {};
using Layouts = ::testing::Types<FixedOnly, Mixed>;
TYPED_TEST_SUITE(FixedWidthWalk, Layouts, );

TYPED_TEST(FixedWidthWalk, ReadsEveryCutAsTheFieldCodecsDo) {
  const Bytes bytes = PackedThree<TypeParam>();
  for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
    SCOPED_TRACE("payload cut to " + std::to_string(cut) + " bytes");
    const Outcome walked = ReadThree<TypeParam, Unpacker>(bytes, cut);
    const Outcome reference = ReadThree<TypeParam, OneByOne>(bytes, cut);
    EXPECT_TRUE(walked.records == reference.records);
    EXPECT_EQ(walked.position, reference.position);
    ASSERT_EQ(walked.error.has_value(), reference.error.has_value());
    ASSERT_EQ(walked.error.has_value(), cut < bytes.size());
    if (walked.error) {
      EXPECT_EQ(walked.error->Offset(), reference.error->Offset());
      EXPECT_EQ(walked.error->Needed(), reference.error->Needed());
      EXPECT_EQ(walked.error->Available(), reference.error->Available());
      EXPECT_EQ(walked.breakPath, reference.breakPath);
    }
  }
  // Read whole, the records pack to the same bytes again.
  const Outcome whole = ReadThree<TypeParam, Unpacker>(bytes, bytes.size());
  TPack again(1);
  for (const Sample &record : whole.records)
    TypeParam::Wire(record, PackOneByOne{again});
  const auto *start = static_cast<const unsigned char *>(again.Contents());
  EXPECT_EQ(Bytes(start, start + again.Length()), bytes);
}

// Into a caller's buffer of every size: the same bytes up to the same field, then the same
// overflow.
TYPED_TEST(FixedWidthWalk, WritesIntoEveryBufferSizeAsTheFieldCodecsDo) {
  const Bytes expected = PackedThree<TypeParam>();
  for (std::size_t size = 0; size <= expected.size(); ++size) {
    SCOPED_TRACE("buffer of " + std::to_string(size) + " bytes");
    EXPECT_EQ((WriteThree<TypeParam, Packer>(size)), (WriteThree<TypeParam, PackOneByOne>(size)));
  }
  const Written whole = WriteThree<TypeParam, Packer>(expected.size());
  EXPECT_EQ(Bytes(whole.buffer.begin(), whole.buffer.end() - 1), expected);
  EXPECT_FALSE(whole.overflowAt.has_value());
}

} // namespace
