// The one walk over a record's fields, and the record operations built on it.
//
// What the machinery knows about a record class R is its layout, a specialisation of
// statcore::Layout<R> written in the family's source file:
//
//   Wire(r, f)     hands every field of r to f in pack order, each as a codec (Codecs.h):
//                  f(FIELD(Long, VG), FIELD(Duration, WT), ...). f may be called once with
//                  all fields or once per field. Pack, unpack, Size and the structured walk
//                  of records without a text all walk this list, so they cannot drift apart.
//   Text(r, f)     optional: the one-line text, as text items (TextItems.h), in text order.
//                  ToString and the structured walk both walk this list.
//   kStyle         optional: how the text opens, separates label from value and closes.
//   kUnrendered    optional: the names of wire fields the text leaves out on purpose.
//
// Everything here is instantiated in the family source files, where the layouts are visible;
// none of it is part of the library's public interface.
#ifndef STATCLIENT_CORE_WALK_H_
#define STATCLIENT_CORE_WALK_H_

#include <type_traits>

#include "core/Codecs.h"
#include "core/UnpackBreak.h"
#include "framework/TPack.h"

namespace statcore {

template <class R> struct Layout;

// Bytes of the wire form of the codecs, or 0 when any of them has a variable length.
template <class... Codec>
inline constexpr unsigned long kFixedWidthOf = ((Codec::kWireWidth != 0) && ...)
                                                   ? (Codec::kWireWidth + ... + 0)
                                                   : 0;

// A record whose fields are all fixed width (handed over in one call) is written in one piece when
// the pack's buffer already has room for all of it: encoded into a local block and appended once.
// Otherwise, and while counting, field by field, so that an overflow stops at the same field as
// ever.
struct Packer {
  TPack &pack;
  template <class... Codec> void operator()(const Codec &...fields) const {
    constexpr unsigned long width = kFixedWidthOf<Codec...>;
    if constexpr (width != 0 && sizeof...(Codec) > 1) {
      if (pack.BufferSize() - pack.NextOffset() >= width) {
        unsigned char bytes[width];
        unsigned char *at = bytes;
        ((fields.Encode(at), at += Codec::kWireWidth), ...);
        pack.Append(bytes, width);
        return;
      }
    }
    (fields.Pack(pack), ...);
  }
};

// A field whose reading throws notes its name for LastUnpackBreak; the exception goes on.
//
// Fixed-width fields are read from the pack's bytes through a local cursor: a record whose
// fields are all fixed width is checked once for its whole length; in a record that mixes them,
// each fixed field is checked against the bytes left as the cursor holds them. The pack is
// moved on only before a variable-length field and at the end. When the bytes are short the
// field is read by its codec's Unpack as ever, so a short read throws the same TPackError at
// the same offset and notes the same field.
struct Unpacker {
  TPack &pack;
  template <class... Codec> void operator()(const Codec &...fields) const {
    constexpr unsigned long width = kFixedWidthOf<Codec...>;
    if constexpr (sizeof...(Codec) == 1) {
      (Read(fields), ...);
    } else if constexpr (width != 0) {
      if (pack.Length() >= width) {
        const unsigned char *at = static_cast<const unsigned char *>(pack.Contents());
        ((fields.Decode(at), at += Codec::kWireWidth), ...);
        pack.Behead(width);
        return;
      }
      (Read(fields), ...);
    } else {
      Cursor cursor{pack};
      (cursor.Next(fields), ...);
      cursor.Settle();
    }
  }
  template <class Codec> void Read(const Codec &field) const {
    try {
      field.Unpack(pack);
    } catch (...) {
      NoteUnpackBreakField(field.name);
      throw;
    }
  }

private:
  // Unread bytes of the pack, and how many of them were read without moving the pack on.
  struct Cursor {
    TPack &pack;
    const unsigned char *at = static_cast<const unsigned char *>(pack.Contents());
    unsigned long left = pack.Length();
    unsigned long taken = 0;

    template <class Codec> [[gnu::always_inline]] void Next(const Codec &field) {
      if constexpr (Codec::kWireWidth != 0) {
        if (left >= Codec::kWireWidth) {
          field.Decode(at);
          at += Codec::kWireWidth;
          left -= Codec::kWireWidth;
          taken += Codec::kWireWidth;
          return;
        }
      }
      ReadAlone(field);
    }
    // A variable-length field, or a fixed one the bytes left cannot hold: kept out of line so
    // that the fixed fields around it stay a straight run of loads.
    template <class Codec> [[gnu::noinline]] void ReadAlone(const Codec &field) {
      Settle();
      Unpacker{pack}.Read(field);
      at = static_cast<const unsigned char *>(pack.Contents());
      left = pack.Length();
    }
    void Settle() {
      if (taken != 0)
        pack.Behead(taken);
      taken = 0;
    }
  };
};

// Adds up the wire width of a record's fields; `fixed` turns false at the first field of
// variable length. Folds to constants where the layout is visible.
struct WidthCounter {
  unsigned long &width;
  bool &fixed;
  template <class... Codec> void operator()(const Codec &...) const {
    fixed = fixed && ((Codec::kWireWidth != 0) && ...);
    width += (Codec::kWireWidth + ... + 0);
  }
};

// Bytes of the packed form of `record` when all its fields are fixed width, otherwise 0.
template <class R> unsigned long FixedRecordWidth(const R &record) {
  unsigned long width = 0;
  bool fixed = true;
  Layout<R>::Wire(record, WidthCounter{width, fixed});
  return fixed ? width : 0;
}

struct Describer {
  TFieldSink &sink;
  template <class... Codec> void operator()(const Codec &...fields) const {
    (fields.Describe(sink), ...);
  }
};

template <class R> TPack &PackRecord(TPack &pack, const R &record) {
  Layout<R>::Wire(record, Packer{pack});
  return pack;
}

template <class R> TPack &UnpackRecord(TPack &pack, R &record) {
  Layout<R>::Wire(record, Unpacker{pack});
  return pack;
}

// Bytes of the packed form of `values`, counted by a pack that stores and allocates nothing.
template <class... Values> unsigned long PackedSize(const Values &...values) {
  TPack counter(0);
  (counter << ... << values);
  return counter.BufferSizeRequired();
}

// A record's base class part, keeping constness: a derived layout's walk starts with its
// base's, Layout<Base>::Wire(AsBase<Base>(r), f).
template <class Base, class R> auto &AsBase(R &record) {
  if constexpr (std::is_const_v<R>)
    return static_cast<const Base &>(record);
  else
    return static_cast<Base &>(record);
}

} // namespace statcore

// Wire items of a field list X-macro (FIELD(Name, Kind, Getter, Position, How, Default), see
// tstSetFlags.h) whose members are stored as Name_: each travels by its own operators.
#define STATCORE_WIRE_MEMBER(Name, ...) f(statcore::Own(r.Name##_, #Name));
// The same for public members (FIELD(Name, Type, Default)), and for the list entries
// LIST(Member, Codec) of either kind of field list.
#define STATCORE_WIRE_PUBLIC(Name, ...) f(statcore::Own(r.Name, #Name));
#define STATCORE_WIRE_LIST(Member, Codec) f(statcore::Codec(r.Member, #Member));

#define STATCORE_DEFINE_RECORD_OPERATORS(Record)                                                   \
  TPack &operator<<(TPack &pack, const Record &record) {                                           \
    return statcore::PackRecord(pack, record);                                                     \
  }                                                                                                \
  TPack &operator>>(TPack &pack, Record &record) { return statcore::UnpackRecord(pack, record); }

#define STATCORE_DEFINE_SIZE(Record)                                                               \
  unsigned long Record::Size() const { return statcore::PackedSize(*this); }

#endif // STATCLIENT_CORE_WALK_H_
