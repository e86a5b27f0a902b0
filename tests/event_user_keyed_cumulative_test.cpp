// Texts, wire layouts and copies of the three cumulative user rows that open with the user keys
// (contact results, post-processing, routing state) and of their sub-rows.
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

TEventDataPostProcessingReasonStatistics Reason(long key) {
  TEventDataPostProcessingReasonStatistics reason;
  reason.ReasonK = key;
  reason.Count = 3;
  reason.AddCount = 1;
  reason.Dur = Span(0, 0, 1, 30, 0);
  return reason;
}

TEventDataRoutingStateStatistics State(long key) {
  TEventDataRoutingStateStatistics state;
  state.RSKey = key;
  state.RCount = 2;
  state.AddRCount = -1;
  state.Pres = TpsTPresenceState::PRESENCE_AWAY;
  state.PresCount = 4;
  state.AddPresCount = 5;
  state.RDur = Span(0, 0, 1, 30, 0);
  state.PresDur = Span(0, 0, 1, 1, 500);
  return state;
}

TEST(UserKeyedSubRows, TextsAndWireOrder) {
  EXPECT_EQ(TEventDataContactResultsStatistics().ToString(), "{QK:0, ReasonK:0, Count:0}");
  EXPECT_EQ(Packed(Result(7)), PackedBytes([](TPack &p) { p << 7L << 4L << 9L; }));
  EXPECT_EQ(Result(7).ToString(), "{QK:7, ReasonK:4, Count:9}");

  // AddCount travels before Dur and is shown after it.
  EXPECT_EQ(TEventDataPostProcessingReasonStatistics().ToString(),
            "{ReasonK:0, Count:0, Dur:" + kZeroTime + ", AddCount:0}");
  EXPECT_EQ(Packed(Reason(7)), PackedBytes([](TPack &p) {
              p << 7L << 3L << 1L;
              PackSpan(p, 90);
            }));
  EXPECT_EQ(Reason(7).ToString(), "{ReasonK:7, Count:3, Dur:00:01:30.000, AddCount:1}");

  // RDur travels seventh and is shown third; the presence state is shown as its number.
  EXPECT_EQ(TEventDataRoutingStateStatistics().ToString(),
            "{RSKey:0, RCount:0, RDur:" + kZeroTime +
                ", AddRCount:0, Pres:5, PresCount:0, PresDur:" + kZeroTime + ", AddPresCount:0}");
  EXPECT_EQ(Packed(State(1)), PackedBytes([](TPack &p) {
              p << 1L << 2L << short{-1} << TpsTPresenceState::PRESENCE_AWAY << 4L << short{5};
              PackSpan(p, 90);
              PackSpan(p, 61, 500);
            }));
  EXPECT_EQ(State(1).ToString(), "{RSKey:1, RCount:2, RDur:00:01:30.000, AddRCount:-1, Pres:3, "
                                 "PresCount:4, PresDur:00:01:01.500, AddPresCount:5}");
  EXPECT_EQ(Packed(TEventDataRoutingStateStatistics(State(2))), Packed(State(2)));
}

// Each row: its sub-rows, a row with keys 1 to 5 and its other fields set, the bytes that row
// packs to, and its text.
template <class Row> struct KeyedRow;

template <> struct KeyedRow<TEventDataContactResultsCumulative> {
  static auto &SubRows(TEventDataContactResultsCumulative &row) {
    return row.ContactResultsStatistics;
  }
  static auto SubRow(long key) { return Result(key); }
  static TTimeStamp &Stamp(TEventDataContactResultsCumulative &row) { return row.PeriodStartGMT; }
  // The offsets are signed 16-bit; the period's start shows its time of day after a blank.
  static void SetOthers(TEventDataContactResultsCumulative &row) {
    row.LocTZOffset = -60;
    row.SiteTZOffset = 120;
    row.PeriodTime = 15;
  }
  static void PackAfterKeys(TPack &p) {
    p << short{-60} << short{120} << PeriodInstant() << short{15};
  }
  static constexpr const char *kDefaultText =
      "{AK:0, DeptK:0, BU:0, Loc:0, SiteK:0, LocTZOffset:0, SiteTZOffset:0, PeriodStartGMT: "
      "00:00:00.000, PeriodTime:0}";
  static constexpr const char *kText = "{AK:1, DeptK:2, BU:3, Loc:4, SiteK:5, LocTZOffset:-60, "
                                       "SiteTZOffset:120, PeriodStartGMT: 08:30:15.250, "
                                       "PeriodTime:15}";
};

// The text shows the keys only.
template <> struct KeyedRow<TEventDataPostProcessingCumulative> {
  static auto &SubRows(TEventDataPostProcessingCumulative &row) { return row.ReasonStatistics; }
  static auto SubRow(long key) { return Reason(key); }
  static TTimeStamp &Stamp(TEventDataPostProcessingCumulative &row) { return row.PeriodStamp; }
  static void SetOthers(TEventDataPostProcessingCumulative &) {}
  static void PackAfterKeys(TPack &p) { p << PeriodInstant(); }
  static constexpr const char *kDefaultText = "{AK:0, DeptK:0, BU:0, Loc:0, SiteK:0}";
  static constexpr const char *kText = "{AK:1, DeptK:2, BU:3, Loc:4, SiteK:5}";
};

// The keys only, without braces.
template <> struct KeyedRow<TEventDataRoutingStateCumulative> {
  static auto &SubRows(TEventDataRoutingStateCumulative &row) { return row.RoutingStateStatistics; }
  static auto SubRow(long key) { return State(key); }
  static TTimeStamp &Stamp(TEventDataRoutingStateCumulative &row) { return row.PeriodStamp; }
  static void SetOthers(TEventDataRoutingStateCumulative &) {}
  static void PackAfterKeys(TPack &p) { p << PeriodInstant(); }
  static constexpr const char *kDefaultText = "AK:0, DeptK:0, BU:0, Loc:0, SiteK:0";
  static constexpr const char *kText = "AK:1, DeptK:2, BU:3, Loc:4, SiteK:5";
};

template <class Row> class UserKeyedRow : public ::testing::Test {
protected:
  using Case = KeyedRow<Row>;
  static Row Keyed() {
    Row row;
    Distinct(0, row.AK, row.DeptK, row.BU, row.Loc, row.SiteK);
    Case::Stamp(row) = PeriodInstant();
    Case::SetOthers(row);
    return row;
  }
};

using KeyedRows =
    ::testing::Types<TEventDataContactResultsCumulative, TEventDataPostProcessingCumulative,
                     TEventDataRoutingStateCumulative>;
TYPED_TEST_SUITE(UserKeyedRow, KeyedRows, );

// BU is declared last of the keys but travels and shows third; the sub-rows follow as an int32
// count and are never shown.
TYPED_TEST(UserKeyedRow, KeysTravelWithBUThirdAndTheSubRowsAreNotShown) {
  using Case = typename TestFixture::Case;
  EXPECT_EQ(TypeParam().ToString(), Case::kDefaultText);
  TypeParam row = TestFixture::Keyed();
  const Bytes bytes = Packed(row);
  EXPECT_EQ(bytes, PackedBytes([](TPack &p) {
              p << 1L << 2L << 3L << 4L << 5L;
              Case::PackAfterKeys(p);
              p << 0;
            }));
  Case::SubRows(row) = {Case::SubRow(5), Case::SubRow(6)};
  EXPECT_EQ(row.ToString(), Case::kText);
  EXPECT_EQ(Packed(row), PackedBytes([&](TPack &p) {
              p.Append(bytes.data(), static_cast<unsigned long>(bytes.size() - 4));
              p << 2 << Case::SubRow(5) << Case::SubRow(6);
            }));

  // No sub-rows on the wire: unpacking empties the rows the target held.
  TypeParam decoded;
  Case::SubRows(decoded) = {Case::SubRow(8), Case::SubRow(9)};
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_TRUE(Case::SubRows(decoded).empty());
  EXPECT_EQ(Case::Stamp(decoded), PeriodInstant());
  EXPECT_EQ(Packed(decoded), bytes);
}

} // namespace
