// The machinery every statistics record and event class is built on.
//
// A record or an event holds nothing but its public fields and one virtual slot, its
// destructor: no base class, no static description. What the machinery needs to know about a
// class therefore lives beside it, in a specialisation written in the family's source file:
//
//   EventRecord::RecordLayout<R>
//     Wire(r, f)   hands every field of r to f, in pack order, each wrapped in a codec that
//                  says how it travels (Long, Short, Duration, RawEnum, Own, Vector ...).
//                  Packing, unpacking and sizing all walk this one list, so they cannot drift
//                  apart. The text rendering has its own list (class Text below) because most
//                  families render in another order than they pack.
//
//   EventRecord::EventLayout<E>, usually derived from ListOnly<R>
//     Record          the class of the records E owns through EventDataList
//     kSource         the source name handed to the tracked allocation, MemReg, MemFree, Diag
//     kReleaseFailed  the SEVR text written when releasing one record throws
//     kRelease        the release discipline (see Release)
//     Header(e, f)    wire fields before the list, Trailer(e, f) after it (codecs, as Wire)
//     CopyFixed(to, from)  fixed fields that copying and assignment carry over
//
// Each event is its own class with the members its family has (the list, fixed fields under
// their own names, Clear or CleanUp) and no base class; its operations are one-line calls to
// the function templates at the end of this file, stamped out by EVENTRECORD_DEFINE_EVENT. A class
// template or a common base would have given every event the same members in the same order, which
// the families do not have, and a base would add to the layout the classes are bound to keep.
//
// The templates are instantiated only in the family source files, where the layouts are
// visible; nothing here is part of the public interface of the library.
#ifndef STATCLIENT_EVENTDATA_TSTEVENTRECORD_H_
#define STATCLIENT_EVENTDATA_TSTEVENTRECORD_H_

#include <cstdint>
#include <cstring>
#include <optional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/TBaseException.h"
#include "framework/TDiag.h"
#include "framework/TMemory.h"
#include "framework/TPack.h"
#include "framework/TTimeStamp.h"

namespace EventRecord {

template <class R> struct RecordLayout;
template <class E> struct EventLayout;

// ---------------------------------------------------------------------------------------------
// Codecs: one field each, holding a reference to it. Pack and Unpack are the two directions;
// a codec over a const field is only ever packed.

// A field packed with the framework packer of the wire type W, whatever the member's type: an
// int16 kept in a 32-bit member packs its low 16 bits and unpacks sign-extended.
template <class W, class T> struct As {
  T &field;
  void Pack(TPack &pack) const { pack << static_cast<W>(field); }
  void Unpack(TPack &pack) const {
    if constexpr (std::is_same_v<W, T>) {
      pack >> field;
    } else {
      W wire{};
      pack >> wire;
      field = static_cast<T>(wire);
    }
  }
};

// Makes the codec of a field: Long(r.VG), Duration(r.WT), Own(r.CID) ... Each is an object,
// not a function, so that it can also be handed to Vector as the codec of the elements.
template <template <class> class Codec> struct Wire {
  template <class T> constexpr Codec<T> operator()(T &field) const { return {field}; }
};

template <class W> struct AsWire { template <class T> using Codec = As<W, T>; };

inline constexpr Wire<AsWire<long>::Codec> Long{};
inline constexpr Wire<AsWire<int>::Codec> Int{};
inline constexpr Wire<AsWire<short>::Codec> Short{};
inline constexpr Wire<AsWire<unsigned short>::Codec> UShort{};
inline constexpr Wire<AsWire<unsigned int>::Codec> UInt{};
inline constexpr Wire<AsWire<unsigned long>::Codec> ULong{};
inline constexpr Wire<AsWire<bool>::Codec> Bool{};
inline constexpr Wire<AsWire<float>::Codec> Float{};

// A field packed with its own operators: strings, time stamps (points in time), enumerations
// of the other libraries, the contact state, nested records.
template <class T> struct OwnCodec {
  T &field;
  void Pack(TPack &pack) const { pack << field; }
  void Unpack(TPack &pack) const { pack >> field; }
};

inline constexpr Wire<OwnCodec> Own{};

// A TTimeStamp holding a length of time: whole seconds as int32, then milliseconds as uint16.
// Unpacking rebuilds day, hour, minute, second and millisecond from a zero value, each from
// what the previous steps left in the fields (divisions truncate toward zero).
template <class T> struct DurationCodec {
  T &field;
  void Pack(TPack &pack) const {
    const long long seconds =
        ((static_cast<long long>(field.GetDay()) * 24 + field.GetHour()) * 60 + field.GetMinute()) *
            60 +
        field.GetSecond();
    pack << static_cast<long>(seconds);
    pack << static_cast<unsigned short>(field.GetMSecond());
  }
  void Unpack(TPack &pack) const {
    long total = 0;
    unsigned short millis = 0;
    pack >> total;
    pack >> millis;
    const long long seconds = total;
    field.Update(1);
    field.AddDays(static_cast<long>(seconds / 86400));
    const long long afterDays = seconds - 86400LL * field.GetDay();
    field.SetHour(static_cast<unsigned short>(afterDays / 3600));
    const long long afterHours = afterDays - 3600LL * field.GetHour();
    field.SetMinute(static_cast<unsigned short>(afterHours / 60));
    field.SetSecond(static_cast<unsigned short>(afterHours - 60LL * field.GetMinute()));
    field.SetMSecond(millis);
  }
};

inline constexpr Wire<DurationCodec> Duration{};

// An enumeration of this library that travels as its four bytes, little-endian, appended raw.
// Unpacking takes them only when four bytes remain; otherwise the field keeps its value and
// nothing is consumed.
template <class T> struct RawEnumCodec {
  T &field;
  void Pack(TPack &pack) const {
    const auto value = static_cast<std::uint32_t>(static_cast<std::int32_t>(field));
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
    field = static_cast<T>(static_cast<std::int32_t>(value));
    pack.Behead(4);
  }
};

inline constexpr Wire<RawEnumCodec> RawEnum{};

// The value a vector element is read into: default-constructed, except time stamps, which
// start from the zero value.
template <class T> T FreshElement() {
  if constexpr (std::is_same_v<T, TTimeStamp>)
    return TTimeStamp(1);
  else
    return T();
}

// A std::vector inside a record: the count with the int packer, then each element with the
// element codec. Unpacking empties the vector, reads the count and, only if it is at least 1,
// reads each element into a fresh temporary and appends a copy. Nothing is reserved ahead, so
// a hostile count costs no more than the elements actually present.
template <class V, class ElementWire> struct VectorCodec {
  V &field;
  ElementWire element;
  void Pack(TPack &pack) const {
    pack << static_cast<int>(field.size());
    for (auto &value : field)
      element(value).Pack(pack);
  }
  void Unpack(TPack &pack) const {
    using Element = typename V::value_type;
    field.clear();
    int count = 0;
    pack >> count;
    for (int i = 0; i < count; ++i) {
      Element value = FreshElement<Element>();
      element(value).Unpack(pack);
      field.push_back(value);
    }
  }
};

template <class V, class ElementWire> VectorCodec<V, ElementWire> Vector(V &field, ElementWire e) {
  return {field, e};
}

// Visitors handed to Wire, Header and Trailer.
struct Packer {
  TPack &pack;
  template <class... Codec> void operator()(const Codec &...fields) const {
    (fields.Pack(pack), ...);
  }
};

struct Unpacker {
  TPack &pack;
  template <class... Codec> void operator()(const Codec &...fields) const {
    (fields.Unpack(pack), ...);
  }
};

template <class R> TPack &PackRecord(TPack &pack, const R &record) {
  RecordLayout<R>::Wire(record, Packer{pack});
  return pack;
}

template <class R> TPack &UnpackRecord(TPack &pack, R &record) {
  RecordLayout<R>::Wire(record, Unpacker{pack});
  return pack;
}

// ---------------------------------------------------------------------------------------------
// Text renderings: "{" label ":" value, then ", " label ":" value per further field, then "}".

// A duration, written as "HH:MM:SS.mmm".
struct DurationText {
  const TTimeStamp &value;
};
inline DurationText AsDuration(const TTimeStamp &value) { return {value}; }
inline std::ostream &operator<<(std::ostream &out, const DurationText &d) {
  return out << d.value.GetTime(1, ':', '.');
}

// A point in time, written by GetDateTime with the family's separators.
struct InstantText {
  const TTimeStamp &value;
  char dateSep;
  char timeSep;
  char msSep;
};
inline InstantText AsInstant(const TTimeStamp &value, char dateSep, char timeSep, char msSep) {
  return {value, dateSep, timeSep, msSep};
}
inline std::ostream &operator<<(std::ostream &out, const InstantText &t) {
  return out << t.value.GetDateTime(1, t.dateSep, t.timeSep, t.msSep);
}

class Text {
public:
  // `open` starts the text ("{", "{ ", "ContactStats: {" or nothing); `colon` follows each
  // label.
  explicit Text(const char *open = "{", const char *colon = ":") : colon_(colon) { out_ << open; }

  // The comma before every label but the first, the label and its colon.
  Text &Label(const char *label) {
    if (!first_)
      out_ << ", ";
    first_ = false;
    out_ << label << colon_;
    return *this;
  }
  // Any value, by the stream's default insertion for its type.
  template <class V> Text &Value(const V &value) {
    out_ << value;
    return *this;
  }
  template <class V> Text &operator()(const char *label, const V &value) {
    return Label(label).Value(value);
  }
  // A fixed group under one label: label ":[" a "," b "," c "]".
  template <class... V> Text &Group(const char *label, const V &...values) {
    Label(label);
    out_ << '[';
    const char *separator = "";
    ((out_ << separator << values, separator = ","), ...);
    out_ << ']';
    return *this;
  }
  // A vector of integers: label ":[" each element followed by a blank "]", so [3 7 ] or [].
  template <class V> Text &List(const char *label, const std::vector<V> &values) {
    Label(label);
    out_ << '[';
    for (const auto &value : values)
      out_ << value << ' ';
    out_ << ']';
    return *this;
  }
  std::string Close(const char *close = "}") {
    out_ << close;
    return out_.str();
  }

private:
  std::stringstream out_;
  const char *colon_;
  bool first_ = true;
};

// ---------------------------------------------------------------------------------------------
// Events.

// How Clear (or CleanUp) walks the list. Whatever a release throws is caught, written to the
// diagnostic log, and the walk goes on; nothing leaves the walk.
enum class Release {
  // Front to back; each position is emptied (set to null) once its record is released, and
  // the emptied positions are dropped together at the end of the walk, so the list never
  // shows a released record and the walk stays linear.
  kFromFront,
  // Back to front; each position is removed from the list before its record is released.
  kFromBack,
  // Front to back, positions left as they are; the whole list is emptied after the walk.
  kWalkThenEmpty,
};

// The defaults of an event layout: the list and nothing else, released by Clear from the
// front. A family layout derives from it and gives kSource and kReleaseFailed.
template <class R> struct ListOnly {
  using Record = R;
  static constexpr Release kRelease = Release::kFromFront;
  template <class E, class F> static void Header(E &, F &&) {}
  template <class E, class F> static void Trailer(E &, F &&) {}
  template <class E> static void CopyFixed(E &, const E &) {}
};

// Where an operation is: the family's source name and the line in it.
struct Site {
  const char *file;
  unsigned short line;
};

// The framework's memory-trace lock, held only while tracing is on; released on every exit.
class TraceLock {
public:
  TraceLock() : held_(TMemory::GetTrace()) {
    if (held_)
      TMemory::LockIt();
  }
  ~TraceLock() {
    if (held_)
      TMemory::UnlockIt();
  }
  TraceLock(const TraceLock &) = delete;
  TraceLock &operator=(const TraceLock &) = delete;

private:
  bool held_;
};

// A new default-constructed record from the tracked allocation, registered with the memory
// accounting; or null when no storage was had, which the framework is told of by a
// TBaseException that is built and dropped, never thrown. A throwing constructor hands the
// storage back to the tracked operator delete and the exception passes on.
template <class R> R *NewRecord(Site at) {
  R *record = new (at.line, at.file, nullptr) R();
  std::optional<TBaseException> noStorage;
  {
    TraceLock lock;
    if (record)
      TMemory::MemReg(at.line, at.file, record, sizeof(R));
    else
      noStorage.emplace(2, 1001, at.file, at.line, 4384, 0);
  }
  return record;
}

// Destroys a record from NewRecord and gives its registration and storage back. The storage
// is freed and the lock released even when MemFree throws; the exception then passes on.
template <class R> void DeleteRecord(R *record, Site at) {
  struct Storage {
    void *block;
    Site at;
    ~Storage() { operator delete(block, at.line, at.file, nullptr); }
  };
  record->~R();
  TraceLock lock;
  Storage storage{record, at};
  TMemory::MemFree(at.line, at.file, record);
}

// Releases a record not yet handed to a list when it goes out of scope; nothing leaves it.
template <class R> class PendingRecord {
public:
  PendingRecord(R *record, Site at) : record_(record), at_(at) {}
  ~PendingRecord() {
    if (!record_)
      return;
    try {
      DeleteRecord(record_, at_);
    } catch (...) {
      // Already on an error path; the record is gone either way.
    }
  }
  PendingRecord(const PendingRecord &) = delete;
  PendingRecord &operator=(const PendingRecord &) = delete;
  R *HandOver() {
    R *record = record_;
    record_ = nullptr;
    return record;
  }

private:
  R *record_;
  Site at_;
};

// Runs `body`; whatever it throws is caught and `failure` is written to the diagnostic log
// with category SEVR, the line and the file of `at`. Nothing leaves it, not even a failing log.
template <class Body> void Guarded(Site at, const char *failure, Body &&body) noexcept {
  try {
    body();
  } catch (...) {
    try {
      Diag(TDiag::SEVR, at.line, at.file, "%s", failure);
    } catch (...) {
      // The log failed too; the caller goes on all the same.
    }
  }
}

// Clear / CleanUp: releases every record as the family's discipline says and empties the
// list. Null positions are dropped. A release that throws is logged and the walk goes on.
template <class E> void ReleaseRecords(E &event, unsigned short line) noexcept {
  using Layout = EventLayout<E>;
  const Site at{Layout::kSource, line};
  auto &list = event.EventDataList;
  auto release = [at](auto *record) noexcept {
    if (!record)
      return;
    Guarded(at, Layout::kReleaseFailed, [&] { DeleteRecord(record, at); });
  };
  if constexpr (Layout::kRelease == Release::kFromBack) {
    while (!list.empty()) {
      auto *record = list.back();
      list.pop_back();
      release(record);
    }
  } else {
    for (auto &position : list) {
      release(position);
      if constexpr (Layout::kRelease == Release::kFromFront)
        position = nullptr;
    }
    list.clear();
  }
}

// One pass of filling a list: a record is allocated and registered, `fill` gives it its
// contents, and it is appended. A pass without storage is skipped. If `fill` or the append
// throws, the record is released and the exception passes on.
template <class E, class Fill> void AppendRecord(E &event, Site at, Fill &&fill) {
  using Record = typename EventLayout<E>::Record;
  Record *record = NewRecord<Record>(at);
  if (!record)
    return;
  PendingRecord<Record> pending(record, at);
  fill(*record);
  event.EventDataList.push_back(record);
  pending.HandOver();
}

// Appends to `to` a copy of every record of `from`, in order. If a copy throws, the copies this
// call appended are released before the exception passes on.
template <class E> void AppendCopies(E &to, const E &from, unsigned short line) {
  using Record = typename EventLayout<E>::Record;
  const Site at{EventLayout<E>::kSource, line};
  auto &list = to.EventDataList;
  const auto before = list.size();
  try {
    for (const Record *source : from.EventDataList)
      AppendRecord(to, at, [source](Record &copy) { copy = *source; });
  } catch (...) {
    while (list.size() > before) {
      PendingRecord<Record> drop(list.back(), at);
      list.pop_back();
    }
    throw;
  }
}

// The copy constructor's work, on a freshly constructed event.
template <class E> void CopyEvent(E &to, const E &from, unsigned short line) {
  EventLayout<E>::CopyFixed(to, from);
  AppendCopies(to, from, line);
}

template <class E> void AssignEvent(E &to, const E &from, unsigned short line) {
  if (&to == &from)
    return;
  EventLayout<E>::CopyFixed(to, from);
  ReleaseRecords(to, line);
  AppendCopies(to, from, line);
}

// Fields before the list, the count, each record, fields after the list.
template <class E> TPack &PackEvent(TPack &pack, const E &event) {
  using Layout = EventLayout<E>;
  Layout::Header(event, Packer{pack});
  pack << static_cast<int>(event.EventDataList.size());
  for (const auto *record : event.EventDataList)
    pack << *record;
  Layout::Trailer(event, Packer{pack});
  return pack;
}

// Fields before the list, then the event is cleared, the count read and each record allocated,
// registered, read and appended; then the fields after the list, whatever the count. A record
// whose reading throws is released (without a diagnostic) and the exception passes on: the
// list holds only records read in full.
template <class E> TPack &UnpackEvent(TPack &pack, E &event, unsigned short line) {
  using Layout = EventLayout<E>;
  using Record = typename Layout::Record;
  const Site at{Layout::kSource, line};
  Layout::Header(event, Unpacker{pack});
  ReleaseRecords(event, line);
  int count = 0;
  pack >> count;
  for (int i = 0; i < count; ++i)
    AppendRecord(event, at, [&pack](Record &record) { pack >> record; });
  Layout::Trailer(event, Unpacker{pack});
  return pack;
}

// Bytes of the packed event, counted by a pack that stores nothing.
template <class E> unsigned long PackedSize(const E &event) {
  TPack counter(0);
  PackEvent(counter, event);
  return counter.BufferSizeRequired();
}

} // namespace EventRecord

// Defines, in a family's source file, the free pack and unpack operators of a record class
// through its RecordLayout.
#define EVENTRECORD_DEFINE_RECORD_OPERATORS(Record)                                                \
  TPack &operator<<(TPack &pack, const Record &record) {                                           \
    return EventRecord::PackRecord(pack, record);                                                  \
  }                                                                                                \
  TPack &operator>>(TPack &pack, Record &record) { return EventRecord::UnpackRecord(pack, record); }

// The same, and the constructors, assignment and destructor of a record that copies every
// field as the compiler does.
#define EVENTRECORD_DEFINE_RECORD(Record)                                                          \
  Record::Record() = default;                                                                      \
  Record::Record(const Record &) = default;                                                        \
  Record &Record::operator=(const Record &) = default;                                             \
  Record::~Record() = default;                                                                     \
  EVENTRECORD_DEFINE_RECORD_OPERATORS(Record)

// Defines, in a family's source file, every operation of an event class through its
// EventLayout: constructors, assignment, destructor, Size, the clearing operation (named
// Clear or CleanUp by the family) and the free pack and unpack operators. The source line
// reported for allocations, registrations, releases and diagnostics is the line of this use.
#define EVENTRECORD_DEFINE_EVENT(Event, ClearOperation)                                            \
  Event::Event() = default;                                                                        \
  Event::Event(const Event &other) { EventRecord::CopyEvent(*this, other, __LINE__); }             \
  Event &Event::operator=(const Event &other) {                                                    \
    EventRecord::AssignEvent(*this, other, __LINE__);                                              \
    return *this;                                                                                  \
  }                                                                                                \
  Event::~Event() { EventRecord::ReleaseRecords(*this, __LINE__); }                                \
  unsigned long Event::Size() const { return EventRecord::PackedSize(*this); }                     \
  void Event::ClearOperation() { EventRecord::ReleaseRecords(*this, __LINE__); }                   \
  TPack &operator<<(TPack &pack, const Event &event) {                                             \
    return EventRecord::PackEvent(pack, event);                                                    \
  }                                                                                                \
  TPack &operator>>(TPack &pack, Event &event) {                                                   \
    return EventRecord::UnpackEvent(pack, event, __LINE__);                                        \
  }

#endif // STATCLIENT_EVENTDATA_TSTEVENTRECORD_H_
