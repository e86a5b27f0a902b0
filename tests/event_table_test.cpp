// The support library's event table and JSON rendering, over every event class in the table,
// and the simulator's dispatch from id to class.
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "event_cases.h"
#include "statsim/EventClasses.h"
#include "statsupport/EventTable.h"
#include "statsupport/JsonSink.h"
#include "support/Spans.h"

namespace {

template <class E> class EventTableSuite : public ::testing::Test {};
TYPED_TEST_SUITE(EventTableSuite, EventTypes, );

// Every event class of the suite has exactly one entry: it decodes a filled event to the same
// JSON as walking the event directly, says where the event ends, its self-check passes on the
// event and fails on a cut one, and its name is the one the server gives its id. (The lookups
// by name and id are the tools', which statwatch_cli_test and statdump_test run.)
TYPED_TEST(EventTableSuite, DecodesFilledEventsByClass) {
  Bytes bytes = Packed(FilledEvent<TypeParam>(2));
  bytes.push_back(0xEE); // not part of the event
  const nlohmann::json expected = statsupport::ToJson(FilledEvent<TypeParam>(2));
  int entries = 0;
  for (const statsupport::EventEntry *e = statsupport::begin(); e != statsupport::end(); ++e) {
    statsupport::JsonSink sink;
    try {
      const statsupport::DecodeResult result = e->decode(bytes.data(), bytes.size(), sink);
      if (sink.Result() == expected) {
        ++entries;
        EXPECT_EQ(result.records, 2u);
        EXPECT_EQ(result.consumed, bytes.size() - 1);
        EXPECT_TRUE(e->selfCheck(bytes.data(), bytes.size()));
        EXPECT_FALSE(e->selfCheck(bytes.data(), 3));
        EXPECT_EQ(
            TStatisticsServer::ToString(static_cast<TStatisticsServer::enSvrPublicEvents>(e->id)),
            e->eventName);
        bool visitedThisClass = false;
        EXPECT_TRUE(statsim::VisitEventClass(e->id, [&](auto &event) {
          visitedThisClass = std::is_same_v<std::decay_t<decltype(event)>, TypeParam>;
        }));
        EXPECT_TRUE(visitedThisClass);
      }
    } catch (const TPackError &) {
    }
  }
  EXPECT_EQ(entries, 1);
}

// The pairing of ids and classes, written out here apart from the support library's list: the
// table holds these and no others, in id order, and finds each by id and by both names. Ids
// without a class have no entry and the simulator visits nothing for them.
TEST(EventTable, PairsEachIdWithItsClassInIdOrder) {
  using S = TStatisticsServer;
  const std::vector<std::pair<int, std::string>> expected = {
      {S::USERREALTIMEEVENT, "TUserRealTimeEvent"},
      {S::QUEUEREALTIMEEVENT, "TQueueRealTimeEvent"},
      {S::GROUPREALTIMEEVENT, "TGroupRealTimeEvent"},
      {S::CONTACTREALTIMEEVENT, "TContactRealTimeEvent"},
      {S::CALLBACKREALTIMEEVENT, "TCallbackRealTimeEvent"},
      {S::USERCUMULATIVEEVENT, "TUserCumulativeEvent"},
      {S::QUEUECUMULATIVEEVENT, "TQueueCumulativeEvent"},
      {S::GROUPCUMULATIVEEVENT, "TGroupCumulativeEvent"},
      {S::CALLBACKCUMULATIVEEVENT, "TCallbackCumulativeEvent"},
      {S::DNISCUMULATIVEEVENT, "TMonitoredDestinationCumulativeEvent"},
      {S::WRAPUPREASONCUMULATIVEEVENT, "TContactResultsCumulativeEvent"},
      {S::USERSTATEREASONCUMULATIVEEVENT, "TRoutingStateCumulativeEvent"},
      {S::USERPOSTPROCESSINGCUMULATIVEEVENT, "TPostProcessingCumulativeEvent"},
      {S::WORKFLOWCUMULATIVEEVENT, "TWorkFlowCumulativeEvent"},
      {S::CALLDIRECTORCOMPONENTCUMULATIVEEVENT, "TCDComponentCumulativeEvent"},
  };
  std::vector<std::pair<int, std::string>> table;
  for (const statsupport::EventEntry *e = statsupport::begin(); e != statsupport::end(); ++e) {
    table.emplace_back(e->id, e->className);
    EXPECT_EQ(statsupport::FindById(e->id), e);
    EXPECT_EQ(statsupport::FindByName(e->className), e);
    EXPECT_EQ(statsupport::FindByName(e->eventName), e);
  }
  EXPECT_EQ(table, expected);
  for (int noClass : {static_cast<int>(S::CONNECTIONEVENT),
                      static_cast<int>(S::TABLEMANAGEMENTCOMPLETEEVENT), 0, -1}) {
    EXPECT_EQ(statsupport::FindById(noClass), nullptr) << noClass;
    int visits = 0;
    EXPECT_FALSE(statsim::VisitEventClass(noClass, [&](auto &) { ++visits; })) << noClass;
    EXPECT_EQ(visits, 0) << noClass;
  }
}

TEST(JsonSink, NestedRecordsGroupsAndRepeatedLabels) {
  TEventDataQueueRealTime queue;
  queue.QK = 7;
  queue.Medium = static_cast<TSMEnum::MEDIUM>(1);
  queue.Shf.WTAns = Span(0, 0, 1, 2, 3);
  const nlohmann::json json = statsupport::ToJson(queue);
  EXPECT_EQ(json["QK"], 7);
  EXPECT_EQ(json["Medium"], "T");
  EXPECT_EQ(json["Shf"]["WTAns"], "00:01:02.003");
  EXPECT_EQ(json["Shf"]["WTAbd"], "00:00:00.000");
  EXPECT_EQ(json["Samp"]["OWT"], "00:00:00.000");

  TEventDataUserRealTime user;
  user.MinCapAvail = 4;
  user.GK = {3, 9};
  const nlohmann::json userJson = statsupport::ToJson(user);
  EXPECT_EQ(userJson["MinCap[Avail,Total,Key]"], nlohmann::json::array({4, 0, 0}));
  EXPECT_EQ(userJson["GK"], nlohmann::json::array({3, 9}));
  EXPECT_EQ(userJson["Pres"], TpsTPresenceState::ToString(user.Pres));

  TContactDetail detail;
  detail.SetQueueKey(12);
  detail.CallbackAttemptLogs.resize(1);
  const nlohmann::json detailJson = statsupport::ToJson(detail);
  EXPECT_EQ(detailJson["QueueKey"], 12);
  EXPECT_EQ(detailJson["CallbackAttemptLogs"][0]["Sequence"], 0);
}

} // namespace
