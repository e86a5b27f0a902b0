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

bool SameKey(const Key &a, const Key &b) { return a[0] == b[0] && a[1] == b[1] && a[2] == b[2]; }

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
      state.columns = &family->columns;
      for (std::size_t m = 0; m < family->table.metrics.size(); ++m)
        if (std::string(family->table.metrics[m].metric) == family->historyMetric)
          state.historyIndex = m;
      families.push_back(std::move(state));
    }
  }

  FamilyState *StateOf(int eventId) {
    for (FamilyState &state : families)
      if (state.family->id == eventId)
        return &state;
    return nullptr;
  }

  bool RowValues(const Family &family) const { return options.perUser || !family.perUserOnly; }

  void ExpireFamily(FamilyState &state, Clock::time_point now);
  void RecordHistory(FamilyState &state, std::size_t slot, Clock::time_point now);
  __attribute__((noinline)) std::size_t SlotOf(FamilyState &state, std::size_t row, const Key &key);
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
  if (state.historyIndex == SIZE_MAX || !state.HasValues())
    return;
  std::deque<Sample> &samples = state.history[state.slots[slot].key];
  const double value = state.Value(slot, state.historyIndex);
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
  // Slots are created in the order of the first event's rows, so usually row i is slot i.
  if (row < state.slots.size() && SameKey(state.slots[row].key, key))
    return row;
  if (row < state.lastOrder.size()) {
    const std::size_t hint = state.lastOrder[row];
    if (hint < state.slots.size() && SameKey(state.slots[hint].key, key))
      return hint;
  }
  const auto [it, fresh] = state.index.emplace(key, state.slots.size());
  if (fresh) {
    state.slots.emplace_back();
    state.slots.back().key = key;
    state.nested.emplace_back();
    state.Resize(state.slots.size());
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
    state.slots[slot] = state.slots[last];
    state.nested[slot] = std::move(state.nested[last]);
    std::copy_n(state.numbers.begin() + static_cast<std::ptrdiff_t>(last * state.numberWidth),
                state.numberWidth,
                state.numbers.begin() + static_cast<std::ptrdiff_t>(slot * state.numberWidth));
    std::copy_n(state.reals.begin() + static_cast<std::ptrdiff_t>(last * state.realWidth),
                state.realWidth,
                state.reals.begin() + static_cast<std::ptrdiff_t>(slot * state.realWidth));
    state.index[state.slots[slot].key] = slot;
  }
  state.slots.pop_back();
  state.nested.pop_back();
  state.Resize(state.slots.size());
}

namespace {

// Merges one decoded event into its family under the state's lock, held from Begin to End.
class Merger : public MergeTarget {
public:
  Merger(ExportState::Impl &impl, FamilyState &state, Clock::time_point now)
      : impl_(impl), state_(state), now_(now) {}

  void Begin(std::size_t rows, std::size_t numbers, std::size_t reals) override {
    lock_ = std::unique_lock(impl_.mutex);
    MarkArrival(impl_, state_, now_);
    if (state_.events > 0) {
      const double interval = Seconds(now_ - state_.lastDecoded);
      state_.periodSeconds =
          state_.periodSeconds == 0 ? interval : 0.7 * state_.periodSeconds + 0.3 * interval;
    }
    state_.lastDecoded = now_;
    ++state_.events;
    if (numbers != state_.numberWidth || reals != state_.realWidth) {
      // The per-user switch decides whether rows carry values.
      state_.numberWidth = numbers;
      state_.realWidth = reals;
      state_.numbers.clear();
      state_.reals.clear();
      state_.Resize(state_.slots.size());
    }
    snapshot_ = state_.family->merge == MergeRule::Snapshot;
    cumulative_ = state_.family->cumulative;
    history_ = state_.historyIndex != SIZE_MAX;
    if (snapshot_) {
      state_.slots.resize(rows);
      state_.nested.resize(rows);
      state_.Resize(rows);
    }
  }

  RowOut Row(std::size_t index, const Key &key, double periodStart) override {
    std::size_t slot = index;
    if (snapshot_)
      state_.slots[slot].key = key;
    else if (!(index < state_.slots.size() && SameKey(state_.slots[index].key, key)))
      slot = impl_.SlotOf(state_, index, key);
    Slot &entity = state_.slots[slot];
    if (cumulative_) {
      // A row of an earlier period than the one held arrived late: the held figures are newer.
      if (entity.lastEvent != 0 && periodStart < entity.periodStart)
        return {true};
      entity.periodStart = periodStart;
    }
    named_ += entity.lastEvent != state_.events;
    entity.lastSeen = now_;
    entity.lastEvent = state_.events;
    if (history_)
      touched_.push_back(slot);
    Nested &nested = state_.nested[slot];
    return {false, state_.numbers.data() + slot * state_.numberWidth,
            state_.reals.data() + slot * state_.realWidth, &nested.children, &nested.contributions};
  }

  void End(const std::vector<double> &eventValues) override {
    state_.eventValues = eventValues;
    for (std::size_t slot : touched_)
      impl_.RecordHistory(state_, slot, now_);
    // Only entities this event did not name can have expired.
    if (named_ < state_.slots.size())
      impl_.ExpireFamily(state_, now_);
  }

  static void MarkArrival(ExportState::Impl &impl, FamilyState &state, Clock::time_point now) {
    state.seen = true;
    state.lastEvent = now;
    impl.anyEvent = true;
    impl.lastAnyEvent = now;
  }

private:
  ExportState::Impl &impl_;
  FamilyState &state_;
  Clock::time_point now_;
  std::unique_lock<std::shared_mutex> lock_;
  bool snapshot_ = false;
  bool cumulative_ = false;
  bool history_ = false;
  std::size_t named_ = 0;
  std::vector<std::size_t> touched_; // the slots named, for the families with a history
};

} // namespace

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
  for (const Nested &entity : state.nested)
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
      // The stored columns back in table order, one row of doubles per entity.
      const std::size_t width = state.HasValues() ? family.table.metrics.size() : 0;
      std::vector<double> values(slots.size() * width);
      std::vector<RenderRow> rows;
      rows.reserve(slots.size());
      for (std::size_t i = 0; i < slots.size(); ++i) {
        double *row = values.data() + i * width;
        for (std::size_t m = 0; m < width; ++m)
          row[m] = state.Value(slots[i], m);
        rows.push_back({WithKey({}, family.table.labels, state.slots[slots[i]].key), row, width,
                        &state.nested[slots[i]].children});
      }
      RenderLevel(family.table, rows, Detail(), out);
      if (family.cumulative) {
        MetricFamily start = Gauge(family.periodStartMetric,
                                   "Start of the statistics period the figures belong to (Unix "
                                   "time).");
        for (std::size_t i = 0; i < slots.size(); ++i)
          if (!std::isnan(state.slots[slots[i]].periodStart))
            start.metric.push_back(GaugeMetric(rows[i].labels, state.slots[slots[i]].periodStart));
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
  FamilyState &state = impl_->families[index];
  const Family &family = *state.family;
  Merger merger(*impl_, state, now);
  if (payload != nullptr &&
      family.Ingest(payload, size, impl_->RowValues(family), impl_->Detail(), merger))
    return;
  std::unique_lock lock(impl_->mutex);
  Merger::MarkArrival(*impl_, state, now);
  ++state.decodeErrors;
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
          const double value = state.HasValues() ? state.Value(slot, indexes[f]) : std::nan("");
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
