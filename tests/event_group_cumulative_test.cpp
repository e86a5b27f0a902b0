// Text and wire layout of the group cumulative row, and its event's time stamp.
#include <string>

#include <gtest/gtest.h>

#include "cumulative_checks.h"

namespace {

TEST(GroupCumulativeRecord, DefaultTextHasNoBraces) {
  EXPECT_EQ(TEventDataGroupCumulative().ToString(),
            "GK:0, SiteK:0, BU:0, RT:0, Recv[Prim,Over,RHOE]:[0,0,0], Offered[Prim,Over]:[0,0], "
            "Consulted[Prim,Over]:[0,0], Transferred[Prim,Over]:[0,0], Waiting[Begin,End]:[0,0], "
            "LoggedOn[Max,Min]:[0,0], TotalLogonTime:" +
                kZeroTime + ", PeriodStartGMT:" + kZeroTime + ", PeriodTime:0");
}

// LoggedOn travels Min, Max and is shown Max, Min; the period's start travels whole and shows
// only its time of day; PeriodTime is 16 bits and signed.
TEST(GroupCumulativeRecord, PacksInTableOrderAndRendersLoggedOnMaxFirst) {
  TEventDataGroupCumulative row;
  Distinct<long>({&row.GK, &row.SiteK, &row.BU, &row.RT, &row.Recv[0], &row.Recv[1], &row.Recv[2],
                  &row.Offered[0], &row.Offered[1], &row.Consulted[0], &row.Consulted[1],
                  &row.Transferred[0], &row.Transferred[1], &row.Waiting[0], &row.Waiting[1]},
                 0);
  row.LoggedOn[0] = 2; // Min
  row.LoggedOn[1] = 9; // Max
  row.TotalLogonTime = Span(0, 1, 2, 3, 40);
  row.PeriodStartGMT = PeriodInstant();
  row.PeriodTime = -2;

  const Bytes bytes = Packed(row);
  EXPECT_EQ(bytes, PackedBytes([](TPack &p) {
              for (long i = 1; i <= 15; ++i)
                p << i;
              p << 2L << 9L;
              PackSpan(p, 3723, 40);
              p << PeriodInstant() << short{-2};
            }));
  EXPECT_EQ(row.ToString(), "GK:1, SiteK:2, BU:3, RT:4, Recv[Prim,Over,RHOE]:[5,6,7], "
                            "Offered[Prim,Over]:[8,9], Consulted[Prim,Over]:[10,11], "
                            "Transferred[Prim,Over]:[12,13], Waiting[Begin,End]:[14,15], "
                            "LoggedOn[Max,Min]:[9,2], TotalLogonTime:01:02:03.040, "
                            "PeriodStartGMT:08:30:15.250, PeriodTime:-2");

  TEventDataGroupCumulative decoded;
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_EQ(decoded.PeriodStartGMT, PeriodInstant());
  EXPECT_EQ(decoded.ToString(), row.ToString());
}

} // namespace
