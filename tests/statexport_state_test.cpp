// The exporter's state: events built with the library's classes and packed go in, the
// exposition and the wallboard come out.
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <prometheus/text_serializer.h>

#include <statclient/statclient.h>

#include "statexport/CoalescedBody.h"
#include "statexport/ExportState.h"
#include "statexport/Family.h"
#include "statexport/TextExposition.h"
#include "statsim/ContactCenterModel.h"
#include "statsim/EventPublisher.h"
#include "statsupport/EventTable.h"

namespace {

using statexport::Clock;
using statexport::ExportOptions;
using statexport::ExportState;
using statsim::Duration;
using Server = TStatisticsServer;
using namespace std::chrono_literals;

template <class Event> std::vector<unsigned char> Packed(const Event &event) {
  TPack pack(1);
  pack << event;
  const auto *start = static_cast<const unsigned char *>(pack.Contents());
  return {start, start + pack.Length()};
}

template <class Event>
void Ingest(ExportState &state, int id, const Event &event, Clock::time_point now) {
  const std::vector<unsigned char> bytes = Packed(event);
  state.Ingest(static_cast<unsigned short>(id), bytes.data(), bytes.size(), now);
}

std::string Exposition(const ExportState &state, Clock::time_point now) {
  std::ostringstream text;
  prometheus::TextSerializer().Serialize(text, state.Collect(now));
  return text.str();
}

// The value of one series ("name{labels}") in an exposition; NaN when it is not there.
double Value(const std::string &exposition, const std::string &series) {
  std::istringstream lines(exposition);
  for (std::string line; std::getline(lines, line);)
    if (line.compare(0, series.size() + 1, series + " ") == 0)
      return std::stod(line.substr(series.size() + 1));
  return std::nan("");
}

TTimeStamp Instant(unsigned short hour, unsigned short minute) {
  TTimeStamp point(1);
  point.SetYear(2026);
  point.SetMonth(12);
  point.SetDay(8);
  point.SetHour(hour);
  point.SetMinute(minute);
  return point;
}

TQueueRealTimeEvent Queues(long waiting) {
  TQueueRealTimeEvent event;
  auto *queue = AddRecord(event);
  queue->QK = 17;
  queue->Medium = TSMEnum::MEDIUM_TELEPHONY;
  queue->CIQ = waiting;
  queue->Samp.OWT = Duration(41, 500);
  queue->Shf.SL = 82.0f;
  queue->Shf.Ans = 120;
  queue->Shf.Abd = 7;
  event.SiteStatistics.SL = 90.0f;
  return event;
}

TUserRealTimeEvent Users() {
  TUserRealTimeEvent event;
  const TpsTRoutingState::enRoutingState states[] = {TpsTRoutingState::ROUTING_READY,
                                                     TpsTRoutingState::ROUTING_READY,
                                                     TpsTRoutingState::ROUTING_NOTREADY};
  for (long i = 0; i < 3; ++i) {
    auto *user = AddRecord(event);
    user->AK = 1001 + i;
    user->GK = {5};
    user->RS = states[i];
    user->RSTime = 30 + i;
    user->MediaStatistics.resize(1);
    user->MediaStatistics[0].Media = 1;
    user->MediaStatistics[0].ShftRtdHndlPrimTime = Duration(90);
  }
  event.EventDataList[2]->GK = {5, 6};
  return event;
}

TEST(ExportStateTest, QueueFiguresCarryTheirUnitsAndLabels) {
  ExportState state(ExportOptions{});
  const auto now = Clock::now();
  Ingest(state, Server::QUEUEREALTIMEEVENT, Queues(3), now);
  const std::string text = Exposition(state, now);
  EXPECT_EQ(Value(text, R"(statserver_queue_contacts_waiting{queue="17"})"), 3);
  EXPECT_EQ(Value(text, R"(statserver_queue_oldest_wait_seconds{queue="17"})"), 41.5);
  EXPECT_DOUBLE_EQ(Value(text, R"(statserver_queue_service_level_ratio{queue="17"})"), 0.82);
  EXPECT_EQ(Value(text, R"(statserver_queue_shift_answered_contacts{queue="17"})"), 120);
  EXPECT_EQ(Value(text, R"(statserver_queue_shift_abandoned_contacts{queue="17"})"), 7);
  EXPECT_EQ(Value(text, R"(statserver_queue_info{queue="17",medium="Voice"})"), 1);
  EXPECT_DOUBLE_EQ(Value(text, "statserver_site_service_level_ratio"), 0.9);
  EXPECT_EQ(Value(text, R"(statexport_events_received_total{event="QUEUEREALTIMEEVENT"})"), 1);
  EXPECT_EQ(Value(text, R"(statexport_decode_errors_total{event="QUEUEREALTIMEEVENT"})"), 0);
  EXPECT_EQ(Value(text, "statexport_server_up"), 0);
  state.SetServerUp(true, now);
  EXPECT_EQ(Value(Exposition(state, now), "statexport_server_up"), 1);
}

TEST(ExportStateTest, UsersAreCountedPerGroupUnlessPerUserSeriesAreAsked) {
  const auto now = Clock::now();
  ExportState counted(ExportOptions{});
  Ingest(counted, Server::USERREALTIMEEVENT, Users(), now);
  const std::string text = Exposition(counted, now);
  EXPECT_EQ(Value(text, R"(statserver_group_users{group="5",routing_state="Ready"})"), 2);
  EXPECT_EQ(Value(text, R"(statserver_group_users{group="5",routing_state="NotReady"})"), 1);
  EXPECT_EQ(Value(text, R"(statserver_group_users{group="6",routing_state="NotReady"})"), 1);
  EXPECT_EQ(text.find("statserver_user_"), std::string::npos) << text;

  ExportState perUser(ExportOptions{true, 5});
  Ingest(perUser, Server::USERREALTIMEEVENT, Users(), now);
  const std::string full = Exposition(perUser, now);
  EXPECT_EQ(Value(full, R"(statserver_group_users{group="5",routing_state="Ready"})"), 2);
  EXPECT_EQ(Value(full, R"(statserver_user_routing_state_duration_seconds{user="1002"})"), 31);
  EXPECT_EQ(
      Value(full,
            R"(statserver_user_routing_state{user="1003",routing_state="NotReady",reason="0"})"),
      1);
  EXPECT_EQ(
      Value(
          full,
          R"(statserver_user_media_shift_routed_handling_primary_seconds{user="1001",medium="Voice"})"),
      90);
  const std::string handling =
      R"(statserver_user_media_shift_handling_state_seconds{user="1001",medium="Voice",handling_state="Talking"})";
  EXPECT_TRUE(std::isnan(Value(full, handling))) << "a detail, not asked for";
  EXPECT_TRUE(std::isnan(Value(full, R"(statserver_user_max_total_capacity{user="1001"})")));

  ExportState detailed(ExportOptions{true, 5, true});
  Ingest(detailed, Server::USERREALTIMEEVENT, Users(), now);
  const std::string details = Exposition(detailed, now);
  EXPECT_EQ(Value(details, handling), 0);
  EXPECT_EQ(Value(details, R"(statserver_user_max_total_capacity{user="1001"})"), 0);
  EXPECT_TRUE(std::isnan(Value(full, R"(statserver_user_help_seconds{user="1001"})")))
      << "the server's -1 means no help time";
}

TEST(ExportStateTest, EntitiesExpireAfterTheirEventNamedThemNoLongerForNPeriods) {
  ExportState state(ExportOptions{false, 3});
  const auto start = Clock::now();
  auto groups = [](std::initializer_list<long> keys) {
    TGroupRealTimeEvent event;
    for (long key : keys)
      AddRecord(event)->VG = key;
    return event;
  };
  Ingest(state, Server::GROUPREALTIMEEVENT, groups({1, 2}), start);
  for (int tick = 1; tick <= 3; ++tick) {
    Ingest(state, Server::GROUPREALTIMEEVENT, groups({1}), start + tick * 1s);
    const double left = Value(Exposition(state, start + tick * 1s),
                              R"(statserver_group_logged_on_users{group="2"})");
    if (tick < 3)
      EXPECT_EQ(left, 0) << "after " << tick << " events without it";
    else
      EXPECT_TRUE(std::isnan(left)) << "after " << tick << " events without it";
  }
  EXPECT_TRUE(std::isnan(
      Value(Exposition(state, start + 3s), R"(statserver_group_logged_on_users{group="2"})")));
  EXPECT_EQ(Value(Exposition(state, start + 3s), R"(statserver_group_logged_on_users{group="1"})"),
            0);
  // While no event arrives (the server is down) nothing expires, however long it takes.
  state.Expire(start + 1h);
  EXPECT_EQ(Value(Exposition(state, start + 1h), R"(statserver_group_logged_on_users{group="1"})"),
            0);
}

TEST(ExportStateTest, BadPayloadsAreCountedAndChangeNothing) {
  ExportState state(ExportOptions{});
  const auto now = Clock::now();
  Ingest(state, Server::QUEUEREALTIMEEVENT, Queues(3), now);
  const std::vector<unsigned char> good = Packed(Queues(9));
  const std::vector<unsigned char> garbage = {0xff, 0xff, 0xff, 0x7f, 1, 2, 3};
  std::vector<unsigned char> trailing = good;
  trailing.push_back(0);
  for (std::size_t cut : {std::size_t{0}, std::size_t{3}, good.size() / 2, good.size() - 1})
    state.Ingest(Server::QUEUEREALTIMEEVENT, good.data(), cut, now);
  state.Ingest(Server::QUEUEREALTIMEEVENT, garbage.data(), garbage.size(), now);
  state.Ingest(Server::QUEUEREALTIMEEVENT, trailing.data(), trailing.size(), now);
  state.Ingest(Server::QUEUEREALTIMEEVENT, nullptr, 10, now);
  state.Ingest(Server::USERREALTIMEEVENT, garbage.data(), garbage.size(), now);
  state.Ingest(Server::CONTACTLOGSUMMARYEVENT, good.data(), good.size(), now);
  const std::string text = Exposition(state, now);
  EXPECT_EQ(Value(text, R"(statexport_events_received_total{event="unknown"})"), 1);
  EXPECT_EQ(Value(text, R"(statexport_decode_errors_total{event="QUEUEREALTIMEEVENT"})"), 7);
  EXPECT_EQ(Value(text, R"(statexport_decode_errors_total{event="USERREALTIMEEVENT"})"), 1);
  EXPECT_EQ(Value(text, R"(statexport_events_received_total{event="QUEUEREALTIMEEVENT"})"), 8);
  EXPECT_EQ(Value(text, R"(statserver_queue_contacts_waiting{queue="17"})"), 3);
}

TEST(ExportStateTest, ACumulativeRowReplacesItsPeriodAndANewPeriodResets) {
  ExportState state(ExportOptions{});
  const auto now = Clock::now();
  auto queueFigures = [](TTimeStamp periodStart, long answered) {
    TQueueCumulativeEvent event;
    auto *row = AddRecord(event);
    row->QK = 4;
    row->PeriodStamp = periodStart;
    row->PeriodTime = 15;
    row->Answered[0] = answered;
    row->WaitTime[0] = Duration(3725);
    return event;
  };
  const std::string answered = R"(statserver_queue_period_answered_primary_contacts{queue="4"})";
  const std::string start = R"(statserver_queue_period_start_timestamp_seconds{queue="4"})";
  Ingest(state, Server::QUEUECUMULATIVEEVENT, queueFigures(Instant(8, 30), 10), now);
  std::string text = Exposition(state, now);
  EXPECT_EQ(Value(text, answered), 10);
  EXPECT_EQ(Value(text, start), 1796718600);
  EXPECT_EQ(Value(text, R"(statserver_queue_period_length_seconds{queue="4"})"), 900);
  EXPECT_EQ(Value(text, R"(statserver_queue_period_wait_seconds{queue="4"})"), 3725);
  Ingest(state, Server::QUEUECUMULATIVEEVENT, queueFigures(Instant(8, 45), 2), now + 1s);
  text = Exposition(state, now + 1s);
  EXPECT_EQ(Value(text, answered), 2);
  EXPECT_EQ(Value(text, start), 1796718600 + 900);
  // A late row of the earlier period does not undo the reset.
  Ingest(state, Server::QUEUECUMULATIVEEVENT, queueFigures(Instant(8, 30), 11), now + 2s);
  EXPECT_EQ(Value(Exposition(state, now + 2s), answered), 2);
}

// Collects the leaf paths of a walk: "Shf.WTAns", "Received[All,Req,NetIn][1]".
class PathSink : public TFieldSink {
public:
  std::set<std::string> paths;
  void Integer(std::string_view key, long long) override { Leaf(key); }
  void Real(std::string_view key, double) override { Leaf(key); }
  void Boolean(std::string_view key, bool) override { Leaf(key); }
  void Text(std::string_view key, std::string_view) override { Leaf(key); }
  void BeginObject(std::string_view key) override { frames_.push_back({Path(key), false, 0}); }
  void EndObject() override { frames_.pop_back(); }
  void BeginArray(std::string_view key) override { frames_.push_back({Path(key), true, 0}); }
  void EndArray() override { frames_.pop_back(); }

private:
  struct Frame {
    std::string path;
    bool array;
    int next;
  };
  std::string Path(std::string_view key) {
    Frame &top = frames_.back();
    if (top.array)
      return top.path + "[" + std::to_string(top.next++) + "]";
    return top.path.empty() ? std::string(key) : top.path + "." + std::string(key);
  }
  void Leaf(std::string_view key) { paths.insert(Path(key)); }
  std::vector<Frame> frames_{{"", false, 0}};
};

template <class Record>
std::set<std::string> Walked(const Record &record, const std::string &prefix) {
  PathSink sink;
  WalkFields(record, sink);
  std::set<std::string> paths;
  for (const std::string &path : sink.paths)
    paths.insert(prefix + path);
  return paths;
}

std::string Join(const std::string &prefix, const std::string &path) {
  if (path.empty())
    return prefix.substr(0, prefix.size() - 1); // a list of plain values: the element itself
  return prefix + path;
}

void Covered(const statexport::TableInfo &info, const std::string &prefix,
             std::set<std::string> &out) {
  for (const auto &metric : info.metrics)
    out.insert(Join(prefix, metric.path));
  for (const auto &label : info.labels)
    out.insert(Join(prefix, label.path));
  for (const auto &left : info.leftOut)
    out.insert(Join(prefix, left.path));
  for (const auto &child : info.children)
    Covered(child, prefix + child.path + "[0].", out);
}

// Every walked field of a family: the event with one row, each nested list holding one element.
std::set<std::string> WalkedFields(int id) {
  std::set<std::string> all;
  auto merge = [&all](const std::set<std::string> &paths) {
    all.insert(paths.begin(), paths.end());
  };
  const std::string row = "EventDataList[0].";
  switch (id) {
  case Server::USERREALTIMEEVENT: {
    TUserRealTimeEvent event;
    AddRecord(event)->GK = {1};
    merge(Walked(event, ""));
    TEventDataUserMediaStatistics media;
    media.ShiftHandlingStateTimes.resize(1);
    merge(Walked(media, row + "MediaStatistics[0]."));
    merge(Walked(TEventDataUserPresenceStateStatistics(), row + "PresenceStateStatistics[0]."));
    merge(Walked(TEventDataUserContactStatistics(), row + "ContactStatistics[0]."));
    merge(Walked(TEventDataUserCSMStatistics(), row + "CSMStatistics[0]."));
    break;
  }
  case Server::USERCUMULATIVEEVENT: {
    TUserCumulativeEvent event;
    AddRecord(event);
    merge(Walked(event, ""));
    merge(Walked(TEventDataUserContactTypeStatistics(), row + "ContactTypeStatistics[0]."));
    break;
  }
  case Server::WRAPUPREASONCUMULATIVEEVENT: {
    TContactResultsCumulativeEvent event;
    AddRecord(event);
    merge(Walked(event, ""));
    merge(Walked(TEventDataContactResultsStatistics(), row + "ContactResultsStatistics[0]."));
    break;
  }
  case Server::USERSTATEREASONCUMULATIVEEVENT: {
    TRoutingStateCumulativeEvent event;
    AddRecord(event);
    merge(Walked(event, ""));
    merge(Walked(TEventDataRoutingStateStatistics(), row + "RoutingStateStatistics[0]."));
    break;
  }
  case Server::USERPOSTPROCESSINGCUMULATIVEEVENT: {
    TPostProcessingCumulativeEvent event;
    AddRecord(event);
    merge(Walked(event, ""));
    merge(Walked(TEventDataPostProcessingReasonStatistics(), row + "ReasonStatistics[0]."));
    break;
  }
  default:
    statsim::ContactCenterModel model(1);
    const std::vector<unsigned char> bytes = statsim::PackEvent(id, model, true);
    const statsupport::EventEntry *entry = statsupport::FindById(id);
    PathSink sink;
    entry->decode(bytes.data(), bytes.size(), sink);
    for (const std::string &path : sink.paths)
      if (path.rfind("EventDataList[", 0) != 0 || path.rfind(row, 0) == 0)
        all.insert(path);
  }
  return all;
}

TEST(ExportStateTest, EveryWalkedFieldIsExportedOrLeftOutWithAReason) {
  for (const auto &family : statexport::AllFamilies()) {
    std::set<std::string> covered;
    std::set<std::string> inRow;
    Covered(family->table, "", inRow);
    for (const auto &aggregate : family->aggregates) {
      for (const auto &label : aggregate.labels)
        inRow.insert(label.path);
      inRow.insert(aggregate.from.begin(), aggregate.from.end());
    }
    inRow.insert(family->periodStartPaths.begin(), family->periodStartPaths.end());
    for (const std::string &path : inRow)
      covered.insert("EventDataList[0]." + path);
    Covered(family->eventTable, "", covered);
    covered.insert(family->periodStartPaths.begin(), family->periodStartPaths.end());
    for (const auto &left : family->table.leftOut)
      EXPECT_STRNE(left.reason, "") << left.path;
    for (const std::string &path : WalkedFields(family->id))
      EXPECT_TRUE(covered.count(path)) << family->eventName << ": " << path;
  }
}

TEST(ExportStateTest, MetricNamesAreUniqueAndFollowTheConventions) {
  std::map<std::string, std::string> owner;
  auto check = [&owner](const std::string &name, const std::string &family) {
    EXPECT_EQ(name.rfind("statserver_", 0), 0u) << name;
    EXPECT_EQ(name.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789_"), std::string::npos)
        << name;
    EXPECT_FALSE(name.size() > 6 && name.compare(name.size() - 6, 6, "_total") == 0) << name;
    const auto [it, fresh] = owner.emplace(name, family);
    EXPECT_TRUE(fresh || it->second == family) << name << " in " << family << " and " << it->second;
  };
  std::function<void(const statexport::TableInfo &, const std::string &)> walk =
      [&](const statexport::TableInfo &info, const std::string &family) {
        for (const auto &metric : info.metrics)
          check(metric.metric, family);
        for (const auto &child : info.children)
          walk(child, family);
      };
  for (const auto &family : statexport::AllFamilies()) {
    walk(family->table, family->eventName);
    walk(family->eventTable, family->eventName);
    for (const auto &aggregate : family->aggregates)
      check(aggregate.metric, family->eventName);
  }
}

TEST(ExportStateTest, TheMetricsPageListsEveryMetric) {
  std::ifstream file(std::string(STATCLIENT_SOURCE_DIR) + "/docs/metrics.md");
  ASSERT_TRUE(file) << "docs/metrics.md";
  const std::string page((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  auto listed = [&page](const std::string &name) {
    return page.find("`" + name + "`") != std::string::npos;
  };
  std::function<void(const statexport::TableInfo &)> walk = [&](const statexport::TableInfo &info) {
    for (const auto &metric : info.metrics)
      EXPECT_TRUE(listed(metric.metric)) << metric.metric;
    for (const auto &left : info.leftOut)
      EXPECT_NE(page.find(left.path), std::string::npos) << left.path;
    for (const auto &child : info.children)
      walk(child);
  };
  for (const auto &family : statexport::AllFamilies()) {
    walk(family->table);
    walk(family->eventTable);
    for (const auto &aggregate : family->aggregates)
      EXPECT_TRUE(listed(aggregate.metric)) << aggregate.metric;
    if (family->cumulative) {
      EXPECT_TRUE(listed(family->periodStartMetric)) << family->periodStartMetric;
    }
  }
}

// The simulator's model, stepped and published for every family.
void FeedSimulation(ExportState &state, Clock::time_point start, int steps) {
  statsim::ContactCenterModel model(7);
  for (int step = 0; step < steps; ++step) {
    model.Advance();
    for (const auto &family : statexport::AllFamilies()) {
      const std::vector<unsigned char> bytes = statsim::PackEvent(family->id, model, true);
      state.Ingest(static_cast<unsigned short>(family->id), bytes.data(), bytes.size(),
                   start + step * 1s);
    }
  }
}

TEST(ExportStateTest, TheWallboardShowsTheValuesOfTheMetrics) {
  ExportState state(ExportOptions{});
  const auto start = Clock::now();
  FeedSimulation(state, start, 20);
  state.SetServerUp(true, start);
  const auto now = start + 20s;
  const std::string text = Exposition(state, now);
  const nlohmann::json board = nlohmann::json::parse(state.Wallboard(now).dump());
  EXPECT_EQ(board["server_up"], true);
  EXPECT_DOUBLE_EQ(board["figures_age_seconds"].get<double>(), 1.0);
  ASSERT_EQ(board["queues"].size(), 2u);
  for (const auto &queue : board["queues"]) {
    const std::string name = queue["queue"];
    for (const char *figure : {"contacts_waiting", "oldest_wait_seconds", "service_level_ratio",
                               "shift_answered_contacts", "shift_abandoned_contacts"})
      EXPECT_EQ(queue[figure].get<double>(),
                Value(text, "statserver_queue_" + std::string(figure) + "{queue=\"" + name + "\"}"))
          << name << " " << figure;
    const auto &history = board["history"][name];
    ASSERT_EQ(history.size(), 20u);
    EXPECT_EQ(history.back()[0].get<double>(), -1.0);
    EXPECT_EQ(history.back()[1], queue["contacts_waiting"]);
  }
  ASSERT_FALSE(board["groups"].empty());
  for (const auto &group : board["groups"])
    for (const auto &[routingState, users] : group["users"].items())
      EXPECT_EQ(users.get<double>(),
                Value(text, "statserver_group_users{group=\"" + group["group"].get<std::string>() +
                                "\",routing_state=\"" + routingState + "\"}"));
}

TEST(ExportStateTest, ScrapesRunWhileEventsArrive) {
  ExportState state(ExportOptions{true, 2});
  const auto start = Clock::now();
  constexpr int kScrapers = 3;
  constexpr int kScrapesEach = 20;
  std::atomic<int> finished{0};
  std::vector<std::thread> scrapers;
  for (int i = 0; i < kScrapers; ++i)
    scrapers.emplace_back([&] {
      for (int scrape = 0; scrape < kScrapesEach; ++scrape) {
        const std::string text = Exposition(state, Clock::now());
        const nlohmann::json board = state.Wallboard(Clock::now());
        EXPECT_TRUE(board["queues"].is_array());
        EXPECT_EQ(text.find("nan"), std::string::npos);
      }
      ++finished;
    });
  // Events keep arriving until every scraper is through, and at least 200 of each.
  statsim::ContactCenterModel model(3);
  int steps = 0;
  for (; steps < 200 || finished < kScrapers; ++steps) {
    model.Advance();
    for (const auto &family : statexport::AllFamilies()) {
      const std::vector<unsigned char> bytes = statsim::PackEvent(family->id, model, true);
      state.Ingest(static_cast<unsigned short>(family->id), bytes.data(), bytes.size(),
                   start + steps * 1s);
    }
  }
  for (std::thread &scraper : scrapers)
    scraper.join();
  EXPECT_EQ(Value(Exposition(state, start + steps * 1s),
                  R"(statexport_events_received_total{event="GROUPREALTIMEEVENT"})"),
            steps);
}

// The daemon's exposition, split in two halves serialized at once or written whole, is the one
// serializer's text byte for byte, whatever size the hint guesses.
TEST(ExportStateTest, TheDaemonsExpositionIsTheSerializersText) {
  ExportState state(ExportOptions{true, 5, true});
  const auto start = Clock::now();
  FeedSimulation(state, start, 3);
  const std::string expected = Exposition(state, start + 3s);
  ASSERT_GT(expected.size(), 1000u);
  for (std::size_t hint :
       {std::size_t{0}, expected.size() / 3, std::size_t{1} << 20, std::size_t{8} << 20})
    EXPECT_EQ(statexport::TextExposition(state.Collect(start + 3s), hint), expected) << hint;
  EXPECT_EQ(statexport::TextExposition({}, std::size_t{1} << 20), "");
}

TEST(ExportStateTest, PromtoolFindsNothingToReportInAFullExposition) {
  ExportState state(ExportOptions{true, 5, true});
  const auto start = Clock::now();
  FeedSimulation(state, start, 3);
  TUserRealTimeEvent users = Users();
  users.EventDataList[0]->PresenceStateStatistics.resize(1);
  users.EventDataList[0]->ContactStatistics.resize(1);
  users.EventDataList[0]->CSMStatistics.resize(1);
  Ingest(state, Server::USERREALTIMEEVENT, users, start + 3s);
  TRoutingStateCumulativeEvent states;
  AddRecord(states)->RoutingStateStatistics.resize(1);
  Ingest(state, Server::USERSTATEREASONCUMULATIVEEVENT, states, start + 3s);
  const std::string text = Exposition(state, start + 3s);
  ASSERT_NE(text.find("statserver_user_shift_presence_state_seconds"), std::string::npos);
  const std::string path = ::testing::TempDir() + "statexport_exposition.txt";
  std::ofstream(path) << text;
  const std::string command = "promtool check metrics < " + path + " 2>&1";
  FILE *pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string report;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe))
    report += buffer;
  const int status = pclose(pipe);
  EXPECT_EQ(status, 0) << report;
  EXPECT_EQ(report, "");
  std::remove(path.c_str());
}

// Scrapers that ask together share one build, none is served a body begun before it asked, every
// build runs on the body's own thread, and a build that throws reaches its callers while the next
// call builds afresh.
TEST(CoalescedBodyTest, ConcurrentCallersShareOneFreshBuild) {
  std::mutex gate_mutex;
  std::condition_variable gate_changed;
  bool gate_open = false;
  std::atomic<int> builds{0};
  std::atomic<bool> fail_next{false};
  std::set<std::thread::id> builders;
  statexport::CoalescedBody body([&] {
    const int number = ++builds;
    builders.insert(std::this_thread::get_id());
    if (fail_next.exchange(false))
      throw std::runtime_error("build failed");
    std::unique_lock<std::mutex> lock(gate_mutex);
    gate_changed.wait(lock, [&] { return gate_open; });
    return std::to_string(number);
  });

  // The first caller's build is held at the gate; eight callers arriving meanwhile must all get
  // the one build that begins after it, not eight builds and not the first caller's stale one.
  std::string first;
  std::thread first_caller([&] { first = *body.Get(); });
  while (builds.load() == 0)
    std::this_thread::yield();
  std::vector<std::string> late(8);
  std::vector<std::thread> late_callers;
  for (auto &result : late)
    late_callers.emplace_back([&body, &result] { result = *body.Get(); });
  std::this_thread::sleep_for(200ms);
  {
    std::lock_guard<std::mutex> lock(gate_mutex);
    gate_open = true;
  }
  gate_changed.notify_all();
  first_caller.join();
  for (auto &caller : late_callers)
    caller.join();
  // The first caller may wake only after the second build ended, and is then served that one.
  EXPECT_TRUE(first == "1" || first == "2") << first;
  EXPECT_EQ(builds.load(), 2);
  for (const auto &result : late)
    EXPECT_EQ(result, "2");

  fail_next = true;
  EXPECT_THROW(body.Get(), std::runtime_error);
  EXPECT_EQ(*body.Get(), "4");
  EXPECT_EQ(builders.size(), 1u);
  EXPECT_EQ(builders.count(std::this_thread::get_id()), 0u);
}

} // namespace
