// The record and event machinery over records made up for the test. Three things are held to
// a reference here:
//   - each fixed-width codec's Pack and Unpack, made from its Encode and Decode, against TPack's
//     operators of its wire values (FixedCodecs);
//   - the walk's one-pass reading and writing of fixed-width fields against the field codecs'
//     own Unpack and Pack, one field at a time (FixedWidthWalk);
//   - an event's packing, unpacking and size, with one writer or reader for the whole payload
//     and a multiplication for a list of fixed-width records, against the same done field by
//     field (EventWalk).
// For every length a payload can be cut to, and every size a caller's buffer can have, both
// must leave the same fields, the same pack position, the same bytes, the same TPackError
// (offset, needed, available) and the same LastUnpackBreak. And a copy of an event that fails
// part way.
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
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

} // namespace

// Records and an event made up for the event walk: the samples of either layout, listed after
// a time stamp and followed by one more field.
namespace {

struct FixedSample : Sample {};
struct MixedSample : Sample {};

template <class R> struct SampleEvent {
  SampleEvent() = default;
  SampleEvent(const SampleEvent &) = delete;
  SampleEvent &operator=(const SampleEvent &) = delete;
  ~SampleEvent() { ReleaseRecords(*this, __LINE__); }

  TTimeStamp TimeStamp{1};
  std::vector<R *> EventDataList;
  long Closing = 0;
};

} // namespace

namespace statcore {

template <> struct Layout<FixedSample> : FixedOnly {};
template <> struct Layout<MixedSample> : Mixed {};

template <class R> struct EventLayout<SampleEvent<R>> : StampThenList<R> {
  static constexpr const char *kSource = "EventData/tstSample";
  static constexpr const char *kReleaseFailed = "SampleEvent::Clear: Exception occured";
  template <class E, class F> static void Trailer(E &r, F &&f) { f(FIELD(Long, Closing)); }
};

} // namespace statcore

namespace {

// What an event holds, as values: what the reference reads into and packs from.
template <class R> struct Plain {
  TTimeStamp TimeStamp{1};
  std::vector<R> records;
  long Closing = 0;
};

template <class R> Plain<R> PlainOf(const SampleEvent<R> &event) {
  Plain<R> plain;
  plain.TimeStamp = event.TimeStamp;
  for (const R *record : event.EventDataList)
    plain.records.push_back(*record);
  plain.Closing = event.Closing;
  return plain;
}

template <class R> void Fill(SampleEvent<R> &event, long seed, int records) {
  Distinct(seed, event.TimeStamp, event.Closing);
  for (int i = 0; i < records; ++i)
    AppendRecord(event, {"EventData/tstSample", __LINE__},
                 [&](R &record) { static_cast<Sample &>(record) = Filled(seed + i); });
}

// The reference: the event's fields, the count and each record's fields, one by one.
template <class R> void PackByFields(TPack &pack, const Plain<R> &plain) {
  using Event = EventLayout<SampleEvent<R>>;
  const PackOneByOne fields{pack};
  Event::Header(plain, fields);
  const int count = static_cast<int>(plain.records.size());
  fields(Int(count, "EventDataList"));
  for (const R &record : plain.records)
    Layout<R>::Wire(record, fields);
  Event::Trailer(plain, fields);
}

template <class R> Bytes PackedByFields(const Plain<R> &plain) {
  return PackedBytes([&](TPack &pack) { PackByFields(pack, plain); });
}

// Reads the first `cut` bytes into an event that holds two records of its own, with UnpackEvent
// or, when `byFields`, as the reference does.
template <class R> ReadOutcome ReadEventCut(const Bytes &bytes, std::size_t cut, bool byFields) {
  Bytes payload(bytes.begin(), bytes.begin() + static_cast<long>(cut));
  TPack pack(payload.data(), static_cast<unsigned long>(payload.size()));
  SampleEvent<R> event;
  Fill(event, 7, 2);
  Plain<R> plain = PlainOf(event);
  std::string error, breakPath;
  try {
    if (!byFields) {
      UnpackEvent(pack, event, __LINE__);
    } else {
      using Event = EventLayout<SampleEvent<R>>;
      const OneByOne fields{pack};
      Event::Header(plain, fields);
      plain.records.clear();
      int count = 0;
      fields(Int(count, "EventDataList"));
      for (int i = 0; i < count; ++i) {
        R record;
        try {
          Layout<R>::Wire(record, fields);
        } catch (...) {
          NoteUnpackBreakIndex(static_cast<unsigned long>(i));
          NoteUnpackBreakField("EventDataList");
          throw;
        }
        plain.records.push_back(record);
      }
      Event::Trailer(plain, fields);
    }
  } catch (const TPackError &e) {
    error = e.what();
    breakPath = LastUnpackBreak();
  }
  return {PackedByFields(byFields ? plain : PlainOf(event)), pack.StartOffset(), error, breakPath};
}

template <class Write> WriteOutcome WriteEventInto(std::size_t size, Write &&write) {
  Bytes buffer(size + 1, 0xee);
  TPack pack(1);
  pack.SetBuffer(buffer.data(), static_cast<unsigned long>(size));
  std::string error;
  try {
    write(pack);
  } catch (const TPackError &e) {
    error = e.what();
  }
  return {buffer, pack.NextOffset(), pack.BytesNeeded(), error};
}

template <class R> class EventWalk : public ::testing::Test {};
using SampleRecords = ::testing::Types<FixedSample, MixedSample>;
TYPED_TEST_SUITE(EventWalk, SampleRecords, );

// With no record, one and three: the event packs to the reference's bytes, its size is their
// count, every cut reads as the reference reads it and every buffer size is written as the
// reference writes it.
TYPED_TEST(EventWalk, ReadsEveryCutWritesEveryBufferSizeAndCountsTheBytesAsFieldByField) {
  for (int records : {0, 1, 3}) {
    SCOPED_TRACE(std::to_string(records) + " records");
    SampleEvent<TypeParam> source;
    Fill(source, 1, records);
    const Plain<TypeParam> plain = PlainOf(source);
    const Bytes bytes = PackedByFields(plain);
    EXPECT_EQ(PackedBytes([&](TPack &pack) { PackEvent(pack, source); }), bytes);
    EXPECT_EQ(PackedEventSize(source), bytes.size());
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
      SCOPED_TRACE("cut to " + std::to_string(cut) + " bytes");
      EXPECT_EQ(ReadEventCut<TypeParam>(bytes, cut, false),
                ReadEventCut<TypeParam>(bytes, cut, true));
      EXPECT_EQ(WriteEventInto(cut, [&](TPack &pack) { PackEvent(pack, source); }),
                WriteEventInto(cut, [&](TPack &pack) { PackByFields(pack, plain); }));
    }
  }
}

// A fixed-width codec against TPack's operators. `Make(value)` builds the codec over a value,
// `Put(pack, value)` and `Get(pack, value)` pack and read the same value with the operators,
// one wire value after the other. The value starts from `start` before each read.
template <class T, class Make, class Put, class Get>
void ExpectPackedAndReadAsByOperators(const T &value, const T &start, Make make, Put put, Get get) {
  const Bytes bytes = PackedBytes([&](TPack &pack) { put(pack, value); });
  EXPECT_EQ(PackedBytes([&](TPack &pack) { make(value).Pack(pack); }), bytes);
  // What a read leaves: the value, packed again, the position and the error's text.
  auto read = [&](std::size_t cut, auto &&reading) {
    Bytes payload(bytes.begin(), bytes.begin() + static_cast<long>(cut));
    TPack pack(payload.data(), static_cast<unsigned long>(payload.size()));
    T target = start;
    std::string error;
    try {
      reading(pack, target);
    } catch (const TPackError &e) {
      error = e.what();
    }
    return std::make_tuple(PackedBytes([&](TPack &again) { put(again, std::as_const(target)); }),
                           pack.StartOffset(), error);
  };
  auto write = [&](std::size_t size, auto &&writing) {
    Bytes buffer(size + 1, 0xee);
    TPack pack(1);
    pack.SetBuffer(buffer.data(), static_cast<unsigned long>(size));
    std::string error;
    try {
      writing(pack);
    } catch (const TPackError &e) {
      error = e.what();
    }
    return std::make_tuple(buffer, pack.NextOffset(), pack.BytesNeeded(), error);
  };
  for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
    SCOPED_TRACE("cut to " + std::to_string(cut) + " bytes");
    EXPECT_EQ(read(cut, [&](TPack &pack, T &target) { make(target).Unpack(pack); }),
              read(cut, get));
    EXPECT_EQ(write(cut, [&](TPack &pack) { make(value).Pack(pack); }),
              write(cut, [&](TPack &pack) { put(pack, value); }));
  }
}

// The operators read and pack a wire value of type W kept in a T.
template <class W> struct ByOperatorsAs {
  template <class T> void operator()(TPack &pack, const T &value) const {
    pack << static_cast<W>(value);
  }
  template <class T> void operator()(TPack &pack, T &value) const {
    W wire{};
    pack >> wire;
    value = static_cast<T>(wire);
  }
};

template <class Maker> auto Over(Maker maker) {
  return [maker](auto &value) { return maker(value, "value"); };
}

TEST(FixedCodecs, PackAndReadEveryCutAsThePackOperatorsOfTheirWireValues) {
  const ByOperatorsAs<long> asLong;
  ExpectPackedAndReadAsByOperators(-5L - (1L << 40), 7L, Over(Long), asLong, asLong);
  const ByOperatorsAs<int> asInt;
  ExpectPackedAndReadAsByOperators(-70000, 3, Over(Int), asInt, asInt);
  const ByOperatorsAs<short> asShort; // an int16 kept in a 32-bit member
  ExpectPackedAndReadAsByOperators(-70001L, 9L, Over(Short), asShort, asShort);
  const ByOperatorsAs<unsigned short> asUShort;
  ExpectPackedAndReadAsByOperators(0xfedcL, 1L, Over(UShort), asUShort, asUShort);
  const ByOperatorsAs<bool> asBool;
  ExpectPackedAndReadAsByOperators(true, false, Over(Bool), asBool, asBool);
  const ByOperatorsAs<float> asFloat;
  ExpectPackedAndReadAsByOperators(-1.25f, 8.5f, Over(Float), asFloat, asFloat);

  // A point in time packed whole.
  TTimeStamp stamp(1), start(1);
  Distinct(4, stamp);
  Distinct(9, start);
  const ByOperatorsAs<TTimeStamp> asStamp;
  ExpectPackedAndReadAsByOperators(stamp, start, Over(Own), asStamp, asStamp);

  // A length of time: the seconds, then the milliseconds, each a value of its own.
  TTimeStamp span(1);
  span.AddDays(2);
  span.SetHour(3);
  span.SetMinute(4);
  span.SetSecond(5);
  span.SetMSecond(678);
  ExpectPackedAndReadAsByOperators(
      span, start, Over(Duration),
      [](TPack &pack, const TTimeStamp &value) {
        pack << ((value.GetDay() * 24L + value.GetHour()) * 60 + value.GetMinute()) * 60 +
                    value.GetSecond()
             << value.GetMSecond();
      },
      [](TPack &pack, TTimeStamp &value) {
        long total = 0;
        unsigned short millis = 0;
        pack >> total >> millis;
        value.Update(1);
        value.AddDays(total / 86400);
        value.SetHour(static_cast<unsigned short>(total % 86400 / 3600));
        value.SetMinute(static_cast<unsigned short>(total % 3600 / 60));
        value.SetSecond(static_cast<unsigned short>(total % 60));
        value.SetMSecond(millis);
      });

  // An enumeration of this library: four bytes, and a short payload leaves it as it was.
  ExpectPackedAndReadAsByOperators(
      Kind::kSome, Kind::kNone, Over(RawEnum),
      [](TPack &pack, Kind value) { pack.PutInt32(static_cast<std::int32_t>(value)); },
      [](TPack &pack, Kind &value) {
        if (pack.CanRemove(4))
          value = static_cast<Kind>(pack.GetInt32());
      });
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
