// The case of the call-director component cumulative event.
#ifndef STATCLIENT_TESTS_CASES_CD_COMPONENT_CUMULATIVE_H_
#define STATCLIENT_TESTS_CASES_CD_COMPONENT_CUMULATIVE_H_

#include "event_fill.h"

template <>
struct EventCase<TCDComponentCumulativeEvent> : EventCaseBase<TCDComponentCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataCDComponentCumulative";
  static constexpr const char *kReleaseFailed =
      "TCDComponentCumulativeEvent::Clear: Exception occured";
  static void Fill(Record &r, long seed) {
    auto &key = r.MenuExitKey;
    Distinct(seed, r.nodeKey, r.SiteK, r.BU, r.Invoked, r.Abandoned, key[0], key[1], key[2], key[3],
             key[4], key[5], key[6], key[7], key[8], key[9], r.MenuExitKeyStar, r.MenuEixtKeyPound,
             r.NoEntryExit, r.ErrorExit, r.NormalExit, r.FastPathExit, r.NavigationExit,
             r.InProgressStart, r.InProgressEnd, r.OperatorCount, r.Repeat, r.Help, r.PreviousStep,
             r.RootStep);
    Distinct(seed, r.TotalTime, r.PeriodStamp);
    r.period = static_cast<short>(-seed);
  }
};

#endif // STATCLIENT_TESTS_CASES_CD_COMPONENT_CUMULATIVE_H_
