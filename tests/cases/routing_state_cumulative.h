// The case of the routing state cumulative event.
#ifndef STATCLIENT_TESTS_CASES_ROUTING_STATE_CUMULATIVE_H_
#define STATCLIENT_TESTS_CASES_ROUTING_STATE_CUMULATIVE_H_

#include "event_fill.h"

template <>
struct EventCase<TRoutingStateCumulativeEvent> : EventCaseBase<TRoutingStateCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataRoutingStateCumulative";
  static constexpr const char *kReleaseFailed =
      "TRoutingStateCumulativeEvent::Clear: Exception occured";
  // Two routing states, so that the truncation test cuts through rows nested in rows.
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.AK, r.DeptK, r.BU, r.Loc, r.SiteK);
    Distinct(seed, r.PeriodStamp);
    r.RoutingStateStatistics.clear();
    for (long i = 0; i < 2; ++i) {
      TEventDataRoutingStateStatistics state;
      Distinct(seed * 10 + i, state.RSKey, state.RCount, state.PresCount);
      Distinct(-(seed * 10 + i), state.AddRCount, state.AddPresCount);
      state.Pres = static_cast<TpsTPresenceState::enPresenceState>((seed + i) % 5);
      Distinct(seed * 10 + i, state.RDur, state.PresDur);
      r.RoutingStateStatistics.push_back(state);
    }
  }
};

#endif // STATCLIENT_TESTS_CASES_ROUTING_STATE_CUMULATIVE_H_
