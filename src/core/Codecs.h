// The wire vocabulary: how one field of a record travels.
//
// A record's layout lists its fields in pack order, each as a codec over the member, made by
// FIELD(Codec, member), which also records the member's name. Every codec has the same face:
//   Pack(pack), Unpack(pack)   the two directions (a codec over a const field only packs)
//   Describe(sink)             the field as a (name, value) pair, for records without a text
//   Address()                  the member, so that the text list can be checked against it
//   name                       the member's name, for diagnostics and LastUnpackBreak
//
// Grammar of the codecs (all little-endian, see TPack):
//   Long Int Short UShort UInt ULong Bool Float
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
// Fixed width: a codec whose wire form always takes the same number of bytes says so in
// kWireWidth (0 for a variable length) and offers two more members that work on raw bytes the
// caller has already checked are there:
//   Decode(at)   reads kWireWidth bytes at `at` into the field, exactly as Unpack would
//   Encode(at)   writes the field's kWireWidth bytes at `at`, exactly as Pack would
// The walk (Walk.h) uses them to read or write a run of such fields with one bounds check.
#ifndef STATCLIENT_CORE_CODECS_H_
#define STATCLIENT_CORE_CODECS_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
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

template <class W> struct AsWire {
  template <class T> struct Codec : FieldRef<T> {
    static constexpr unsigned long kWireWidth = WireWidth<W>;
    void Pack(TPack &pack) const { pack << static_cast<W>(this->field); }
    void Decode(const unsigned char *at) const { this->field = static_cast<T>(LoadWire<W>(at)); }
    void Encode(unsigned char *at) const { StoreWire<W>(at, static_cast<W>(this->field)); }
    void Unpack(TPack &pack) const {
      if constexpr (std::is_same_v<W, std::remove_const_t<T>>) {
        pack >> this->field;
      } else {
        W wire{};
        pack >> wire;
        this->field = static_cast<T>(wire);
      }
    }
    void Describe(TFieldSink &sink) const {
      DescribeValue(sink, this->name, static_cast<W>(this->field));
    }
  };
};

inline constexpr CodecMaker<AsWire<long>::Codec> Long{};
inline constexpr CodecMaker<AsWire<int>::Codec> Int{};
inline constexpr CodecMaker<AsWire<short>::Codec> Short{};
inline constexpr CodecMaker<AsWire<unsigned short>::Codec> UShort{};
inline constexpr CodecMaker<AsWire<unsigned int>::Codec> UInt{};
inline constexpr CodecMaker<AsWire<unsigned long>::Codec> ULong{};
inline constexpr CodecMaker<AsWire<bool>::Codec> Bool{};
inline constexpr CodecMaker<AsWire<float>::Codec> Float{};

// A point in time is the one type with its own operators whose length is fixed; its raw form
// is TPack's (RawBytes.h).
template <class T> struct OwnCodec : FieldRef<T> {
  static constexpr bool kTimeStamp = std::is_same_v<std::remove_const_t<T>, TTimeStamp>;
  static constexpr unsigned long kWireWidth = kTimeStamp ? kTimeStampWidth : 0;
  void Pack(TPack &pack) const { pack << this->field; }
  void Unpack(TPack &pack) const { pack >> this->field; }
  void Decode(const unsigned char *at) const {
    static_assert(kTimeStamp);
    LoadTimeStamp(at, this->field);
  }
  void Encode(unsigned char *at) const {
    static_assert(kTimeStamp);
    StoreTimeStamp(at, this->field);
  }
  void Describe(TFieldSink &sink) const { DescribeValue(sink, this->name, this->field); }
};

inline constexpr CodecMaker<OwnCodec> Own{};

// Unpacking rebuilds day, hour, minute, second and millisecond from the zero value, each from
// what the previous steps left in the fields (divisions truncate toward zero).
template <class T> struct DurationCodec : FieldRef<T> {
  static constexpr unsigned long kWireWidth = 6;
  void Pack(TPack &pack) const {
    pack << Seconds();
    pack << static_cast<unsigned short>(this->field.GetMSecond());
  }
  void Unpack(TPack &pack) const {
    long total = 0;
    unsigned short millis = 0;
    pack >> total;
    pack >> millis;
    Rebuild(total, millis);
  }
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
// their four-byte memory image. The read asks CanRemove first instead of letting a packer
// throw: a payload that ends inside one is not an error, the field just keeps its value.
template <class T> struct RawEnumCodec : FieldRef<T> {
  static constexpr unsigned long kWireWidth = 4;
  void Decode(const unsigned char *at) const {
    this->field = static_cast<T>(static_cast<std::int32_t>(LoadLittle32(at)));
  }
  void Encode(unsigned char *at) const {
    StoreLittle32(at, static_cast<std::uint32_t>(static_cast<std::int32_t>(this->field)));
  }
  void Pack(TPack &pack) const {
    const auto value = static_cast<std::uint32_t>(static_cast<std::int32_t>(this->field));
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    pack.Append(bytes, 4);
  }
  void Unpack(TPack &pack) const {
    if (!pack.CanRemove(4))
      return;
    unsigned char bytes[4];
    std::memcpy(bytes, pack.Contents(), 4);
    const std::uint32_t value =
        static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
        (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    this->field = static_cast<T>(static_cast<std::int32_t>(value));
    pack.Behead(4);
  }
  void Describe(TFieldSink &sink) const { DescribeValue(sink, this->name, this->field); }
};

inline constexpr CodecMaker<RawEnumCodec> RawEnum{};

template <class T> struct FlagsCodec : FieldRef<T> {
  static constexpr unsigned long kWireWidth = 4;
  void Pack(TPack &pack) const { pack << this->field.ToNumber(); }
  void Decode(const unsigned char *at) const {
    this->field.FromNumber(LoadWire<unsigned long>(at));
  }
  void Encode(unsigned char *at) const { StoreWire<unsigned long>(at, this->field.ToNumber()); }
  void Unpack(TPack &pack) const {
    unsigned long number = 0;
    pack >> number;
    this->field.FromNumber(number);
  }
  void Describe(TFieldSink &sink) const {
    sink.Integer(this->name, static_cast<long long>(this->field.ToNumber()));
  }
};

inline constexpr CodecMaker<FlagsCodec> Flags{};

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

template <class R> struct Layout;

// Adds up, over a record's fields, the fewest bytes each can take on the wire: its width when
// fixed, one byte when its length varies.
struct MinimumWidthCounter {
  unsigned long &width;
  template <class... Codec> void operator()(const Codec &...) const {
    width += ((Codec::kWireWidth != 0 ? Codec::kWireWidth : 1UL) + ... + 0UL);
  }
};

// The fewest bytes a record R can take on the wire: the sum of its fields' least widths,
// counted once per record class.
template <class R> unsigned long MinimumRecordWidth() {
  static const unsigned long width = [] {
    const R probe{};
    unsigned long sum = 0;
    Layout<R>::Wire(probe, MinimumWidthCounter{sum});
    return std::max(sum, 1UL);
  }();
  return width;
}

// The fewest bytes one element read by Codec can take: its width when fixed, otherwise (a
// nested record) its record's least width.
template <class Element, class Codec> unsigned long MinimumElementWidth() {
  if constexpr (Codec::kWireWidth != 0)
    return Codec::kWireWidth;
  else
    return MinimumRecordWidth<Element>();
}

template <class V, class ElementMaker> struct VectorCodec : FieldRef<V> {
  static constexpr unsigned long kWireWidth = 0;
  ElementMaker element;
  void Pack(TPack &pack) const {
    pack << static_cast<int>(this->field.size());
    for (auto &value : this->field)
      element(value, this->name).Pack(pack);
  }
  // Room for the elements is reserved once, but never for more than the bytes left could hold
  // at the fewest bytes an element takes, so a hostile count reserves no more than a
  // constant times the payload.
  void Unpack(TPack &pack) const {
    using Element = typename V::value_type;
    using ElementCodec = decltype(element(std::declval<Element &>(), ""));
    this->field.clear();
    int count = 0;
    pack >> count;
    if (count > 0)
      this->field.reserve(std::min(static_cast<unsigned long>(count),
                                   pack.Length() / MinimumElementWidth<Element, ElementCodec>()));
    ReadElements(this->field, count, [&](auto &value) { element(value, this->name).Unpack(pack); });
  }
  void Describe(TFieldSink &sink) const {
    sink.BeginArray(this->name);
    for (auto &value : this->field)
      element(value, "").Describe(sink);
    sink.EndArray();
  }
};

template <class ElementMaker> struct VectorMaker {
  ElementMaker element;
  template <class V> VectorCodec<V, ElementMaker> operator()(V &field, const char *name) const {
    return {{field, name}, element};
  }
};

template <class ElementMaker> constexpr VectorMaker<ElementMaker> VectorOf(ElementMaker element) {
  return {element};
}

enum class ListRule { kAppend, kReplace, kBounded };

template <ListRule Rule> struct ListAs {
  template <class V> struct Codec : FieldRef<V> {
    static constexpr unsigned long kWireWidth = 0;
    using Element = typename std::remove_const_t<V>::value_type;
    void Pack(TPack &pack) const {
      if constexpr (Rule == ListRule::kBounded)
        pack << static_cast<int>(this->field.size());
      else
        pack << static_cast<unsigned int>(this->field.size());
      for (const Element &element : this->field)
        pack << element;
    }
    void Unpack(TPack &pack) const {
      auto read = [&pack](Element &element) { pack >> element; };
      if constexpr (Rule == ListRule::kBounded) {
        this->field.clear();
        int count = 0;
        pack >> count;
        if (count < 0 || static_cast<std::size_t>(count) > this->field.max_size())
          throw std::length_error("vector<T> too long");
        this->field.reserve(std::min(static_cast<std::size_t>(count), Fitting(pack)));
        ReadElements(this->field, count, read);
      } else {
        if constexpr (Rule == ListRule::kReplace)
          this->field.clear();
        unsigned int count = 0;
        pack >> count;
        ReadElements(this->field, count, read);
      }
    }
    void Describe(TFieldSink &sink) const { DescribeValue(sink, this->name, this->field); }

  private:
    // How many elements the bytes left could hold at most: a default element packs to the
    // smallest size an element can have (its strings are empty).
    static std::size_t Fitting(const TPack &pack) {
      TPack counter(0);
      counter << Element();
      return pack.Length() / std::max(counter.BufferSizeRequired(), 1UL);
    }
  };
};

inline constexpr CodecMaker<ListAs<ListRule::kAppend>::Codec> AppendList{};
inline constexpr CodecMaker<ListAs<ListRule::kReplace>::Codec> ReplaceList{};
inline constexpr CodecMaker<ListAs<ListRule::kBounded>::Codec> BoundedList{};

} // namespace statcore

// The codec of a member of the record `r` in a layout's walk, with the member's name.
#define FIELD(Codec, member) Codec(r.member, #member)

#endif // STATCLIENT_CORE_CODECS_H_
