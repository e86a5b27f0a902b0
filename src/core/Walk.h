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

// Writes fields into the pack, staging runs of fixed-width fields in a local block that goes
// into the pack in one Append, so that one writer can serve a whole payload of records. A
// field is staged only while the pack's buffer already has room for it and everything staged
// before it; otherwise, and while counting, the staged bytes go first and the field is packed by
// its codec's Pack, so that an overflow stops at the same field, with the same bytes before it,
// as a field-by-field write. The staged bytes go into the pack before any field is packed
// directly, at Flush and when the writer goes; nothing else may write the pack meanwhile.
class Packer {
public:
  explicit Packer(TPack &pack) : pack_(pack) {}
  ~Packer() { Flush(); }
  Packer(const Packer &) = delete;
  Packer &operator=(const Packer &) = delete;

  template <class... Codec> [[gnu::always_inline]] void operator()(const Codec &...fields) {
    constexpr unsigned long width = kFixedWidthOf<Codec...>;
    if constexpr (width != 0 && width <= kStaging && sizeof...(Codec) > 1) {
      if (unsigned char *at = Stage(width)) {
        ((fields.Encode(at), at += Codec::kWireWidth), ...);
        return;
      }
    }
    (Put(fields), ...);
  }

  // Appends the staged bytes to the pack. It cannot throw: they were staged only where the
  // buffer had room for them.
  void Flush() {
    if (staged_ != 0)
      pack_.Append(staging_, staged_);
    staged_ = 0;
  }

private:
  static constexpr unsigned long kStaging = 2048;

  // Where `width` more bytes are to be staged, or null when the pack's buffer has no room for
  // them (always, while counting).
  [[gnu::always_inline]] unsigned char *Stage(unsigned long width) {
    if (kStaging - staged_ < width)
      Flush();
    if (pack_.BufferSize() - pack_.NextOffset() - staged_ < width)
      return nullptr;
    unsigned char *at = staging_ + staged_;
    staged_ += width;
    return at;
  }
  template <class Codec> [[gnu::always_inline]] void Put(const Codec &field) {
    if constexpr (Codec::kWireWidth != 0) {
      if (unsigned char *at = Stage(Codec::kWireWidth)) {
        field.Encode(at);
        return;
      }
    }
    Flush();
    field.Pack(pack_);
  }

  TPack &pack_;
  unsigned long staged_ = 0;
  unsigned char staging_[kStaging];
};

// Reads fields from the pack's bytes through a local cursor, so that one reader can serve a
// whole payload of records. Fixed-width fields are checked against the bytes the cursor holds
// (a call with several of them checks once for all) and decoded in place. The pack is moved on
// only before a field that its codec must read itself (variable length, or fixed but short)
// and when the reader settles or goes, so the pack's position after the reader is gone is the
// position a field-by-field read leaves, whatever was thrown. A field whose reading throws
// notes its name for LastUnpackBreak; the exception goes on. When the bytes are short the field
// is read by its codec's Unpack as ever, so a short read throws the same TPackError at the
// same offset. Nothing else may read the pack while a reader holds unsettled bytes.
class Unpacker {
public:
  explicit Unpacker(TPack &pack) : pack_(pack) { Reload(); }
  ~Unpacker() { Settle(); }
  Unpacker(const Unpacker &) = delete;
  Unpacker &operator=(const Unpacker &) = delete;

  template <class... Codec> [[gnu::always_inline]] void operator()(const Codec &...fields) {
    constexpr unsigned long width = kFixedWidthOf<Codec...>;
    if constexpr (width != 0 && sizeof...(Codec) > 1) {
      if (left_ >= width) {
        ((fields.Decode(at_), at_ += Codec::kWireWidth), ...);
        Took(width);
        return;
      }
    }
    (Next(fields), ...);
  }

  // Reads one field by its codec's Unpack, straight from the pack. Inline, like everything the
  // codecs do, so that no codec has to be built in memory: each folds to its member.
  template <class Codec> void Read(const Codec &field) {
    Settle();
    try {
      field.Unpack(pack_);
    } catch (...) {
      NoteUnpackBreakField(field.name);
      throw;
    }
    Reload();
  }

  // Unread bytes, the cursor's taken ones not counted.
  unsigned long Left() const { return left_; }

  // Moves the pack on past the bytes the cursor has read.
  void Settle() {
    if (taken_ != 0)
      pack_.Behead(taken_);
    taken_ = 0;
  }

private:
  template <class Codec> [[gnu::always_inline]] void Next(const Codec &field) {
    if constexpr (Codec::kWireWidth != 0) {
      if (left_ >= Codec::kWireWidth) {
        field.Decode(at_);
        at_ += Codec::kWireWidth;
        Took(Codec::kWireWidth);
        return;
      }
    }
    Read(field);
  }
  void Took(unsigned long bytes) {
    left_ -= bytes;
    taken_ += bytes;
  }
  void Reload() {
    at_ = static_cast<const unsigned char *>(pack_.Contents());
    left_ = pack_.Length();
  }

  TPack &pack_;
  const unsigned char *at_ = nullptr;
  unsigned long left_ = 0;
  unsigned long taken_ = 0;
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

template <class R> [[gnu::flatten]] TPack &PackRecord(TPack &pack, const R &record) {
  Packer writer(pack);
  Layout<R>::Wire(record, writer);
  return pack;
}

template <class R> [[gnu::flatten]] TPack &UnpackRecord(TPack &pack, R &record) {
  Unpacker reader(pack);
  Layout<R>::Wire(record, reader);
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
