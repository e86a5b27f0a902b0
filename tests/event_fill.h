// What the shared event suite needs to know about each event class, EventCase<E>:
//   Record, kCountOffset, Release     from EventCaseBase: the record class, where the record
//                                     count starts and the family's clearing operation
//   kSource, kReleaseFailed           the source name and release diagnostic, given by
//                                     RELEASE_FAILS
//   Fill(record, seed)                gives every field a value that differs from its default
//                                     and from one seed to the next; it must not leave a raw
//                                     enumeration as the last packed field of a record (a cut
//                                     inside one is not an error); a family whose rows
//                                     hold rows gives two or more of them, so that the
//                                     truncation test cuts through rows nested in rows
// and the helpers that fill fields with distinct values. Each family's case is in cases/.
#ifndef STATCLIENT_TESTS_EVENT_FILL_H_
#define STATCLIENT_TESTS_EVENT_FILL_H_

#include <array>
#include <cstddef>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <statclient/statclient.h>

#include "support/Spans.h"

namespace fill {

struct Counter {
  long seed;
  long number;
  char tag;
  unsigned short step;
};

template <class T> void Next(Counter &counter, T &field) {
  if constexpr (std::is_array_v<T>) {
    for (auto &element : field)
      Next(counter, element);
  } else if constexpr (std::is_same_v<T, std::string>) {
    field = std::string(1, counter.tag++) + std::to_string(counter.seed);
  } else if constexpr (std::is_same_v<T, TTimeStamp>) {
    ++counter.step;
    field = Span(0, 0, static_cast<unsigned short>(counter.seed % 60), counter.step, counter.step);
  } else {
    field = static_cast<T>(++counter.number);
  }
}

} // namespace fill

// Gives each field a value of its own, in the order given (an array element by element), each
// kind counting on its own: numbers seed * 100 + 1, + 2, ...; strings "a<seed>", "b<seed>",
// ...; time stamps the durations 00:<seed % 60>:01.001, 00:<seed % 60>:02.002, ...
template <class... Fields> void Distinct(long seed, Fields &...fields) {
  fill::Counter counter{seed, seed * 100, 'a', 0};
  (fill::Next(counter, fields), ...);
}

// Empties `rows`, then appends `count` rows, the i-th filled by fill(row, i).
template <class Row, class Fill> void FillRows(std::vector<Row> &rows, long count, Fill fill) {
  rows.clear();
  for (long i = 0; i < count; ++i) {
    Row row;
    fill(row, i);
    rows.push_back(row);
  }
}

template <class E> struct EventCase;

// The release diagnostic of the family whose rows are TEventData<Row>: its source and its text,
// which begins with the event's class name.
#define RELEASE_FAILS(Row, Event, Failure)                                                         \
  static constexpr const char *kSource = "EventData/tstTEventData" Row;                            \
  static constexpr const char *kReleaseFailed = #Event "::" Failure

template <class E, class = void> struct HasTimeStamp : std::false_type {};
template <class E>
struct HasTimeStamp<E, std::void_t<decltype(std::declval<E &>().TimeStamp)>> : std::true_type {};
template <class E, class = void> struct HasCleanUp : std::false_type {};
template <class E>
struct HasCleanUp<E, std::void_t<decltype(std::declval<E &>().CleanUp())>> : std::true_type {};

// What a case can tell from its event class: the record class, where the count starts (after a
// time stamp, which packs to 15 bytes) and the clearing operation (CleanUp where there is one).
template <class E> struct EventCaseBase {
  using Record = RecordOf<E>;
  static constexpr std::size_t kCountOffset = HasTimeStamp<E>::value ? 15 : 0;
  static void Release(E &event) {
    if constexpr (HasCleanUp<E>::value)
      event.CleanUp();
    else
      event.Clear();
  }
};

#endif // STATCLIENT_TESTS_EVENT_FILL_H_
