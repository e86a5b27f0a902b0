#include "statexport/ExportState.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <map>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>

#include <prometheus/metric_family.h>

#include "statexport/Family.h"

namespace statexport {
namespace {

using prometheus::ClientMetric;
using prometheus::MetricFamily;
using prometheus::MetricType;
using Labels = std::vector<ClientMetric::Label>;

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

// One entity of a family; its values live in the family's flat value array.
struct Slot {
  Key key{};
  double periodStart = std::numeric_limits<double>::quiet_NaN();
  Clock::time_point lastSeen;
  std::uint64_t lastEvent = 0; // the family's event count when an event last named it
  Children children;
  std::vector<Contribution> contributions;
};

struct Sample {
  Clock::time_point at;
  double value;
};

struct FamilyState {
  const Family *family = nullptr;
  std::size_t width = 0;                               // values per slot
  std::vector<Slot> slots;                             // in no particular order
  std::vector<double> values;                          // slots.size() * width, slot after slot
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

  const double *ValuesOf(std::size_t slot) const { return values.data() + slot * width; }
};

// A row as the renderings see it: its labels, its values and its nested rows.
struct RenderRow {
  Labels labels;
  const double *values;
  std::size_t count;
  const Children *children;
};

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

MetricFamily Gauge(const char *name, const char *help) {
  return MetricFamily{name, help, MetricType::Gauge, {}};
}

ClientMetric GaugeMetric(Labels labels, double value) {
  ClientMetric metric;
  metric.label = std::move(labels);
  metric.gauge.value = value;
  return metric;
}

Labels WithKey(const Labels &base, const std::vector<LabelSpec> &specs, const Key &key) {
  Labels labels = base;
  for (std::size_t i = 0; i < specs.size(); ++i)
    labels.push_back({specs[i].name, LabelValue(specs[i].format, key[i])});
  return labels;
}

// The metrics of one level: one family per metric name, in table order; then the nested levels.
void RenderLevel(const TableInfo &info, const std::vector<RenderRow> &rows, bool detail,
                 std::vector<MetricFamily> &out) {
  std::map<std::string, std::size_t> byName;
  const std::size_t first = out.size();
  for (std::size_t m = 0; m < info.metrics.size(); ++m) {
    const MetricInfo &metric = info.metrics[m];
    if (metric.detail && !detail)
      continue;
    auto found = byName.find(metric.metric);
    if (found == byName.end()) {
      found = byName.emplace(metric.metric, out.size()).first;
      out.push_back(Gauge(metric.metric, metric.help));
      out.back().metric.reserve(rows.size());
    }
    MetricFamily &family = out[found->second];
    for (const RenderRow &row : rows) {
      if (m >= row.count || std::isnan(row.values[m]))
        continue;
      Labels series = row.labels;
      if (metric.labelName)
        series.push_back({metric.labelName, metric.labelValue});
      family.metric.push_back(GaugeMetric(std::move(series), row.values[m]));
    }
  }
  out.erase(std::remove_if(out.begin() + static_cast<std::ptrdiff_t>(first), out.end(),
                           [](const MetricFamily &family) { return family.metric.empty(); }),
            out.end());
  for (std::size_t c = 0; c < info.children.size(); ++c) {
    const TableInfo &child = info.children[c];
    if (child.detail && !detail)
      continue;
    std::vector<RenderRow> childRows;
    for (const RenderRow &row : rows) {
      if (!row.children || c >= row.children->size())
        continue;
      for (const StoredRow &nested : (*row.children)[c])
        childRows.push_back({WithKey(row.labels, child.labels, nested.key), nested.values.data(),
                             nested.values.size(), &nested.children});
    }
    RenderLevel(child, childRows, detail, out);
  }
}

} // namespace

struct ExportState::Impl {
  explicit Impl(ExportOptions opts) : options(opts) {
    for (const auto &family : AllFamilies()) {
      FamilyState state;
      state.family = family.get();
      for (std::size_t m = 0; m < family->table.metrics.size(); ++m)
        if (std::string(family->table.metrics[m].metric) == family->historyMetric)
          state.historyIndex = m;
      families.push_back(std::move(state));
      batches.emplace_back();
    }
  }

  FamilyState *StateOf(int eventId) {
    for (FamilyState &state : families)
      if (state.family->id == eventId)
        return &state;
    return nullptr;
  }

  bool RowValues(const Family &family) const { return options.perUser || !family.perUserOnly; }

  void Merge(FamilyState &state, Batch &batch, Clock::time_point now);
  void ExpireFamily(FamilyState &state, Clock::time_point now);
  void RecordHistory(FamilyState &state, std::size_t slot, Clock::time_point now);
  std::size_t SlotOf(FamilyState &state, std::size_t row, const Key &key);
  void Remove(FamilyState &state, std::size_t slot);
  std::map<Key, double> Aggregate(const FamilyState &state, std::size_t aggregate) const;
  std::vector<MetricFamily> Collect(Clock::time_point now) const;
  // The slots of a family in key order.
  std::vector<std::size_t> Sorted(const FamilyState &state) const;
  bool Detail() const { return options.perUser && options.perUserDetail; }

  ExportOptions options;
  mutable std::shared_mutex mutex; // guards everything below but the batches
  std::vector<FamilyState> families;
  std::uint64_t unknownEvents = 0;
  bool serverUp = false;
  bool anyEvent = false;
  Clock::time_point lastAnyEvent;

  std::mutex ingestMutex; // guards the batches: decoding runs outside the state's lock
  std::vector<Batch> batches;
};

namespace {

class StateCollectable : public prometheus::Collectable {
public:
  explicit StateCollectable(const ExportState::Impl *impl) : impl_(impl) {}
  std::vector<MetricFamily> Collect() const override { return impl_->Collect(Clock::now()); }

private:
  const ExportState::Impl *impl_;
};

} // namespace

void ExportState::Impl::RecordHistory(FamilyState &state, std::size_t slot, Clock::time_point now) {
  if (state.historyIndex >= state.width)
    return;
  std::deque<Sample> &samples = state.history[state.slots[slot].key];
  const double value = state.ValuesOf(slot)[state.historyIndex];
  if (!samples.empty() && now - samples.back().at < kHistoryStep)
    samples.back().value = value;
  else
    samples.push_back({now, value});
  while (!samples.empty() && now - samples.front().at > kHistorySpan)
    samples.pop_front();
}

// The slot of the entity `key`, row `row` of the event being merged; created when new. Events
// mostly list their rows in the order of the previous one, which saves the lookup.
std::size_t ExportState::Impl::SlotOf(FamilyState &state, std::size_t row, const Key &key) {
  if (row < state.lastOrder.size()) {
    const std::size_t hint = state.lastOrder[row];
    if (hint < state.slots.size() && state.slots[hint].key == key)
      return hint;
  }
  const auto [it, fresh] = state.index.emplace(key, state.slots.size());
  if (fresh) {
    state.slots.emplace_back();
    state.slots.back().key = key;
    state.values.resize(state.slots.size() * state.width, std::numeric_limits<double>::quiet_NaN());
  }
  if (row >= state.lastOrder.size())
    state.lastOrder.resize(row + 1, SIZE_MAX);
  state.lastOrder[row] = it->second;
  return it->second;
}

// Removes a slot by moving the last one into its place.
void ExportState::Impl::Remove(FamilyState &state, std::size_t slot) {
  const std::size_t last = state.slots.size() - 1;
  state.history.erase(state.slots[slot].key);
  state.index.erase(state.slots[slot].key);
  if (slot != last) {
    state.slots[slot] = std::move(state.slots[last]);
    std::copy_n(state.values.begin() + static_cast<std::ptrdiff_t>(last * state.width), state.width,
                state.values.begin() + static_cast<std::ptrdiff_t>(slot * state.width));
    state.index[state.slots[slot].key] = slot;
  }
  state.slots.pop_back();
  state.values.resize(state.slots.size() * state.width);
}

void ExportState::Impl::Merge(FamilyState &state, Batch &batch, Clock::time_point now) {
  const Family &family = *state.family;
  if (state.events > 0) {
    const double interval = Seconds(now - state.lastDecoded);
    state.periodSeconds =
        state.periodSeconds == 0 ? interval : 0.7 * state.periodSeconds + 0.3 * interval;
  }
  state.lastDecoded = now;
  ++state.events;
  if (batch.width != state.width) { // the per-user switch decides whether rows carry values
    state.width = batch.width;
    state.values.assign(state.slots.size() * state.width, std::numeric_limits<double>::quiet_NaN());
  }
  if (family.merge == MergeRule::Snapshot) {
    state.slots.resize(batch.rows);
    state.values.resize(batch.rows * state.width);
  }
  std::size_t contribution = 0;
  for (std::size_t row = 0; row < batch.rows; ++row) {
    const std::size_t begin = contribution;
    contribution = batch.contributionEnds[row];
    const Key &key = batch.keys[row];
    const std::size_t slot = family.merge == MergeRule::Snapshot ? row : SlotOf(state, row, key);
    Slot &entity = state.slots[slot];
    // A row of an earlier period than the one held arrived late: the held figures are newer.
    if (family.cumulative && entity.lastEvent != 0 && batch.periodStarts[row] < entity.periodStart)
      continue;
    entity.key = key;
    std::copy_n(batch.values.begin() + static_cast<std::ptrdiff_t>(row * state.width), state.width,
                state.values.begin() + static_cast<std::ptrdiff_t>(slot * state.width));
    if (row < batch.children.size())
      std::swap(entity.children, batch.children[row]);
    else
      entity.children.clear();
    entity.contributions.assign(batch.contributions.begin() + static_cast<std::ptrdiff_t>(begin),
                                batch.contributions.begin() +
                                    static_cast<std::ptrdiff_t>(contribution));
    entity.periodStart = batch.periodStarts[row];
    entity.lastSeen = now;
    entity.lastEvent = state.events;
    if (state.historyIndex != SIZE_MAX)
      RecordHistory(state, slot, now);
  }
  state.eventValues.swap(batch.eventValues);
  ExpireFamily(state, now);
}

void ExportState::Impl::ExpireFamily(FamilyState &state, Clock::time_point now) {
  const auto periods = static_cast<std::uint64_t>(std::max(1, options.expiryPeriods));
  const double span = static_cast<double>(periods) * state.periodSeconds;
  for (std::size_t slot = state.slots.size(); slot-- > 0;) {
    const Slot &entity = state.slots[slot];
    if (state.events - entity.lastEvent >= periods && Seconds(now - entity.lastSeen) >= span)
      Remove(state, slot);
  }
}

std::map<Key, double> ExportState::Impl::Aggregate(const FamilyState &state,
                                                   std::size_t aggregate) const {
  const AggregateOp op = state.family->aggregates[aggregate].op;
  std::map<Key, double> values;
  for (const Slot &entity : state.slots)
    for (const Contribution &contribution : entity.contributions) {
      if (contribution.aggregate != aggregate)
        continue;
      auto [it, fresh] = values.emplace(contribution.labels, 0.0);
      if (op == AggregateOp::Count)
        it->second += 1;
      else if (op == AggregateOp::Sum)
        it->second += contribution.value;
      else
        it->second = fresh ? contribution.value : std::max(it->second, contribution.value);
    }
  return values;
}

std::vector<std::size_t> ExportState::Impl::Sorted(const FamilyState &state) const {
  std::vector<std::size_t> slots(state.slots.size());
  for (std::size_t slot = 0; slot < slots.size(); ++slot)
    slots[slot] = slot;
  std::sort(slots.begin(), slots.end(), [&state](std::size_t a, std::size_t b) {
    return state.slots[a].key < state.slots[b].key;
  });
  return slots;
}

std::vector<MetricFamily> ExportState::Impl::Collect(Clock::time_point now) const {
  std::shared_lock lock(mutex);
  std::vector<MetricFamily> out;

  MetricFamily up = Gauge("statexport_server_up", "1 while the Statistics Server answers, else 0.");
  up.metric.push_back(GaugeMetric({}, serverUp ? 1 : 0));
  out.push_back(std::move(up));
  MetricFamily received{"statexport_events_received_total",
                        "Events received from the Statistics Server, by event.",
                        MetricType::Counter,
                        {}};
  MetricFamily errors{"statexport_decode_errors_total",
                      "Events whose payload did not decode, by event.",
                      MetricType::Counter,
                      {}};
  MetricFamily age =
      Gauge("statexport_last_event_age_seconds", "Time since the last event of each kind arrived.");
  MetricFamily entities = Gauge("statexport_entities", "Entities held for each event.");
  for (const FamilyState &state : families) {
    if (!state.seen)
      continue;
    const Labels labels{{"event", state.family->eventName}};
    ClientMetric count;
    count.label = labels;
    count.counter.value = static_cast<double>(state.events + state.decodeErrors);
    received.metric.push_back(count);
    count.counter.value = static_cast<double>(state.decodeErrors);
    errors.metric.push_back(count);
    age.metric.push_back(GaugeMetric(labels, Seconds(now - state.lastEvent)));
    entities.metric.push_back(GaugeMetric(labels, static_cast<double>(state.slots.size())));
  }
  if (unknownEvents > 0) {
    ClientMetric count;
    count.label = {{"event", "unknown"}};
    count.counter.value = static_cast<double>(unknownEvents);
    received.metric.push_back(count);
    errors.metric.push_back(count);
  }
  for (MetricFamily *family : {&received, &errors, &age, &entities})
    if (!family->metric.empty())
      out.push_back(std::move(*family));

  for (const FamilyState &state : families) {
    const Family &family = *state.family;
    const std::vector<std::size_t> slots = Sorted(state);
    if (RowValues(family)) {
      std::vector<RenderRow> rows;
      rows.reserve(slots.size());
      for (std::size_t slot : slots)
        rows.push_back({WithKey({}, family.table.labels, state.slots[slot].key),
                        state.ValuesOf(slot), state.width, &state.slots[slot].children});
      RenderLevel(family.table, rows, Detail(), out);
      if (family.cumulative) {
        MetricFamily start = Gauge(family.periodStartMetric,
                                   "Start of the statistics period the figures belong to (Unix "
                                   "time).");
        for (std::size_t slot : slots)
          if (!std::isnan(state.slots[slot].periodStart))
            start.metric.push_back(
                GaugeMetric(rows[&slot - slots.data()].labels, state.slots[slot].periodStart));
        if (!start.metric.empty())
          out.push_back(std::move(start));
      }
    }
    for (std::size_t a = 0; a < family.aggregates.size(); ++a) {
      const AggregateInfo &info = family.aggregates[a];
      if ((info.perUser && !options.perUser) || (info.detail && !Detail()))
        continue;
      MetricFamily aggregate = Gauge(info.metric, info.help);
      for (const auto &[key, value] : Aggregate(state, a))
        aggregate.metric.push_back(GaugeMetric(WithKey({}, info.labels, key), value));
      if (!aggregate.metric.empty())
        out.push_back(std::move(aggregate));
    }
    if (!state.eventValues.empty())
      RenderLevel(family.eventTable,
                  {{Labels{}, state.eventValues.data(), state.eventValues.size(), nullptr}}, true,
                  out);
  }
  return out;
}

ExportState::ExportState(ExportOptions options) : impl_(std::make_unique<Impl>(options)) {}
ExportState::~ExportState() = default;

void ExportState::Ingest(unsigned short eventId, const void *payload, std::size_t size,
                         Clock::time_point now) {
  std::size_t index = 0;
  while (index < impl_->families.size() && impl_->families[index].family->id != eventId)
    ++index;
  if (index == impl_->families.size()) {
    std::unique_lock lock(impl_->mutex);
    ++impl_->unknownEvents;
    return;
  }
  const Family &family = *impl_->families[index].family;
  std::lock_guard ingest(impl_->ingestMutex);
  Batch &batch = impl_->batches[index];
  const bool decoded =
      payload != nullptr && family.Decode(payload, size, impl_->RowValues(family), batch);
  std::unique_lock lock(impl_->mutex);
  FamilyState &state = impl_->families[index];
  state.seen = true;
  state.lastEvent = now;
  impl_->anyEvent = true;
  impl_->lastAnyEvent = now;
  if (!decoded) {
    ++state.decodeErrors;
    return;
  }
  impl_->Merge(state, batch, now);
}

void ExportState::SetServerUp(bool up, Clock::time_point) {
  std::unique_lock lock(impl_->mutex);
  impl_->serverUp = up;
}

void ExportState::Expire(Clock::time_point now) {
  std::unique_lock lock(impl_->mutex);
  for (FamilyState &state : impl_->families)
    impl_->ExpireFamily(state, now);
}

std::shared_ptr<prometheus::Collectable> ExportState::Collectable() {
  return std::make_shared<StateCollectable>(impl_.get());
}

std::vector<prometheus::MetricFamily> ExportState::Collect(Clock::time_point now) const {
  return impl_->Collect(now);
}

nlohmann::json ExportState::Wallboard(Clock::time_point now) const {
  static const char *const kQueueFigures[] = {
      "statserver_queue_contacts_waiting", "statserver_queue_oldest_wait_seconds",
      "statserver_queue_service_level_ratio", "statserver_queue_shift_answered_contacts",
      "statserver_queue_shift_abandoned_contacts"};
  std::shared_lock lock(impl_->mutex);
  nlohmann::json board = nlohmann::json::object();
  board["server_up"] = impl_->serverUp;
  board["figures_age_seconds"] =
      impl_->anyEvent ? nlohmann::json(Seconds(now - impl_->lastAnyEvent)) : nlohmann::json();
  nlohmann::json queues = nlohmann::json::array();
  nlohmann::json history = nlohmann::json::object();
  nlohmann::json groups = nlohmann::json::array();
  for (const FamilyState &state : impl_->families) {
    const Family &family = *state.family;
    if (family.id == TStatisticsServer::QUEUEREALTIMEEVENT) {
      std::vector<std::size_t> indexes;
      for (const char *figure : kQueueFigures)
        for (std::size_t m = 0; m < family.table.metrics.size(); ++m)
          if (std::string(family.table.metrics[m].metric) == figure)
            indexes.push_back(m);
      for (std::size_t slot : impl_->Sorted(state)) {
        const Key &key = state.slots[slot].key;
        const std::string name = LabelValue(family.table.labels[0].format, key[0]);
        nlohmann::json queue{{"queue", name}};
        for (std::size_t f = 0; f < indexes.size(); ++f) {
          const double value = state.ValuesOf(slot)[indexes[f]];
          // The figure's name without the family's prefix, as the page shows it.
          const std::string field = std::string(kQueueFigures[f]).substr(17);
          queue[field] = std::isnan(value) ? nlohmann::json() : nlohmann::json(value);
        }
        queues.push_back(std::move(queue));
        nlohmann::json points = nlohmann::json::array();
        const auto found = state.history.find(key);
        if (found != state.history.end())
          for (const Sample &sample : found->second)
            points.push_back({Rounded(-Seconds(now - sample.at), 1), sample.value});
        history[name] = std::move(points);
      }
    }
    for (std::size_t a = 0; a < family.aggregates.size(); ++a) {
      const AggregateInfo &info = family.aggregates[a];
      if (std::string(info.metric) != "statserver_group_users")
        continue;
      std::map<std::string, nlohmann::json> byGroup;
      std::map<long, std::string> order;
      for (const auto &[key, value] : impl_->Aggregate(state, a)) {
        const std::string group = LabelValue(info.labels[0].format, key[0]);
        order.emplace(key[0], group);
        byGroup[group][LabelValue(info.labels[1].format, key[1])] = value;
      }
      for (const auto &[number, group] : order)
        groups.push_back({{"group", group}, {"users", byGroup[group]}});
    }
  }
  board["queues"] = std::move(queues);
  board["groups"] = std::move(groups);
  board["history"] = std::move(history);
  return board;
}

} // namespace statexport
