// Text and wire layout of the callback cumulative row, and how its event's Clear walks the list.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cumulative_checks.h"

namespace {

TEST(CallbackCumulativeRecord, DefaultText) {
  EXPECT_EQ(TEventDataCallbackCumulative().ToString(),
            "{CallOrigin:0, QueueK:0, SiteK:0, BU:0, Callback:0, RequeuedBefore:0, Tries:0, "
            "Successful:0, Deleted:0, MaxRetry:0, ScheduledExpired:0, Attempts:0, "
            "AttemptsMoreThanOnce:0, Requeued:0, TimedOut:0, ContactsTime[Tot,PostP]:[" +
                kZeroTime + "," + kZeroTime +
                "], AddCounts[Contacts,ContactsPP]:[0,0], PeriodTime:0}");
}

// AddCounts are 32-bit and travel before ContactsTime, which the text shows first; PeriodStamp
// travels whole and is not shown.
TEST(CallbackCumulativeRecord, AddCountsTravelWholeBeforeTheDurations) {
  TEventDataCallbackCumulative row;
  Distinct<long>({&row.CallOrigin, &row.QueueK, &row.SiteK, &row.BU, &row.Callback,
                  &row.RequeuedBefore, &row.Tries, &row.Successful, &row.Deleted, &row.MaxRetry,
                  &row.ScheduledExpired, &row.Attempts, &row.AttemptsMoreThanOnce, &row.Requeued,
                  &row.TimedOut},
                 0);
  row.AddCounts[0] = 70000; // does not fit in 16 bits
  row.AddCounts[1] = -2;
  row.ContactsTime[0] = Span(0, 0, 10, 0, 5);
  row.ContactsTime[1] = Span(0, 0, 1, 0, 0);
  row.PeriodStamp = PeriodInstant();
  row.PeriodTime = -15;

  const Bytes bytes = Packed(row);
  EXPECT_EQ(bytes, PackedBytes([](TPack &p) {
              for (long i = 1; i <= 15; ++i)
                p << i;
              p << 70000L << -2L;
              PackSpan(p, 600, 5);
              PackSpan(p, 60);
              p << PeriodInstant() << short{-15};
            }));
  EXPECT_EQ(row.ToString(),
            "{CallOrigin:1, QueueK:2, SiteK:3, BU:4, Callback:5, RequeuedBefore:6, Tries:7, "
            "Successful:8, Deleted:9, MaxRetry:10, ScheduledExpired:11, Attempts:12, "
            "AttemptsMoreThanOnce:13, Requeued:14, TimedOut:15, "
            "ContactsTime[Tot,PostP]:[00:10:00.005,00:01:00.000], "
            "AddCounts[Contacts,ContactsPP]:[70000,-2], PeriodTime:-15}");

  TEventDataCallbackCumulative decoded;
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_EQ(decoded.AddCounts[0], 70000);
  EXPECT_EQ(decoded.PeriodStamp, PeriodInstant());
}

// Every position stays in the list while the rows are released; the list is emptied after.
TEST(CallbackCumulativeEvent, ClearKeepsEveryPositionUntilTheWalkEnds) {
  TCallbackCumulativeEvent event;
  event.TimeStamp = PeriodInstant();
  std::vector<TEventDataCallbackCumulative *> rows;
  for (long queue = 1; queue <= 3; ++queue) {
    rows.push_back(AddRecord(event));
    rows.back()->QueueK = queue;
  }

  std::vector<std::vector<TEventDataCallbackCumulative *>> listAtFailure;
  const TDiag::Sink previous =
      TDiag::SetSink([&](TDiag::enDiagType, unsigned short, const char *, const std::string &) {
        listAtFailure.push_back(event.EventDataList);
      });
  TMemory::FaultPlan plan;
  plan.memFreeThrowsAfter = 1; // the second release throws
  TMemory::SetFaultPlan(plan);
  event.Clear();
  TMemory::SetFaultPlan({});
  TDiag::SetSink(previous);

  ASSERT_EQ(listAtFailure.size(), 1u);
  EXPECT_EQ(listAtFailure[0], rows);
  EXPECT_TRUE(event.EventDataList.empty());
  EXPECT_EQ(event.TimeStamp, PeriodInstant());
}

} // namespace
