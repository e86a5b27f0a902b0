// Text and wire layout of the workflow cumulative row.
#include <string>

#include <gtest/gtest.h>

#include "cumulative_checks.h"

namespace {

TEST(WorkFlowCumulativeRecord, DefaultText) {
  EXPECT_EQ(TEventDataWorkFlowCumulative().ToString(),
            "{FlowKey:0, SiteK:0, BU:0, Recevived: 0, Answered: 0, Abandoned: 0, "
            "Transeferred: 0, TransferredToIVR: 0, SystemDisconnected: 0, LinkedOut: 0, "
            "EnQueued: 0, EnQueuedToErrorQueue: 0, AutoResponeded: 0, TotalTime: " +
                kZeroTime + ", InProgressStart: 0, InProgressEnd: 0, period:0}");
}

// TotalTime travels after InProgressEnd and shows before InProgressStart; PeriodStamp travels
// whole and is not shown.
TEST(WorkFlowCumulativeRecord, TotalTimeTravelsAfterInProgressEndAndShowsBeforeIt) {
  TEventDataWorkFlowCumulative row;
  Distinct<long>({&row.FlowKey, &row.SiteK, &row.BU, &row.Recevived, &row.Answered, &row.Abandoned,
                  &row.Transeferred, &row.TransferredToIVR, &row.SystemDisconnected, &row.LinkedOut,
                  &row.EnQueued, &row.EnQueuedToErrorQueue, &row.AutoResponeded,
                  &row.InProgressStart},
                 0);
  row.InProgressEnd = 5;
  row.TotalTime = Span(0, 0, 0, 10, 0);
  row.PeriodStamp = PeriodInstant();
  row.period = 30;

  const Bytes bytes = Packed(row);
  EXPECT_EQ(bytes, PackedBytes([](TPack &p) {
              for (long i = 1; i <= 14; ++i)
                p << i;
              p << 5L;
              PackSpan(p, 10, 0);
              p << PeriodInstant() << short{30};
            }));
  EXPECT_EQ(row.ToString(),
            "{FlowKey:1, SiteK:2, BU:3, Recevived: 4, Answered: 5, Abandoned: 6, "
            "Transeferred: 7, TransferredToIVR: 8, SystemDisconnected: 9, LinkedOut: 10, "
            "EnQueued: 11, EnQueuedToErrorQueue: 12, AutoResponeded: 13, "
            "TotalTime: 00:00:10.000, InProgressStart: 14, InProgressEnd: 5, period:30}");

  TEventDataWorkFlowCumulative decoded;
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_EQ(decoded.ToString(), row.ToString());
  EXPECT_EQ(decoded.PeriodStamp, PeriodInstant());
}

} // namespace
