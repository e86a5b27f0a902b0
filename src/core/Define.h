// What a family's source file includes to define its classes: the machinery, and the macros
// that stamp out each class's operations from its layout.
//
//   STATCORE_DEFINE_RECORD(R)    constructors, assignment and destructor as the compiler
//                                writes them, the pack operators, WalkFields and the coverage
//                                check
//   STATCORE_DEFINE_RECORD_COPY_STARTING(R, initialisers...)
//                                the same, for a copy that starts some members otherwise
//   STATCORE_DEFINE_RECORD_OPERATORS(R), STATCORE_DEFINE_WALK(R)
//                                the same in parts, for a record with its own copying
//   STATCORE_DEFINE_EVENT(E, ClearOperation)
//                                every operation of an event, and AddRecord; the source line
//                                reported for allocations, registrations, releases and
//                                diagnostics is the line of this use
#ifndef STATCLIENT_CORE_DEFINE_H_
#define STATCLIENT_CORE_DEFINE_H_

#include <string>
#include <type_traits>
#include <vector>

#include "core/Event.h"
#include "core/Render.h"
#include "statclient/tstRecordWalk.h"

namespace statcore {

template <class E, class = void> struct IsEvent : std::false_type {};
template <class E>
struct IsEvent<E, std::void_t<decltype(EventLayout<E>::kSource)>> : std::true_type {};

} // namespace statcore

template <class Record> void WalkFields(const Record &record, TFieldSink &sink) {
  if constexpr (statcore::IsEvent<Record>::value)
    statcore::WalkEvent(record, sink);
  else
    statcore::WalkRecord(record, sink);
}

template <class Event> RecordOf<Event> *AddRecord(Event &event) {
  return statcore::AppendRecord(event, {statcore::EventLayout<Event>::kSource, __LINE__},
                                [](RecordOf<Event> &) {});
}

#define STATCORE_DEFINE_WALK(Record)                                                               \
  template void WalkFields<Record>(const Record &, TFieldSink &);                                  \
  template statcore::TextCoverage statcore::CoverageOf<Record>();

#define STATCORE_DEFINE_RECORD(Record)                                                             \
  Record::Record() = default;                                                                      \
  Record::Record(const Record &) = default;                                                        \
  Record &Record::operator=(const Record &) = default;                                             \
  Record::~Record() = default;                                                                     \
  STATCORE_DEFINE_RECORD_OPERATORS(Record)                                                         \
  STATCORE_DEFINE_WALK(Record)

// The same for a record whose copy constructor first builds some members otherwise (the
// initialisers given, for example time stamps from the current time) and then assigns.
#define STATCORE_DEFINE_RECORD_COPY_STARTING(Record, ...)                                          \
  Record::Record() = default;                                                                      \
  Record::Record(const Record &other) : __VA_ARGS__ { *this = other; }                             \
  Record &Record::operator=(const Record &) = default;                                             \
  Record::~Record() = default;                                                                     \
  STATCORE_DEFINE_RECORD_OPERATORS(Record)                                                         \
  STATCORE_DEFINE_WALK(Record)

#define STATCORE_DEFINE_EVENT(Event, ClearOperation)                                               \
  Event::Event() = default;                                                                        \
  Event::Event(const Event &other) { statcore::CopyEvent(*this, other, __LINE__); }                \
  Event &Event::operator=(const Event &other) {                                                    \
    statcore::AssignEvent(*this, other, __LINE__);                                                 \
    return *this;                                                                                  \
  }                                                                                                \
  Event::~Event() { statcore::ReleaseRecords(*this, __LINE__); }                                   \
  unsigned long Event::Size() const { return statcore::PackedEventSize(*this); }                   \
  void Event::ClearOperation() { statcore::ReleaseRecords(*this, __LINE__); }                      \
  TPack &operator<<(TPack &pack, const Event &event) { return statcore::PackEvent(pack, event); }  \
  TPack &operator>>(TPack &pack, Event &event) {                                                   \
    return statcore::UnpackEvent(pack, event, __LINE__);                                           \
  }                                                                                                \
  template RecordOf<Event> *AddRecord<Event>(Event &);                                             \
  template void WalkFields<Event>(const Event &, TFieldSink &);

#endif // STATCLIENT_CORE_DEFINE_H_
