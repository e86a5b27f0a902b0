// What an event's list holds while its records are released, seen from the diagnostic written
// when one release fails: Clear walks the list and empties it after, CleanUp takes each record
// off the back before releasing it. Either way every record is released, the list ends empty
// and the fields outside the list stay.
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "cumulative_checks.h"
#include "event_cases.h"

namespace {

// Adds three records, makes release number `failing` (from 0) throw, releases with `release`,
// and returns the list as it stood when the failure was reported, beside the records added.
template <class Event, class Release>
std::pair<std::vector<RecordOf<Event> *>, std::vector<RecordOf<Event> *>>
ListAtFailedRelease(Event &event, int failing, Release release) {
  std::vector<RecordOf<Event> *> records;
  for (int i = 0; i < 3; ++i)
    records.push_back(AddRecord(event));
  std::vector<RecordOf<Event> *> listAtFailure;
  int reports = 0;
  const TDiag::Sink previous =
      TDiag::SetSink([&](TDiag::enDiagType, unsigned short, const char *, const std::string &) {
        listAtFailure = event.EventDataList;
        ++reports;
      });
  TMemory::FaultPlan plan;
  plan.memFreeThrowsAfter = failing;
  TMemory::SetFaultPlan(plan);
  const auto live = TMemory::LiveRegistrations();
  release(event);
  TMemory::SetFaultPlan({});
  TDiag::SetSink(previous);
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(TMemory::LiveRegistrations(), live - 3);
  EXPECT_TRUE(event.EventDataList.empty());
  return {listAtFailure, records};
}

TEST(EventRelease, ClearKeepsEveryPositionUntilTheWalkEnds) {
  TCallbackCumulativeEvent event;
  event.TimeStamp = PeriodInstant();
  const auto [listAtFailure, records] =
      ListAtFailedRelease(event, 1, [](TCallbackCumulativeEvent &e) { e.Clear(); });
  EXPECT_EQ(listAtFailure, records);
  EXPECT_EQ(event.TimeStamp, PeriodInstant());
}

TEST(EventRelease, CleanUpTakesEachRecordOffTheBackBeforeReleasingIt) {
  TQueueRealTimeEvent event;
  event.SiteStatistics.Ans = 7;
  event.TrailerValue = 3;
  const auto [listAtFailure, records] =
      ListAtFailedRelease(event, 0, [](TQueueRealTimeEvent &e) { e.CleanUp(); });
  EXPECT_EQ(listAtFailure, (std::vector<TEventDataQueueRealTime *>{records[0], records[1]}));
  EXPECT_EQ(event.SiteStatistics.Ans, 7);
  EXPECT_EQ(event.TrailerValue, 3);
}

} // namespace
