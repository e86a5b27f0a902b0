// Texts, wire layout and the leading time stamp of the queue cumulative event and its rows.
#include <string>

#include <gtest/gtest.h>

#include "event_cases.h"

namespace {

const std::string kZero = TTimeStamp(1).GetTime(1, ':', '.');

// Counters 1 to 37 in pack order, SLF 65535, AddCounts 1, 2, 3, 4, -1 (Contacts to EMConOut),
// PeriodTime 6, durations of 1 to 10 seconds (and as many milliseconds) in pack order.
TEventDataQueueCumulative QueueRow() {
  TEventDataQueueCumulative row;
  EventCase<TQueueCumulativeEvent>::Fill(row, 0);
  row.AddCountsEMConOut = -1;
  return row;
}

TEST(QueueCumulativeText, GroupsInTextOrderWithUnsignedSLFAndSignedAddCounts) {
  const std::string zeros2 = "[" + kZero + "," + kZero + "]";
  EXPECT_EQ(TEventDataQueueCumulative().ToString(),
            "{QK:0, SiteK:0, BU:0, SLF:0, Received[All,Req,NetIn]:[0,0,0], "
            "Answered[Prim,Over]:[0,0], Abandoned:0, Redirected[OOS,NetOut]:[0,0], TransOOS:0, "
            "UnderThreshold[Ans,Abd]:[0,0], AnsweredInInterval[1,2,3,4,5]:[0,0,0,0,0], "
            "AbandonedInInterval[1,2,3,4,5]:[0,0,0,0,0], Overflows[Cur,Max,Min]:[0,0,0], "
            "Waiting[Begin,End,Max,Min]:[0,0,0,0], WaitTime[Tot,Ans,Abd,Red]:[" +
                kZero + "," + kZero + "," + kZero + "," + kZero +
                "], MaxWaitTime[Max,Ans,Abd,Red]:[0,0,0,0], Emails[Defer,ConOut]:[0,0], "
                "EmailsTime[Defer,ConOut]:" +
                zeros2 + ", ContactsTime[Tot,PostP]:" + zeros2 +
                ", UsersInvolvedTime[Tot,PostP]:" + zeros2 +
                ", AddCounts[Contacts,ContactsPP,Handled,EMDefer,EMConOut]:[0,0,0,0,0], "
                "PeriodTime:0}");
  EXPECT_EQ(QueueRow().ToString(),
            "{QK:1, SiteK:2, BU:3, SLF:65535, Received[All,Req,NetIn]:[4,5,6], "
            "Answered[Prim,Over]:[10,11], Abandoned:18, Redirected[OOS,NetOut]:[7,8], TransOOS:9, "
            "UnderThreshold[Ans,Abd]:[12,19], AnsweredInInterval[1,2,3,4,5]:[13,14,15,16,17], "
            "AbandonedInInterval[1,2,3,4,5]:[20,21,22,23,24], Overflows[Cur,Max,Min]:[35,36,37], "
            "Waiting[Begin,End,Max,Min]:[31,32,33,34], "
            "WaitTime[Tot,Ans,Abd,Red]:[00:00:01.001,00:00:02.002,00:00:03.003,00:00:04.004], "
            "MaxWaitTime[Max,Ans,Abd,Red]:[25,26,27,28], Emails[Defer,ConOut]:[29,30], "
            "EmailsTime[Defer,ConOut]:[00:00:05.005,00:00:06.006], "
            "ContactsTime[Tot,PostP]:[00:00:07.007,00:00:08.008], "
            "UsersInvolvedTime[Tot,PostP]:[00:00:09.009,00:00:10.010], "
            "AddCounts[Contacts,ContactsPP,Handled,EMDefer,EMConOut]:[1,2,3,4,-1], PeriodTime:6}");
}

TEST(QueueCumulativeWire, AddCountsAndUnderThresholdTravelApartFromTheirGroups) {
  const TEventDataQueueCumulative row = QueueRow();
  auto spans = [](TPack &p, long first, long last) {
    for (long seconds = first; seconds <= last; ++seconds)
      PackSpan(p, seconds, static_cast<unsigned short>(seconds));
  };
  auto counters = [](TPack &p, long first, long last) {
    for (long value = first; value <= last; ++value)
      p << value;
  };
  EXPECT_EQ(Packed(row), PackedBytes([&](TPack &p) {
              counters(p, 1, 3);
              p << static_cast<unsigned short>(65535);
              counters(p, 4, 24); // UnderThreshold [Ans] is 12, [Abd] 19
              spans(p, 1, 4);
              counters(p, 25, 30);
              p << static_cast<short>(4) << static_cast<short>(-1);
              spans(p, 5, 6);
              counters(p, 31, 37);
              spans(p, 7, 8);
              p << static_cast<short>(1) << static_cast<short>(2);
              spans(p, 9, 10);
              p << static_cast<short>(3) << row.PeriodStamp << static_cast<short>(6);
            }));
}

} // namespace
