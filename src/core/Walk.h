// The one walk over a record's fields, and the record operations built on it.
//
// What the machinery knows about a record class R is its layout, a specialisation of
// statcore::Layout<R> written in the family's source file:
//
//   Wire(r, f)     hands every field of r to f in pack order, each as a codec (Codecs.h):
//                  f(FIELD(Long, VG), FIELD(Duration, WT), ...). f may be called once with
//                  all fields or once per field. Pack, unpack, Size (RecordSize, from the
//                  codecs' widths) and the structured walk of records without a text all walk
//                  this list, so they cannot drift apart.
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
#include "core/Cursors.h"
#include "core/ListCodecs.h"
#include "framework/TCompiler.h"
#include "framework/TPack.h"

namespace statcore {

template <class R> struct Layout;

struct Describer {
  TFieldSink &sink;
  template <class... Codec> void operator()(const Codec &...fields) const {
    (fields.Describe(sink), ...);
  }
};

template <class R> STATCLIENT_FLATTEN TPack &PackRecord(TPack &pack, const R &record) {
  Packer writer(pack);
  Layout<R>::Wire(record, writer);
  return pack;
}

template <class R> STATCLIENT_FLATTEN TPack &UnpackRecord(TPack &pack, R &record) {
  Unpacker reader(pack);
  Layout<R>::Wire(record, reader);
  return pack;
}

// Bytes of the packed form of `values`, each packed by its own operators, counted from their
// widths and lengths as OwnSize counts them.
template <class... Values> unsigned long PackedSize(const Values &...values) {
  return (OwnSize(values) + ... + 0UL);
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
  unsigned long Record::Size() const { return statcore::RecordSize(*this); }

#endif // STATCLIENT_CORE_WALK_H_
