// ExportState: the latest statistics of every entity the events name (queue, group, user,
// destination, ...), kept for a Prometheus scrape and a wallboard page.
//
// Events go in whole (their id and payload, as the proxy hands them over); the state decodes
// them with the library's event classes and keeps, per entity, the numeric fields of its latest
// record. A real-time event replaces the values of the entities it names; a cumulative event
// replaces the values of its period. An entity that no event has named for `expiryPeriods`
// periods of its event is removed.
//
// Thread-safe: one thread ingests while any number of HTTP threads scrape or snapshot. Decoding
// runs outside the state's lock; merging takes it exclusively, scrapes and wallboards share it
// while they build their result (a scrape of 10,000 users takes a few milliseconds). Nothing
// here throws for bad input; allocation failures pass on as std::bad_alloc.
//
// Names, labels, cardinality, the expiry rule and the wallboard are documented in
// docs/metrics.md.
#ifndef STATCLIENT_TOOLS_STATEXPORT_EXPORTSTATE_H_
#define STATCLIENT_TOOLS_STATEXPORT_EXPORTSTATE_H_

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include <vector>

#include <nlohmann/json.hpp>
#include <prometheus/collectable.h>
#include <prometheus/metric_family.h>

namespace statexport {

using Clock = std::chrono::steady_clock;

struct ExportOptions {
  bool perUser = false;  // per-user series; otherwise users are counted by state per group
  int expiryPeriods = 5; // periods of an event after which an entity it stopped naming goes
  // With perUser, also the per-user details (capacities, the second presence form, every shift
  // figure per medium, the handling-state times, the per-presence shift figures): about four
  // times the series of perUser alone.
  bool perUserDetail = false;
};

class ExportState {
public:
  explicit ExportState(ExportOptions options);
  ~ExportState();
  ExportState(const ExportState &) = delete;
  ExportState &operator=(const ExportState &) = delete;

  // Decodes one event payload and updates the entities it names. A payload that does not
  // decode counts in statexport_decode_errors_total{event} and changes nothing. Never throws
  // for bad input.
  void Ingest(unsigned short eventId, const void *payload, std::size_t size, Clock::time_point now);

  // Whether the Statistics Server answers (statexport_server_up).
  void SetServerUp(bool up, Clock::time_point now);

  // Removes the entities that no event has named for their expiry time.
  void Expire(Clock::time_point now);

  // The registry-side view for prometheus::TextSerializer: every metric family of the state and
  // the exporter's own metrics. Shares the state; valid while this object lives.
  std::shared_ptr<prometheus::Collectable> Collectable();
  // What the collectable returns, with the event ages taken at `now`.
  std::vector<prometheus::MetricFamily> Collect(Clock::time_point now) const;

  // The wallboard's figures at `now`, as sent to the page (see docs/metrics.md, "Wallboard").
  nlohmann::json Wallboard(Clock::time_point now) const;

  struct Impl;

private:
  std::unique_ptr<Impl> impl_;
};

} // namespace statexport

#endif // STATCLIENT_TOOLS_STATEXPORT_EXPORTSTATE_H_
