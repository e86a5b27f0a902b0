// Texts and wire layouts of the contact results cumulative rows and their result sub-rows.
#include <string>

#include <gtest/gtest.h>

#include "cumulative_checks.h"

namespace {

TEventDataContactResultsStatistics Result(long queue) {
  TEventDataContactResultsStatistics result;
  result.QK = queue;
  result.ReasonK = 4;
  result.Count = 9;
  return result;
}

TEST(ContactResultsCumulativeRecord, DefaultTexts) {
  EXPECT_EQ(TEventDataContactResultsStatistics().ToString(), "{QK:0, ReasonK:0, Count:0}");
  EXPECT_EQ(TEventDataContactResultsCumulative().ToString(),
            "{AK:0, DeptK:0, BU:0, Loc:0, SiteK:0, LocTZOffset:0, SiteTZOffset:0, "
            "PeriodStartGMT: " +
                kZeroTime + ", PeriodTime:0}");
}

TEST(ContactResultsCumulativeRecord, ResultRowPacksThreeLongsInTableOrder) {
  TEventDataContactResultsStatistics result = Result(7);
  EXPECT_EQ(Packed(result), PackedBytes([](TPack &p) { p << 7L << 4L << 9L; }));
  EXPECT_EQ(result.ToString(), "{QK:7, ReasonK:4, Count:9}");
}

// BU is declared last of the keys but travels and shows third; the offsets are signed 16-bit;
// the period's start travels whole and shows its time of day after a blank.
TEST(ContactResultsCumulativeRecord, UserRowPacksBUThirdAndSignedOffsets) {
  TEventDataContactResultsCumulative row;
  row.AK = 1;
  row.DeptK = 2;
  row.BU = 3;
  row.Loc = 4;
  row.SiteK = 5;
  row.LocTZOffset = -60;
  row.SiteTZOffset = 120;
  row.PeriodStartGMT = PeriodInstant();
  row.PeriodTime = 15;
  const Bytes bytes = Packed(row);
  EXPECT_EQ(bytes, PackedBytes([](TPack &p) {
              p << 1L << 2L << 3L << 4L << 5L << short{-60} << short{120} << PeriodInstant()
                << short{15} << 0;
            }));

  row.ContactResultsStatistics = {Result(8)};
  EXPECT_EQ(row.ToString(), "{AK:1, DeptK:2, BU:3, Loc:4, SiteK:5, LocTZOffset:-60, "
                            "SiteTZOffset:120, PeriodStartGMT: 08:30:15.250, PeriodTime:15}");

  // No result rows on the wire: unpacking empties the rows the target held.
  TEventDataContactResultsCumulative decoded;
  decoded.ContactResultsStatistics = {Result(1), Result(2)};
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_TRUE(decoded.ContactResultsStatistics.empty());
  EXPECT_EQ(decoded.LocTZOffset, -60);
  EXPECT_EQ(decoded.PeriodStartGMT, PeriodInstant());
}

TEST(ContactResultsCumulativeRecord, ResultRowsFollowTheCountAndCopyDeeply) {
  TEventDataContactResultsCumulative row;
  row.PeriodTime = 2;
  row.ContactResultsStatistics = {Result(5), Result(6)};
  const Bytes bytes = Packed(row);
  const Bytes tail = PackedBytes([](TPack &p) { p << short{2} << 2 << Result(5) << Result(6); });
  ASSERT_GE(bytes.size(), tail.size());
  EXPECT_EQ(Bytes(bytes.end() - static_cast<long>(tail.size()), bytes.end()), tail);

  TEventDataContactResultsCumulative assigned;
  assigned.ContactResultsStatistics = {Result(1), Result(2), Result(3)};
  assigned = row;
  EXPECT_EQ(Packed(assigned), bytes);
  assigned.ContactResultsStatistics[0].Count = 99;
  EXPECT_EQ(row.ContactResultsStatistics[0].Count, 9);
}

} // namespace
