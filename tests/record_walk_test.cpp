// The field walk over every record class: the text shows every packed field (or says which it
// leaves out), structured keys are unique per object, and a broken payload names its field.
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/Coverage.h"
#include "event_cases.h"
#include "support/Spans.h"

namespace {

// Notes each key repeated within its object, given inside an array or missing outside one, and
// each close that does not match its open; keeps the texts.
class KeyCheckSink : public TFieldSink {
public:
  std::string problems;
  std::vector<std::pair<std::string, std::string>> texts;
  int values = 0;

  void Integer(std::string_view key, long long) override { Value(key); }
  void Real(std::string_view key, double) override { Value(key); }
  void Boolean(std::string_view key, bool) override { Value(key); }
  void Text(std::string_view key, std::string_view text) override {
    Value(key);
    texts.emplace_back(key, text);
  }
  void BeginObject(std::string_view key) override { Open(key, false); }
  void BeginArray(std::string_view key) override { Open(key, true); }
  void EndObject() override { Close(false); }
  void EndArray() override { Close(true); }
  bool Balanced() const { return open_.size() == 1; }

private:
  // Each open level: whether it is an array, and the keys given in it so far.
  std::vector<std::pair<bool, std::set<std::string>>> open_{{false, {}}};

  void Value(std::string_view key) {
    ++values;
    auto &[array, keys] = open_.back();
    if (array != key.empty() || (!array && !keys.insert(std::string(key)).second))
      problems += " '" + std::string(key) + "'";
  }
  void Open(std::string_view key, bool array) {
    Value(key);
    open_.push_back({array, {}});
  }
  void Close(bool array) {
    if (open_.size() < 2 || open_.back().first != array)
      problems += " unbalanced close";
    else
      open_.pop_back();
  }
};

template <class R> void ExpectWellFormedWalk(const R &record) {
  KeyCheckSink sink;
  WalkFields(record, sink);
  EXPECT_EQ(sink.problems, "");
  EXPECT_TRUE(sink.Balanced());
  EXPECT_GT(sink.values, 0);
}

template <class R, class = void> struct HasText : std::false_type {};
template <class R>
struct HasText<R, std::void_t<decltype(std::declval<R &>().ToString())>> : std::true_type {};

// Every record class of the library: first those with a one-line text, then those without one.
using RecordTypes = ::testing::Types<
    TEventDataGroupRealTime, TEventDataContactRealTime, TEventDataCallbackRealTime,
    TEventDataUserRealTime, TEventDataUserMediaStatistics, TEventDataUserPresenceStateStatistics,
    TEventDataUserContactStatistics, TEventDataUserCSMStatistics, TEventDataQueueRealTime,
    TEventDataSiteStatistics, TEventDataSampleStatistics, TEventDataShiftStatistics,
    TEventDataEstimatedStatistics, TEventDataUpdateContactLog, TEventDataUserCumulative,
    TEventDataUserContactTypeStatistics, TEventDataQueueCumulative, TEventDataGroupCumulative,
    TEventDataDestinationCumulative, TEventDataRoutingStateCumulative,
    TEventDataRoutingStateStatistics, TEventDataPostProcessingCumulative,
    TEventDataPostProcessingReasonStatistics, TEventDataContactResultsCumulative,
    TEventDataContactResultsStatistics, TEventDataCallbackCumulative,
    TEventDataCDComponentCumulative, TEventDataWorkFlowCumulative, TContactDetailCommonFields,
    TContactDetail, TCallbackAttemptLog, TCallbackScheduleLog, TOpenMediaContent, TErrorRecord,
    TContactLogStatistics, TEventDataContactLog, TQueryContactLogDataEvent>;
template <class R> class RecordWalk : public ::testing::Test {};
TYPED_TEST_SUITE(RecordWalk, RecordTypes, );

// A record claims a text list exactly when it has a text, and then shows every packed field.
TYPED_TEST(RecordWalk, TextShowsEveryPackedFieldAndKeysAreUnique) {
  const statcore::TextCoverage coverage = statcore::CoverageOf<TypeParam>();
  EXPECT_EQ(coverage.hasText, HasText<TypeParam>::value);
  EXPECT_TRUE(coverage.unrendered.empty()) << ::testing::PrintToString(coverage.unrendered);
  ExpectWellFormedWalk(TypeParam());
}

// Filled events, so that nested records and vectors are walked too.
template <class E> class EventWalk : public ::testing::Test {};
TYPED_TEST_SUITE(EventWalk, EventTypes, );
TYPED_TEST(EventWalk, FilledEventsWalkWellFormed) {
  ExpectWellFormedWalk(FilledEvent<TypeParam>(2));
}

// A duration walks as its time of day; a point in time keeps its date even where the line text
// shows only its time of day.
TEST(StructuredWalk, PointsInTimeKeepTheirDate) {
  TEventDataDestinationCumulative row;
  row.TotalTime[1] = Span(0, 0, 1, 0, 0);
  row.PeriodStartGMT = PeriodInstant();
  KeyCheckSink sink;
  WalkFields(row, sink);
  EXPECT_EQ(sink.texts, (std::vector<std::pair<std::string, std::string>>{
                            {"", "00:00:00.000"},
                            {"", "00:01:00.000"},
                            {"", "00:00:00.000"},
                            {"PeriodStartGMT", "2024/05/06 08:30:15.250"}}));
  EXPECT_NE(row.ToString().find("PeriodStartGMT:08:30:15.250"), std::string::npos);
}

// Where unpacking `value`'s bytes without their last `dropped` bytes breaks.
template <class T> std::string BreakOf(const T &value, std::size_t dropped) {
  const Bytes bytes = Packed(value);
  T target;
  EXPECT_THROW(UnpackInto(Bytes(bytes.begin(), bytes.end() - dropped), target), TPackError);
  return LastUnpackBreak();
}

TEST(UnpackBreak, NamesRecordAndField) {
  TGroupRealTimeEvent groups;
  AddRecord(groups);
  AddRecord(groups);
  // 10 bytes into the second record of 80: LoggedOnUsers.
  EXPECT_EQ(BreakOf(groups, 70), "EventDataList[1].LoggedOnUsers");

  TUserRealTimeEvent users;
  AddRecord(users)->ContactStatistics.resize(2);
  users.EventDataList[0]->ContactStatistics[1].CID = "abcdef";
  // Inside the second contact's CID: its 4-byte length, then 6 bytes, then AuxText.
  EXPECT_EQ(BreakOf(users, 4 + 3 + 4), "EventDataList[0].ContactStatistics[1].CID");

  TQueryContactLogDataEvent logs;
  logs.ContactLogs.resize(1);
  EXPECT_EQ(BreakOf(logs, 1), "ContactLogs[0].TimeValue");
}

} // namespace
