// The wire vocabulary: how one field of a record travels.
//
// A record's layout lists its fields in pack order, each as a codec over the member, made by
// FIELD(Codec, member), which also records the member's name. Every codec has the same face:
//   Pack(pack), Unpack(pack)   the two directions (a codec over a const field only packs)
//   kWireWidth                 the bytes its wire form always takes, 0 for a variable length:
//                              the one width of the codec, that the walk's fast paths and the
//                              sizing (WireWidth, WireSizeOf) read
//   WireSize()                 (variable length only) the bytes the field packs to now
//   Describe(sink)             the field as a (name, value) pair, for records without a text
//   Address()                  the member, so that the text list can be checked against it
//   name                       the member's name, for diagnostics and LastUnpackBreak
//
// Grammar of the codecs (all little-endian, as TPack packs the same types):
//   Long Int Short UShort Bool Float
//                 the member converted to that wire type; unpacking converts back, so an
//                 int16 kept in a 32-bit member packs its low 16 bits and unpacks sign-extended
//   Own           the member's own TPack operators (strings, points in time, enumerations of
//                 the other libraries, nested records)
//   Duration      a TTimeStamp holding a length of time: whole seconds int32, then ms uint16
//   RawEnum       an enumeration of this library as its four bytes, appended raw; read only
//                 when four bytes remain, otherwise the field keeps its value
//   Flags         a TSetFlags as uint32, bit n is flag n; unpacking keeps the low N bits
//   the four list codecs, one per rule for a count that may be hostile:
//   VectorOf(c)   int32 count, elements with codec c; unpacking empties the list and reads
//                 nothing for a count below 1; room is reserved ahead, but never for more
//                 elements than the bytes left could hold
//   AppendList    uint32 count, elements by their own operators, appended to what is there
//   ReplaceList   the same, after emptying the list
//   BoundedList   int32 count; a negative one raises std::length_error "vector<T> too long";
//                 space is reserved at once, but never for more elements than the bytes left
//                 could hold
// Unpacking reads each value straight into its field: a short read (TPackError) leaves the
// fields read so far overwritten and the rest as they were. Elements are read in place; no
// list codec holds room for more elements than the bytes read or left can back, beyond the one
// being read.
//
// Fixed width: the encoding of a codec whose wire form always takes kWireWidth bytes is written
// once, as two members that work on raw bytes the caller has already checked are there:
//   Decode(at)   reads kWireWidth bytes at `at` into the field
//   Encode(at)   writes the field's kWireWidth bytes at `at`
// Its Pack and Unpack are made from them (FixedWire), and so are the walk's fast paths
// (Walk.h), which read or write a run of such fields with one bounds check.
#ifndef STATCLIENT_CORE_CODECS_H_
#define STATCLIENT_CORE_CODECS_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/Describe.h"
#include "core/RawBytes.h"
#include "core/UnpackBreak.h"
#include "framework/TPack.h"
#include "framework/TTimeStamp.h"

namespace statcore {

// The member a codec is over, and its name.
template <class T> struct FieldRef {
  T &field;
  const char *name;
  const void *Address() const { return &field; }
};

// Makes a codec of type Codec<T> over a member: Long(r.VG, "VG"). An object, not a function,
// so that it can also be handed to VectorOf as the codec of the elements.
template <template <class> class Codec> struct CodecMaker {
  template <class T> constexpr Codec<T> operator()(T &field, const char *name) const {
    return {{field, name}};
  }
};

// What unpacking a fixed-width field does when fewer than its bytes are left.
enum class OnShortRead {
  kThrows,     // the TPackError TPack raises for the first part that is not there
  kKeepsField, // nothing: the field and the pack stay as they are
};

// Pack and Unpack of a fixed-width codec Self, made from its Encode and Decode. The wire form
// goes in Parts, each the width of one value TPack would pack or read on its own (Duration:
// the seconds, then the milliseconds), so that an overflow or a short read stops at the same
// part, with the same TPackError and the same bytes or position before it, as packing or
// reading each value with TPack's operators would.
template <class Self, class T, OnShortRead Rule, unsigned long... Parts>
struct FixedWire : FieldRef<T> {
  static constexpr unsigned long kWireWidth = (Parts + ...);

  void Pack(TPack &pack) const {
    unsigned char bytes[kWireWidth];
    static_cast<const Self &>(*this).Encode(bytes);
    const unsigned char *part = bytes;
    ((pack.Append(part, Parts), part += Parts), ...);
  }
  void Unpack(TPack &pack) const {
    if (pack.Length() < kWireWidth) {
      if constexpr (Rule == OnShortRead::kThrows)
        (pack.Behead(Parts), ...); // the first part that is not there throws
      return;
    }
    static_cast<const Self &>(*this).Decode(static_cast<const unsigned char *>(pack.Contents()));
    pack.Behead(kWireWidth);
  }
};

template <class W> struct AsWire {
  template <class T>
  struct Codec : FixedWire<Codec<T>, T, OnShortRead::kThrows, kWireTypeWidth<W>> {
    void Decode(const unsigned char *at) const { this->field = static_cast<T>(LoadWire<W>(at)); }
    void Encode(unsigned char *at) const { StoreWire<W>(at, static_cast<W>(this->field)); }
    void Describe(TFieldSink &sink) const {
      DescribeValue(sink, this->name, static_cast<W>(this->field));
    }
  };
};

inline constexpr CodecMaker<AsWire<long>::Codec> Long{};
inline constexpr CodecMaker<AsWire<int>::Codec> Int{};
inline constexpr CodecMaker<AsWire<short>::Codec> Short{};
inline constexpr CodecMaker<AsWire<unsigned short>::Codec> UShort{};
inline constexpr CodecMaker<AsWire<bool>::Codec> Bool{};
inline constexpr CodecMaker<AsWire<float>::Codec> Float{};

// A point in time is the one type with its own operators whose length is fixed; its raw form
// is TPack's (RawBytes.h).
template <class T>
struct TimeStampCodec : FixedWire<TimeStampCodec<T>, T, OnShortRead::kThrows, kTimeStampWidth> {
  void Decode(const unsigned char *at) const { LoadTimeStamp(at, this->field); }
  void Encode(unsigned char *at) const { StoreTimeStamp(at, this->field); }
  void Describe(TFieldSink &sink) const { DescribeValue(sink, this->name, this->field); }
};

template <class T> unsigned long OwnSize(const T &value);

template <class T> struct OperatorsCodec : FieldRef<T> {
  static constexpr unsigned long kWireWidth = 0;
  void Pack(TPack &pack) const { pack << this->field; }
  void Unpack(TPack &pack) const { pack >> this->field; }
  unsigned long WireSize() const { return OwnSize(this->field); }
  void Describe(TFieldSink &sink) const { DescribeValue(sink, this->name, this->field); }
};

template <class T>
using OwnCodec = std::conditional_t<std::is_same_v<std::remove_const_t<T>, TTimeStamp>,
                                    TimeStampCodec<T>, OperatorsCodec<T>>;

inline constexpr CodecMaker<OwnCodec> Own{};

// Unpacking rebuilds day, hour, minute, second and millisecond from the zero value, each from
// what the previous steps left in the fields (divisions truncate toward zero).
template <class T>
struct DurationCodec : FixedWire<DurationCodec<T>, T, OnShortRead::kThrows, 4, 2> {
  void Decode(const unsigned char *at) const {
    Rebuild(LoadWire<long>(at), LoadWire<unsigned short>(at + 4));
  }
  void Encode(unsigned char *at) const {
    StoreWire<long>(at, Seconds());
    StoreWire<unsigned short>(at + 4, static_cast<unsigned short>(this->field.GetMSecond()));
  }
  void Describe(TFieldSink &sink) const { sink.Text(this->name, DurationText(this->field)); }

private:
  long Seconds() const {
    const TTimeStamp &d = this->field;
    const long long seconds =
        ((static_cast<long long>(d.GetDay()) * 24 + d.GetHour()) * 60 + d.GetMinute()) * 60 +
        d.GetSecond();
    return static_cast<long>(seconds);
  }
  void Rebuild(long total, unsigned short millis) const {
    TTimeStamp &d = this->field;
    const long long seconds = total;
    d.Update(1);
    d.AddDays(static_cast<long>(seconds / 86400));
    const long long afterDays = seconds - 86400LL * d.GetDay();
    d.SetHour(static_cast<unsigned short>(afterDays / 3600));
    const long long afterHours = afterDays - 3600LL * d.GetHour();
    d.SetMinute(static_cast<unsigned short>(afterHours / 60));
    d.SetSecond(static_cast<unsigned short>(afterHours - 60LL * d.GetMinute()));
    d.SetMSecond(millis);
  }
};

inline constexpr CodecMaker<DurationCodec> Duration{};

// These enumerations belong to this library and have no packer of their own, so they travel as
// their four-byte memory image. A payload that ends inside one is not an error, the field just
// keeps its value.
template <class T>
struct RawEnumCodec : FixedWire<RawEnumCodec<T>, T, OnShortRead::kKeepsField, 4> {
  void Decode(const unsigned char *at) const {
    this->field = static_cast<T>(static_cast<std::int32_t>(LoadLittle32(at)));
  }
  void Encode(unsigned char *at) const {
    StoreLittle32(at, static_cast<std::uint32_t>(static_cast<std::int32_t>(this->field)));
  }
  void Describe(TFieldSink &sink) const { DescribeValue(sink, this->name, this->field); }
};

inline constexpr CodecMaker<RawEnumCodec> RawEnum{};

template <class T> struct FlagsCodec : FixedWire<FlagsCodec<T>, T, OnShortRead::kThrows, 4> {
  void Decode(const unsigned char *at) const {
    this->field.FromNumber(LoadWire<unsigned long>(at));
  }
  void Encode(unsigned char *at) const { StoreWire<unsigned long>(at, this->field.ToNumber()); }
  void Describe(TFieldSink &sink) const {
    sink.Integer(this->name, static_cast<long long>(this->field.ToNumber()));
  }
};

inline constexpr CodecMaker<FlagsCodec> Flags{};

// Sizing. A field's bytes on the wire are its codec's width when that is fixed, otherwise what
// its codec's WireSize counts from the values; a record's are the sum over its layout. Nothing
// is packed to count them, except a value of a type whose operators alone know its form (an
// enumeration, once per type), into a counting pack of its own.

// The one width trait: the bytes every field of codec type Codec takes, 0 when they vary.
template <class Codec> inline constexpr unsigned long WireWidth = Codec::kWireWidth;

// Bytes of the wire form of the codecs, or 0 when any of them has a variable length.
template <class... Codec>
inline constexpr unsigned long kFixedWidthOf = ((WireWidth<Codec> != 0) && ...)
                                                   ? (WireWidth<Codec> + ... + 0)
                                                   : 0;

template <class Codec> unsigned long WireSizeOf(const Codec &codec) {
  if constexpr (WireWidth<Codec> != 0)
    return WireWidth<Codec>;
  else
    return codec.WireSize();
}

template <class R> struct Layout;

// Adds up the bytes of the fields handed to it; folds to constants for fixed-width fields.
struct SizeCounter {
  unsigned long &bytes;
  template <class... Codec> void operator()(const Codec &...fields) const {
    bytes += (WireSizeOf(fields) + ... + 0UL);
  }
};

// Bytes of the packed form of `record`, from its layout.
template <class R> unsigned long RecordSize(const R &record) {
  unsigned long bytes = 0;
  Layout<R>::Wire(record, SizeCounter{bytes});
  return bytes;
}

// Adds up the fixed widths of a layout's fields; `fixed` turns false at the first field of
// variable length. Reads no value, so it folds to constants where the layout is visible.
struct FixedWidthCounter {
  unsigned long &width;
  bool &fixed;
  template <class... Codec> void operator()(const Codec &...) const {
    fixed = fixed && kFixedWidthOf<Codec...> != 0;
    width += kFixedWidthOf<Codec...>;
  }
};

// Bytes of every record of class R when all its fields are fixed width, otherwise 0. `record`
// only names the fields: its values do not count.
template <class R> unsigned long FixedRecordWidth(const R &record) {
  unsigned long width = 0;
  bool fixed = true;
  Layout<R>::Wire(record, FixedWidthCounter{width, fixed});
  return fixed ? width : 0;
}

template <class T, class = void> struct HasLayout : std::false_type {};
template <class T>
struct HasLayout<T, std::void_t<decltype(sizeof(Layout<T>))>> : std::true_type {};

template <class T, class = void> struct HasSize : std::false_type {};
template <class T>
struct HasSize<T, std::void_t<decltype(std::declval<const T &>().Size())>> : std::true_type {};

// Bytes `value` packs to, counted by packing it with its own operators into a counting pack of
// its own: for the types of other libraries, whose operators alone know their form.
template <class T> unsigned long PackedByOperators(const T &value) {
  TPack counter(0);
  counter << value;
  return counter.BufferSizeRequired();
}

// Bytes `value` packs to by its own operators: a wire type's width, a string's count and bytes,
// a nested record's size from its layout where that is visible, else its Size(); the width of
// an enumeration's operators; anything else as its operators pack it.
template <class T> unsigned long OwnSize(const T &value) {
  if constexpr (std::is_arithmetic_v<T>) {
    static_assert(kIsWireType<T>, "TPack has no operator for this type");
    return kWireTypeWidth<T>;
  } else if constexpr (std::is_same_v<T, std::string>) {
    return kWireTypeWidth<unsigned int> + static_cast<unsigned long>(value.size());
  } else if constexpr (std::is_same_v<T, TTimeStamp>) {
    return kTimeStampWidth;
  } else if constexpr (HasLayout<T>::value) {
    return RecordSize(value);
  } else if constexpr (HasSize<T>::value) {
    return value.Size();
  } else if constexpr (std::is_enum_v<T>) {
    // The operators of an enumeration pack one number of a fixed width, whatever its value
    // (TCMState an int16, those of the other libraries an int32): counted once per type.
    static const unsigned long width = PackedByOperators(value);
    return width;
  } else {
    return PackedByOperators(value);
  }
}

// The fewest bytes a value of T can pack to, from its default value (its strings and lists
// empty), counted once per type. It bounds only the room reserved ahead of reading, never what
// is read; allocation_bounds_test holds the reservations to the bytes present.
template <class T> unsigned long LeastOwnSize() {
  static const unsigned long least = std::max(OwnSize(T()), 1UL);
  return least;
}

// The fewest bytes one element read by Codec can take: its width when fixed, otherwise that of
// a default element.
template <class Element, class Codec> unsigned long LeastElementSize() {
  if constexpr (WireWidth<Codec> != 0)
    return WireWidth<Codec>;
  else
    return LeastOwnSize<Element>();
}

// Appends a fresh element to `list` and returns it: default-constructed, except time stamps,
// which start from the zero value.
template <class V> typename V::value_type &AppendFresh(V &list) {
  if constexpr (std::is_same_v<typename V::value_type, TTimeStamp>)
    return list.emplace_back(static_cast<unsigned char>(1));
  else
    return list.emplace_back();
}

// Reads `count` elements into `list` with `read(element)`, each into a fresh element appended
// first and dropped again if its reading throws, so that the list holds only elements read in
// full. A short read names the element's index.
template <class V, class Count, class Read> void ReadElements(V &list, Count count, Read &&read) {
  for (Count i = 0; i < count; ++i) {
    auto &value = AppendFresh(list);
    try {
      read(value);
    } catch (...) {
      list.pop_back();
      NoteUnpackBreakIndex(static_cast<unsigned long>(i));
      throw;
    }
  }
}

} // namespace statcore

// The codec of a member of the record `r` in a layout's walk, with the member's name.
#define FIELD(Codec, member) Codec(r.member, #member)

#endif // STATCLIENT_CORE_CODECS_H_
