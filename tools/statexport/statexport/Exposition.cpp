// The exposition: every family's stored rows, aggregates and event fields as metric families,
// and the exporter's own metrics.
#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <string>

#include "statexport/StateStore.h"

namespace statexport {
namespace {

using prometheus::ClientMetric;
using prometheus::MetricFamily;
using prometheus::MetricType;
using Labels = std::vector<ClientMetric::Label>;

// A row as the renderings see it: its labels, its values and its nested rows.
struct RenderRow {
  Labels labels;
  const double *values;
  std::size_t count;
  const Children *children;
};

MetricFamily Gauge(const char *name, const char *help) {
  return MetricFamily{name, help, MetricType::Gauge, {}};
}

ClientMetric GaugeMetric(Labels labels, double value) {
  ClientMetric metric;
  metric.label = std::move(labels);
  metric.gauge.value = value;
  return metric;
}

Labels WithKey(const Labels &base, const std::vector<LabelEntry> &entries, const Key &key) {
  Labels labels = base;
  for (std::size_t i = 0; i < entries.size(); ++i)
    labels.push_back({entries[i].name, LabelValue(entries[i].format, key[i])});
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

std::vector<prometheus::MetricFamily> ExportState::Collect(Clock::time_point now) const {
  return impl_->Collect(now);
}

} // namespace statexport
