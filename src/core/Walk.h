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

#include "core/Codecs.h"
#include "core/UnpackBreak.h"
#include "framework/TPack.h"

namespace statcore {

template <class R> struct Layout;

struct Packer {
  TPack &pack;
  template <class... Codec> void operator()(const Codec &...fields) const {
    (fields.Pack(pack), ...);
  }
};

// A field whose reading throws notes its name for LastUnpackBreak; the exception goes on.
struct Unpacker {
  TPack &pack;
  template <class... Codec> void operator()(const Codec &...fields) const { (Read(fields), ...); }
  template <class Codec> void Read(const Codec &field) const {
    try {
      field.Unpack(pack);
    } catch (...) {
      NoteUnpackBreakField(field.name);
      throw;
    }
  }
};

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
