// What the shared event suite needs to know about each event class, EventCase<E>:
//   Record, kSource, kReleaseFailed   the record class, source name and release diagnostic
//   kCountOffset                      where the record count starts (after the header fields)
//   Release(event)                    the family's clearing operation
//   Fill(record, seed)                gives every field a value that differs from its default
//                                     and from one seed to the next; it must not leave a raw
//                                     enumeration as the last packed field of a record (a cut
//                                     inside one is not an error)
// and the helpers that fill fields with distinct values. Each family's case is in cases/.
#ifndef STATCLIENT_TESTS_EVENT_FILL_H_
#define STATCLIENT_TESTS_EVENT_FILL_H_

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>

#include <statclient/statclient.h>

#include "support/Spans.h"

template <class T> void Distinct(std::initializer_list<T *> fields, long seed) {
  long value = seed * 100;
  for (T *field : fields)
    *field = static_cast<T>(++value);
}
inline void Distinct(std::initializer_list<std::string *> fields, long seed) {
  char tag = 'a';
  for (std::string *field : fields)
    *field = std::string(1, tag++) + std::to_string(seed);
}
inline void Distinct(std::initializer_list<TTimeStamp *> fields, long seed) {
  unsigned short value = 0;
  for (TTimeStamp *field : fields) {
    ++value;
    *field = Span(0, 0, static_cast<unsigned short>(seed % 60), value, value);
  }
}

template <class E> struct EventCase;

#endif // STATCLIENT_TESTS_EVENT_FILL_H_
