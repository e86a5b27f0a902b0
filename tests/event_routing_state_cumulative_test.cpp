// Texts, wire layouts and copies of the routing state cumulative rows, and their event's time
// stamp.
#include <string>

#include <gtest/gtest.h>

#include "cumulative_checks.h"

namespace {

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

TEST(RoutingStateCumulativeRecord, DefaultTexts) {
  EXPECT_EQ(TEventDataRoutingStateStatistics().ToString(),
            "{RSKey:0, RCount:0, RDur:" + kZeroTime +
                ", AddRCount:0, Pres:5, PresCount:0, PresDur:" + kZeroTime + ", AddPresCount:0}");
  EXPECT_EQ(TEventDataRoutingStateCumulative().ToString(), "AK:0, DeptK:0, BU:0, Loc:0, SiteK:0");
}

// RDur travels seventh and is shown third; the presence state is shown as its number.
TEST(RoutingStateCumulativeRecord, StateRowPacksRDurSeventhAndRendersItThird) {
  TEventDataRoutingStateStatistics state = State(1);
  EXPECT_EQ(Packed(state), PackedBytes([](TPack &p) {
              p << 1L << 2L << short{-1} << TpsTPresenceState::PRESENCE_AWAY << 4L << short{5};
              PackSpan(p, 90);
              PackSpan(p, 61, 500);
            }));
  EXPECT_EQ(state.ToString(), "{RSKey:1, RCount:2, RDur:00:01:30.000, AddRCount:-1, Pres:3, "
                              "PresCount:4, PresDur:00:01:01.500, AddPresCount:5}");
}

// BU travels third; the text shows the keys only.
TEST(RoutingStateCumulativeRecord, UserRowWithoutStatesPacksKeysStampAndCountZero) {
  TEventDataRoutingStateCumulative row;
  Distinct<long>({&row.AK, &row.DeptK, &row.BU, &row.Loc, &row.SiteK}, 0);
  row.PeriodStamp = PeriodInstant();
  const Bytes bytes = Packed(row);
  EXPECT_EQ(bytes,
            PackedBytes([](TPack &p) { p << 1L << 2L << 3L << 4L << 5L << PeriodInstant() << 0; }));

  TEventDataRoutingStateCumulative decoded;
  decoded.RoutingStateStatistics = {State(7), State(8)};
  EXPECT_EQ(UnpackInto(bytes, decoded), 0u);
  EXPECT_TRUE(decoded.RoutingStateStatistics.empty());
  EXPECT_EQ(decoded.PeriodStamp, PeriodInstant());

  row.RoutingStateStatistics = {State(9)};
  EXPECT_EQ(row.ToString(), "AK:1, DeptK:2, BU:3, Loc:4, SiteK:5");
}

TEST(RoutingStateCumulativeRecord, CopiesReplaceTheStateRowsAndKeepTheStamp) {
  TEventDataRoutingStateCumulative source;
  source.AK = 3;
  source.PeriodStamp = PeriodInstant();
  source.RoutingStateStatistics = {State(1)};

  TEventDataRoutingStateCumulative assigned;
  assigned.RoutingStateStatistics = {State(4), State(5), State(6)};
  assigned = source;
  TEventDataRoutingStateCumulative copied(source);
  for (const TEventDataRoutingStateCumulative *copy : {&assigned, &copied}) {
    EXPECT_EQ(Packed(*copy), Packed(source));
    EXPECT_EQ(copy->PeriodStamp, PeriodInstant());
  }
  EXPECT_EQ(Packed(TEventDataRoutingStateStatistics(State(2))), Packed(State(2)));

  assigned.RoutingStateStatistics[0].RCount = 99;
  EXPECT_EQ(source.RoutingStateStatistics[0].RCount, 2);
}

} // namespace
