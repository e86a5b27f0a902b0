// The inside of ExportState, shared by the files that implement it: the entities of each family
// in flat arrays, the recent history of the plotted figure, and the lock that guards them.
// Not part of the exporter's interface.
//
// Each family keeps one Slot per entity (key and when it was last named), its root values in
// two arrays (the plain 32-bit fields as int32, the computed ones as doubles, slot after slot)
// and its nested rows and aggregate contributions beside them. Everything is guarded by
// Impl::mutex: merges hold it exclusively, renderings shared.
#ifndef STATCLIENT_TOOLS_STATEXPORT_STATESTORE_H_
#define STATCLIENT_TOOLS_STATEXPORT_STATESTORE_H_

#include <chrono>
#include <cstdint>
#include <deque>
#include <limits>
#include <map>
#include <shared_mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include <prometheus/metric_family.h>

#include "statexport/ExportState.h"
#include "statexport/Family.h"

namespace statexport {

constexpr std::chrono::seconds kHistorySpan{600};
constexpr std::chrono::seconds kHistoryStep{1};

struct KeyHash {
  std::size_t operator()(const Key &key) const {
    std::size_t hash = 1469598103934665603ull;
    for (long part : key)
      hash = (hash ^ static_cast<std::size_t>(part)) * 1099511628211ull;
    return hash;
  }
};

// One entity of a family: what every merge reads, kept small; its values live in the family's
// flat value array and its nested rows and contributions beside it (Nested), touched only by
// the families that have them.
struct Slot {
  Key key{};
  std::uint64_t lastEvent = 0; // the family's event count when an event last named it
  Clock::time_point lastSeen;
  double periodStart = std::numeric_limits<double>::quiet_NaN();
};

struct Nested {
  Children children;
  std::vector<Contribution> contributions;
};

inline bool SameKey(const Key &a, const Key &b) {
  return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

struct Sample {
  Clock::time_point at;
  double value;
};

struct FamilyState {
  const Family *family = nullptr;
  const std::vector<Family::Column> *columns = nullptr; // where each root metric is stored
  std::size_t numberWidth = 0;                          // plain fields per slot
  std::size_t realWidth = 0;                            // computed values per slot
  std::vector<Slot> slots;                              // in no particular order
  std::vector<Nested> nested;                           // one per slot
  std::vector<std::int32_t> numbers; // slots.size() * numberWidth, slot after slot
  std::vector<double> reals;         // slots.size() * realWidth, slot after slot
  std::unordered_map<Key, std::size_t, KeyHash> index; // key -> slot (ByEntity families)
  std::vector<std::size_t> lastOrder;                  // the slot of each row of the previous event
  std::vector<double> eventValues;
  std::uint64_t events = 0;
  std::uint64_t decodeErrors = 0;
  bool seen = false; // an event (decoded or not) arrived
  Clock::time_point lastEvent;
  double periodSeconds = 0; // smoothed interval between decoded events
  Clock::time_point lastDecoded;
  std::size_t historyIndex = SIZE_MAX; // index of the history metric in the row values
  std::map<Key, std::deque<Sample>> history;

  bool HasValues() const { return numberWidth + realWidth > 0; }
  double Value(std::size_t slot, std::size_t metric) const {
    const Family::Column column = (*columns)[metric];
    return column.number ? numbers[slot * numberWidth + column.index]
                         : reals[slot * realWidth + column.index];
  }
  void Resize(std::size_t count) {
    numbers.resize(count * numberWidth);
    reals.resize(count * realWidth, std::numeric_limits<double>::quiet_NaN());
  }
};

inline double Seconds(Clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

struct ExportState::Impl {
  explicit Impl(ExportOptions opts) : options(opts) {
    for (const auto &family : AllFamilies()) {
      FamilyState state;
      state.family = family.get();
      state.columns = &family->columns;
      for (std::size_t m = 0; m < family->table.metrics.size(); ++m)
        if (std::string(family->table.metrics[m].metric) == family->historyMetric)
          state.historyIndex = m;
      families.push_back(std::move(state));
    }
  }

  bool RowValues(const Family &family) const { return options.perUser || !family.perUserOnly; }

  void ExpireFamily(FamilyState &state, Clock::time_point now);
  void RecordHistory(FamilyState &state, std::size_t slot, Clock::time_point now);
  std::size_t SlotOf(FamilyState &state, std::size_t row, const Key &key);
  void Remove(FamilyState &state, std::size_t slot);
  std::map<Key, double> Aggregate(const FamilyState &state, std::size_t aggregate) const;
  std::vector<prometheus::MetricFamily> Collect(Clock::time_point now) const;
  // The slots of a family in key order.
  std::vector<std::size_t> Sorted(const FamilyState &state) const;
  bool Detail() const { return options.perUser && options.perUserDetail; }

  ExportOptions options;
  mutable std::shared_mutex mutex; // guards everything below
  std::vector<FamilyState> families;
  std::uint64_t unknownEvents = 0;
  bool serverUp = false;
  bool anyEvent = false;
  Clock::time_point lastAnyEvent;
};

} // namespace statexport

#endif // STATCLIENT_TOOLS_STATEXPORT_STATESTORE_H_
