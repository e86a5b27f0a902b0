// The operations every event class shares, over its layout.
//
// An event is its own class with the members its family has (the list EventDataList, fixed
// fields under their own names, Clear or CleanUp) and no base class: a common base would add
// to the layout the classes are bound to keep. What the machinery needs to know about an event
// E lives beside it, in statcore::EventLayout<E>, usually derived from ListOnly<Record>:
//
//   Record          the class of the records E owns
//   kSource         the source name for the tracked allocation, MemReg, MemFree and Diag
//   kReleaseFailed  the SEVR text written when releasing one record throws
//   kRelease        the release discipline
//   Header(r, f)    wire fields before the list, Trailer(r, f) after it (codecs, as Wire)
//   CopyFixed(to, from)  fixed fields that copying and assignment carry over
//
// Wire form: Header fields, the record count as int32, each record, Trailer fields.
#ifndef STATCLIENT_CORE_EVENT_H_
#define STATCLIENT_CORE_EVENT_H_

#include <algorithm>
#include <vector>

#include "core/EventOwnership.h"
#include "core/Walk.h"
#include "framework/TCompiler.h"

namespace statcore {

template <class E> struct EventLayout;

// How Clear (or CleanUp) walks the list. Whatever a release throws is caught, written to the
// diagnostic log, and the walk goes on. The three differ in what the list shows while a walk is
// under way, which is what an application's diagnostic hook sees when a release fails; each
// family keeps the discipline its applications have always observed.
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

template <class R> struct ListOnly {
  using Record = R;
  static constexpr Release kRelease = Release::kFromFront;
  template <class E, class F> static void Header(E &, F &&) {}
  template <class E, class F> static void Trailer(E &, F &&) {}
  template <class E> static void CopyFixed(E &, const E &) {}
};

// The layout of a cumulative event: the period's time stamp (member TimeStamp, a point in time
// packed whole) before the list, carried by copies and assignment.
template <class R> struct StampThenList : ListOnly<R> {
  template <class E, class F> static void Header(E &r, F &&f) { f(FIELD(Own, TimeStamp)); }
  template <class E> static void CopyFixed(E &to, const E &from) { to.TimeStamp = from.TimeStamp; }
};

// Empties `to`, then appends a copy of each element of `from` in order: a copy cut short by an
// exception leaves the elements appended so far (the assignment of rows that hold nested rows).
template <class T> void ReplaceByAppending(std::vector<T> &to, const std::vector<T> &from) {
  to.clear();
  for (const T &element : from)
    to.push_back(element);
}

// Null positions are dropped. A release that throws is logged and the walk goes on.
template <class E> STATCLIENT_FLATTEN void ReleaseRecords(E &event, unsigned short line) noexcept {
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
// contents, and it is appended; the record is returned. A pass without storage is skipped and
// gives null. If `fill` or the append throws, the record is released and the exception passes.
template <class E, class Fill>
typename EventLayout<E>::Record *AppendRecord(E &event, Site at, Fill &&fill) {
  using Record = typename EventLayout<E>::Record;
  Record *record = NewRecord<Record>(at);
  if (!record)
    return nullptr;
  PendingRecord<Record> pending(record, at);
  fill(*record);
  event.EventDataList.push_back(record);
  return pending.HandOver();
}

// Appends to `to` a copy of every record of `from`, in order. If a copy throws, the copies this
// call appended are released before the exception passes on.
template <class E> STATCLIENT_FLATTEN void AppendCopies(E &to, const E &from, unsigned short line) {
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

// One writer serves the whole event, so that a run of fixed-width records goes into the pack
// in few appends. Fast path, held to packing field by field by the test EventWalk
// (tests/machinery_test.cpp) for every size of a caller's buffer.
template <class E> STATCLIENT_FLATTEN TPack &PackEvent(TPack &pack, const E &event) {
  using Layout = EventLayout<E>;
  using Record = typename Layout::Record;
  Packer writer(pack);
  Layout::Header(event, writer);
  const int count = static_cast<int>(event.EventDataList.size());
  writer(Int(count, "EventDataList"));
  for (const Record *record : event.EventDataList)
    statcore::Layout<Record>::Wire(*record, writer);
  Layout::Trailer(event, writer);
  writer.Flush();
  return pack;
}

// A pass without storage reads nothing, so a hostile count would repeat it count times. No
// payload holds more records than the bytes after its count can back: that many divided by
// the smallest packed record, plus one cut short inside trailing raw enumerations. Passes
// skipped beyond that end the list; a count the bytes can back is never cut. The smallest
// record is counted only once a pass has been skipped, so the bound costs nothing otherwise.
template <class Record> class SkippedPassBudget {
public:
  explicit SkippedPassBudget(unsigned long bytesAfterCount) : bytesAfterCount_(bytesAfterCount) {}
  // True while another skipped pass is within the bound.
  bool Spend() {
    if (!counted_) {
      left_ = bytesAfterCount_ / LeastOwnSize<Record>() + 1;
      counted_ = true;
    }
    if (left_ == 0)
      return false;
    --left_;
    return true;
  }

private:
  unsigned long bytesAfterCount_;
  unsigned long left_ = 0;
  bool counted_ = false;
};

// The header is read before the event is cleared, so that a payload cut inside it leaves the
// previous records in place. Then each record is allocated, registered, read and appended, and
// the trailer is read whatever the count. A record whose reading throws is released (without a
// diagnostic) and the exception passes on: the list holds only records read in full. The list
// reserves room for no more records than the bytes after the count could hold: a hostile count
// fails at the first short read, or, while the tracked allocation yields no storage, ends after
// the passes SkippedPassBudget allows. One reader serves the whole payload, so that a run of
// fixed-width records moves the pack on once: a fast path, held to reading field by field by
// the test EventWalk (tests/machinery_test.cpp) for every cut of the payload.
template <class E>
STATCLIENT_FLATTEN TPack &UnpackEvent(TPack &pack, E &event, unsigned short line) {
  using Layout = EventLayout<E>;
  using Record = typename Layout::Record;
  const Site at{Layout::kSource, line};
  Unpacker reader(pack);
  Layout::Header(event, reader);
  ReleaseRecords(event, line);
  int count = 0;
  reader(Int(count, "EventDataList"));
  if (count > 0)
    event.EventDataList.reserve(
        std::min(static_cast<unsigned long>(count), reader.Left() / LeastOwnSize<Record>()));
  SkippedPassBudget<Record> skipped(reader.Left());
  for (int i = 0; i < count; ++i) {
    try {
      if (!AppendRecord(
              event, at,
              [&reader](Record &record) { statcore::Layout<Record>::Wire(record, reader); }) &&
          !skipped.Spend())
        break;
    } catch (...) {
      NoteUnpackBreakIndex(static_cast<unsigned long>(i));
      NoteUnpackBreakField("EventDataList");
      throw;
    }
  }
  Layout::Trailer(event, reader);
  return pack;
}

// Counted from the codecs' widths, nothing packed: the fixed fields of the event, the count,
// and the records. A list of records whose fields are all fixed width is one multiplication,
// a fast path held to the bytes packed by the tests EventWalk (tests/machinery_test.cpp) and
// EventSuite.RoundTripsAndCopiesAreDeepAndGiveTheSameBytes (tests/event_typed_test.cpp).
template <class E> unsigned long PackedEventSize(const E &event) {
  using Layout = EventLayout<E>;
  const auto &list = event.EventDataList;
  unsigned long bytes = kWireTypeWidth<int>; // the record count
  Layout::Header(event, SizeCounter{bytes});
  Layout::Trailer(event, SizeCounter{bytes});
  if (list.empty())
    return bytes;
  if (const unsigned long recordWidth = FixedRecordWidth(*list.front()))
    return bytes + recordWidth * static_cast<unsigned long>(list.size());
  for (const auto *record : list)
    bytes += RecordSize(*record);
  return bytes;
}

template <class E> void WalkEvent(const E &event, TFieldSink &sink) {
  using Layout = EventLayout<E>;
  Layout::Header(event, Describer{sink});
  sink.BeginArray("EventDataList");
  for (const auto *record : event.EventDataList)
    DescribeValue(sink, {}, *record);
  sink.EndArray();
  Layout::Trailer(event, Describer{sink});
}

} // namespace statcore

#endif // STATCLIENT_CORE_EVENT_H_
