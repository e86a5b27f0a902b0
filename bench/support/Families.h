// The events the benches run over, filled as the test suite fills them: each family's rows
// come from its EventCase<E>::Fill (tests/cases), which gives every field a value of its own,
// strings and nested rows included. One filler for all families, no per-family bench code; the
// families themselves come from statsupport::ForEachEventFamily.
#ifndef STATCLIENT_BENCH_SUPPORT_FAMILIES_H_
#define STATCLIENT_BENCH_SUPPORT_FAMILIES_H_

#include <vector>

#include <statclient/statclient.h>

#include "cases/cumulative.h"
#include "cases/realtime.h"

namespace bench {

// An event of `rows` rows, row i filled with seed i + 1; owned as the library owns its own.
template <class E> E MakeEvent(long rows) {
  E event;
  for (long i = 0; i < rows; ++i)
    EventCase<E>::Fill(*AddRecord(event), i + 1);
  return event;
}

template <class E> std::vector<unsigned char> PayloadOf(const E &event) {
  TPack pack(1);
  pack << event;
  const auto *start = static_cast<const unsigned char *>(pack.Contents());
  return std::vector<unsigned char>(start, start + pack.Length());
}

} // namespace bench

#endif // STATCLIENT_BENCH_SUPPORT_FAMILIES_H_
