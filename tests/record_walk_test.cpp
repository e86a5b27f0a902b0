// The field walk over every record class: the text shows every packed field (or says which it
// leaves out), structured keys are unique per object, and a broken payload names its field.
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/Coverage.h"
#include "cumulative_checks.h"
#include "event_cases.h"
#include "record_types.h"
#include "support/Spans.h"

namespace {

// Checks that keys are unique within each object and that objects and arrays nest properly.
class KeyCheckSink : public TFieldSink {
public:
  std::vector<std::string> problems;
  std::vector<std::pair<std::string, std::string>> texts;
  int values = 0;

  void Integer(std::string_view key, long long) override { Value(key); }
  void Real(std::string_view key, double) override { Value(key); }
  void Boolean(std::string_view key, bool) override { Value(key); }
  void Text(std::string_view key, std::string_view text) override {
    Value(key);
    texts.emplace_back(key, text);
  }
  void BeginObject(std::string_view key) override {
    Value(key);
    open_.push_back({false, {}});
  }
  void EndObject() override { Close(false); }
  void BeginArray(std::string_view key) override {
    Value(key);
    open_.push_back({true, {}});
  }
  void EndArray() override { Close(true); }
  bool Balanced() const { return open_.size() == 1; }

private:
  struct Level {
    bool array;
    std::set<std::string> keys;
  };
  std::vector<Level> open_{{false, {}}};

  void Value(std::string_view key) {
    ++values;
    Level &level = open_.back();
    if (level.array != key.empty())
      problems.push_back("key '" + std::string(key) + "' in the wrong place");
    else if (!level.array && !level.keys.insert(std::string(key)).second)
      problems.push_back("repeated key '" + std::string(key) + "'");
  }
  void Close(bool array) {
    if (open_.size() < 2 || open_.back().array != array)
      problems.push_back("unbalanced close");
    else
      open_.pop_back();
  }
};

template <class R> class TextRecordWalk : public ::testing::Test {};
TYPED_TEST_SUITE(TextRecordWalk, TextRecordTypes, );

TYPED_TEST(TextRecordWalk, TextShowsEveryPackedField) {
  const statcore::TextCoverage coverage = statcore::CoverageOf<TypeParam>();
  EXPECT_TRUE(coverage.hasText);
  EXPECT_TRUE(coverage.unrendered.empty()) << ::testing::PrintToString(coverage.unrendered);
}

template <class R> void ExpectWellFormedWalk(const R &record) {
  KeyCheckSink sink;
  WalkFields(record, sink);
  EXPECT_TRUE(sink.problems.empty()) << ::testing::PrintToString(sink.problems);
  EXPECT_TRUE(sink.Balanced());
  EXPECT_GT(sink.values, 0);
}

TYPED_TEST(TextRecordWalk, StructuredKeysAreUnique) { ExpectWellFormedWalk(TypeParam()); }

template <class R> class PlainRecordWalk : public ::testing::Test {};
TYPED_TEST_SUITE(PlainRecordWalk, PlainRecordTypes, );

TYPED_TEST(PlainRecordWalk, StructuredKeysAreUniqueAndNothingClaimsAText) {
  EXPECT_FALSE(statcore::CoverageOf<TypeParam>().hasText);
  ExpectWellFormedWalk(TypeParam());
}

template <class E> class EventWalk : public ::testing::Test {};
TYPED_TEST_SUITE(EventWalk, EventTypes, );

// Filled events, so that nested records and vectors are walked too; and a cut at every byte
// names a path into the event's records.
TYPED_TEST(EventWalk, FilledEventsWalkAndCutsNameTheirField) {
  TypeParam event = FilledEvent<TypeParam>(2);
  ExpectWellFormedWalk(event);

  const Bytes bytes = Packed(event);
  for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
    TypeParam target;
    try {
      UnpackInto(Bytes(bytes.begin(), bytes.begin() + cut), target);
      continue; // a cut inside a trailing raw enumeration is not an error
    } catch (const TPackError &) {
    }
    EXPECT_FALSE(LastUnpackBreak().empty()) << "cut at " << cut;
  }
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

TEST(UnpackBreak, NamesRecordAndField) {
  TGroupRealTimeEvent event;
  AddRecord(event);
  AddRecord(event);
  const Bytes bytes = Packed(event);
  TGroupRealTimeEvent target;
  // The count, one whole record of 80 bytes, then 10 bytes into the second: LoggedOnUsers.
  EXPECT_THROW(UnpackInto(Bytes(bytes.begin(), bytes.begin() + 4 + 80 + 10), target), TPackError);
  EXPECT_EQ(LastUnpackBreak(), "EventDataList[1].LoggedOnUsers");

  TUserRealTimeEvent users;
  TEventDataUserRealTime *user = AddRecord(users);
  user->ContactStatistics.resize(2);
  user->ContactStatistics[1].CID = "abcdef";
  const Bytes userBytes = Packed(users);
  TUserRealTimeEvent cut;
  // Cut inside the second contact's CID: its 4-byte length, then 6 bytes, then AuxText.
  EXPECT_THROW(UnpackInto(Bytes(userBytes.begin(), userBytes.end() - 4 - 3 - 4), cut), TPackError);
  EXPECT_EQ(LastUnpackBreak(), "EventDataList[0].ContactStatistics[1].CID");

  TQueryContactLogDataEvent logs;
  logs.ContactLogs.resize(1);
  const Bytes logBytes = Packed(logs);
  TQueryContactLogDataEvent logTarget;
  EXPECT_THROW(UnpackInto(Bytes(logBytes.begin(), logBytes.end() - 1), logTarget), TPackError);
  EXPECT_EQ(LastUnpackBreak(), "ContactLogs[0].TimeValue");
}

} // namespace
