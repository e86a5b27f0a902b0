// The case of the routing state cumulative event.
#ifndef STATCLIENT_TESTS_CASES_ROUTING_STATE_CUMULATIVE_H_
#define STATCLIENT_TESTS_CASES_ROUTING_STATE_CUMULATIVE_H_

#include "event_fill.h"

template <> struct EventCase<TRoutingStateCumulativeEvent> {
  using Record = TEventDataRoutingStateCumulative;
  static constexpr std::size_t kCountOffset = 15;
  static constexpr const char *kSource = "EventData/tstTEventDataRoutingStateCumulative";
  static constexpr const char *kReleaseFailed =
      "TRoutingStateCumulativeEvent::Clear: Exception occured";
  static void Release(TRoutingStateCumulativeEvent &event) { event.Clear(); }
  // Two routing states, so that the truncation test cuts through rows nested in rows.
  static void Fill(Record &r, long seed) {
    Distinct<long>({&r.AK, &r.DeptK, &r.BU, &r.Loc, &r.SiteK}, seed);
    Distinct({&r.PeriodStamp}, seed);
    r.RoutingStateStatistics.clear();
    for (long i = 0; i < 2; ++i) {
      TEventDataRoutingStateStatistics state;
      Distinct<long>({&state.RSKey, &state.RCount, &state.PresCount}, seed * 10 + i);
      Distinct<short>({&state.AddRCount, &state.AddPresCount}, -(seed * 10 + i));
      state.Pres = static_cast<TpsTPresenceState::enPresenceState>((seed + i) % 5);
      Distinct({&state.RDur, &state.PresDur}, seed * 10 + i);
      r.RoutingStateStatistics.push_back(state);
    }
  }
};

#endif // STATCLIENT_TESTS_CASES_ROUTING_STATE_CUMULATIVE_H_
