// Text and wire layout of the call-director component cumulative row.
#include <string>

#include <gtest/gtest.h>

#include "cumulative_checks.h"

namespace {

TEST(CDComponentCumulativeRecord, DefaultText) {
  EXPECT_EQ(TEventDataCDComponentCumulative().ToString(),
            "{nodeKey:0, SiteK:0, BU:0, Invoked: 0, Abandoned: 0, "
            "MenuExitKey[0,1,2,3,4,5,6,7,8,9]: [0, 0, 0, 0, 0, 0, 0, 0, 0, 0], "
            "MenuExitKeyStar: 0, MenuEixtKeyPound: 0, NoEntryExit: 0, ErrorExit: 0, "
            "NormalExit: 0, FastPathExit: 0, NavigationExit: 0, TotalTime: " +
                kZeroTime +
                ", InProgressStart: 0, InProgressEnd: 0, OperatorCount: 0, Repeat: 0, Help: 0, "
                "PreviousStep: 0, RootStep: 0, period:0}");
}

// The menu keys travel directly after Abandoned although declared after RootStep; TotalTime
// travels after RootStep and shows after NavigationExit; PeriodStamp travels whole, unshown.
TEST(CDComponentCumulativeRecord, MenuKeysFollowAbandonedAndTotalTimeFollowsRootStep) {
  TEventDataCDComponentCumulative row;
  row.nodeKey = 31;
  row.SiteK = 32;
  row.BU = 33;
  row.Invoked = 34;
  row.Abandoned = 35;
  for (long key = 0; key < 10; ++key)
    row.MenuExitKey[key] = key;
  row.MenuExitKeyStar = 10;
  row.MenuEixtKeyPound = 11;
  Distinct<long>({&row.NoEntryExit, &row.ErrorExit, &row.NormalExit, &row.FastPathExit,
                  &row.NavigationExit, &row.InProgressStart, &row.InProgressEnd, &row.OperatorCount,
                  &row.Repeat, &row.Help, &row.PreviousStep, &row.RootStep},
                 1);
  row.TotalTime = Span(0, 2, 0, 5, 7);
  row.PeriodStamp = PeriodInstant();
  row.period = -4;

  const Bytes bytes = Packed(row);
  EXPECT_EQ(bytes, PackedBytes([](TPack &p) {
              p << 31L << 32L << 33L << 34L << 35L;
              for (long key = 0; key <= 11; ++key)
                p << key;
              for (long i = 101; i <= 112; ++i)
                p << i;
              PackSpan(p, 7205, 7);
              p << PeriodInstant() << short{-4};
            }));
  EXPECT_EQ(row.ToString(),
            "{nodeKey:31, SiteK:32, BU:33, Invoked: 34, Abandoned: 35, "
            "MenuExitKey[0,1,2,3,4,5,6,7,8,9]: [0, 1, 2, 3, 4, 5, 6, 7, 8, 9], "
            "MenuExitKeyStar: 10, MenuEixtKeyPound: 11, NoEntryExit: 101, ErrorExit: 102, "
            "NormalExit: 103, FastPathExit: 104, NavigationExit: 105, TotalTime: 02:00:05.007, "
            "InProgressStart: 106, InProgressEnd: 107, OperatorCount: 108, Repeat: 109, "
            "Help: 110, PreviousStep: 111, RootStep: 112, period:-4}");

  TEventDataCDComponentCumulative decoded;
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_EQ(decoded.ToString(), row.ToString());
  EXPECT_EQ(decoded.PeriodStamp, PeriodInstant());
}

} // namespace
