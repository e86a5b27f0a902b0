// The builders of the family tables, one per event family (RealTimeFamilies.cpp and
// CumulativeFamilies.cpp); AllFamilies (Families.cpp) calls each once.
#ifndef STATCLIENT_TOOLS_STATEXPORT_FAMILYTABLES_H_
#define STATCLIENT_TOOLS_STATEXPORT_FAMILYTABLES_H_

#include <memory>

#include "statexport/Family.h"

namespace statexport {

std::unique_ptr<Family> UserRealTimeFamily();
std::unique_ptr<Family> QueueRealTimeFamily();
std::unique_ptr<Family> GroupRealTimeFamily();
std::unique_ptr<Family> ContactRealTimeFamily();
std::unique_ptr<Family> CallbackRealTimeFamily();

std::unique_ptr<Family> UserCumulativeFamily();
std::unique_ptr<Family> QueueCumulativeFamily();
std::unique_ptr<Family> GroupCumulativeFamily();
std::unique_ptr<Family> CallbackCumulativeFamily();
std::unique_ptr<Family> DestinationCumulativeFamily();
std::unique_ptr<Family> ContactResultsCumulativeFamily();
std::unique_ptr<Family> RoutingStateCumulativeFamily();
std::unique_ptr<Family> PostProcessingCumulativeFamily();
std::unique_ptr<Family> WorkFlowCumulativeFamily();
std::unique_ptr<Family> CallDirectorCumulativeFamily();

// The key of a row identified by one or two of its numbers.
template <auto M> Key KeyOf(const ClassOf<M> &row, std::size_t) { return {row.*M, 0, 0}; }
template <auto M, auto N> Key KeyOf2(const ClassOf<M> &row, std::size_t) {
  return {row.*M, row.*N, 0};
}
// The key of a row known only by its place in the list.
template <class Row> Key IndexKey(const Row &, std::size_t index) {
  return {static_cast<long>(index), 0, 0};
}

} // namespace statexport

#endif // STATCLIENT_TOOLS_STATEXPORT_FAMILYTABLES_H_
