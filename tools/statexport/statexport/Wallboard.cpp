// The wallboard: the queue figures, the users per group and routing state, and the recent
// contacts waiting per queue, read from the same stored values as the exposition.
#include <cmath>
#include <map>
#include <mutex>
#include <string>

#include "statexport/StateStore.h"

namespace statexport {

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
