// Texts, wire layouts and copies of the post-processing cumulative rows, and their event's time
// stamp.
#include <string>

#include <gtest/gtest.h>

#include "cumulative_checks.h"

namespace {

TEventDataPostProcessingReasonStatistics Reason(long key) {
  TEventDataPostProcessingReasonStatistics reason;
  reason.ReasonK = key;
  reason.Count = 3;
  reason.AddCount = 1;
  reason.Dur = Span(0, 0, 1, 30, 0);
  return reason;
}

TEST(PostProcessingCumulativeRecord, DefaultTexts) {
  EXPECT_EQ(TEventDataPostProcessingReasonStatistics().ToString(),
            "{ReasonK:0, Count:0, Dur:" + kZeroTime + ", AddCount:0}");
  EXPECT_EQ(TEventDataPostProcessingCumulative().ToString(),
            "{AK:0, DeptK:0, BU:0, Loc:0, SiteK:0}");
}

// AddCount travels before Dur and is shown after it.
TEST(PostProcessingCumulativeRecord, ReasonRowPacksAddCountBeforeDur) {
  TEventDataPostProcessingReasonStatistics reason = Reason(7);
  EXPECT_EQ(Packed(reason), PackedBytes([](TPack &p) {
              p << 7L << 3L << 1L;
              PackSpan(p, 90);
            }));
  EXPECT_EQ(reason.ToString(), "{ReasonK:7, Count:3, Dur:00:01:30.000, AddCount:1}");
}

// BU is declared last of the keys but travels third; the text shows the keys only.
TEST(PostProcessingCumulativeRecord, UserRowWithoutReasonsPacksKeysStampAndCountZero) {
  TEventDataPostProcessingCumulative row;
  Distinct<long>({&row.AK, &row.DeptK, &row.BU, &row.Loc, &row.SiteK}, 0);
  row.PeriodStamp = PeriodInstant();
  const Bytes bytes = Packed(row);
  EXPECT_EQ(bytes,
            PackedBytes([](TPack &p) { p << 1L << 2L << 3L << 4L << 5L << PeriodInstant() << 0; }));

  TEventDataPostProcessingCumulative decoded;
  decoded.ReasonStatistics = {Reason(8), Reason(9)};
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_TRUE(decoded.ReasonStatistics.empty());
  EXPECT_EQ(decoded.PeriodStamp, PeriodInstant());

  row.ReasonStatistics = {Reason(9)};
  EXPECT_EQ(row.ToString(), "{AK:1, DeptK:2, BU:3, Loc:4, SiteK:5}");
}

TEST(PostProcessingCumulativeRecord, AssignmentReplacesTheReasonRows) {
  TEventDataPostProcessingCumulative source;
  source.BU = 3;
  source.PeriodStamp = PeriodInstant();
  source.ReasonStatistics = {Reason(1)};

  TEventDataPostProcessingCumulative assigned;
  assigned.ReasonStatistics = {Reason(4), Reason(5), Reason(6)};
  assigned = source;
  const TEventDataPostProcessingCumulative copied(source);
  EXPECT_EQ(Packed(assigned), Packed(source));
  EXPECT_EQ(Packed(copied), Packed(source));

  assigned.ReasonStatistics[0].Count = 99;
  EXPECT_EQ(source.ReasonStatistics[0].Count, 3);
}

} // namespace
