// TextExposition: metric families in the Prometheus text format, as one string.
//
// The text comes from prometheus::TextSerializer into a buffer reserved from `sizeHint` (the
// size of the last exposition, say), without the doubling and the final copy of a string stream.
// From a hint of 1 MiB the families, each a block of its own in the text, are split in two
// halves of about as many samples, serialized at once on the caller's thread and one more, and
// joined. Either way the result is byte for byte what one Serialize of all the families gives;
// 10,000 users with per-user series (8.5 MB) take about 50 ms instead of 140.
//
// Threads: any; a call that splits starts and joins its own second thread. Throws what the
// serializer or the allocator throws.
#ifndef STATCLIENT_TOOLS_STATEXPORT_TEXTEXPOSITION_H_
#define STATCLIENT_TOOLS_STATEXPORT_TEXTEXPOSITION_H_

#include <cstddef>
#include <string>
#include <vector>

#include <prometheus/metric_family.h>

namespace statexport {

// Consumes `families` (the halves are moved out of it).
std::string TextExposition(std::vector<prometheus::MetricFamily> families,
                           std::size_t sizeHint = 0);

} // namespace statexport

#endif // STATCLIENT_TOOLS_STATEXPORT_TEXTEXPOSITION_H_
