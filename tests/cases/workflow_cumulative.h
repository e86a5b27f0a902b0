// The case of the workflow cumulative event.
#ifndef STATCLIENT_TESTS_CASES_WORKFLOW_CUMULATIVE_H_
#define STATCLIENT_TESTS_CASES_WORKFLOW_CUMULATIVE_H_

#include "event_fill.h"

template <> struct EventCase<TWorkFlowCumulativeEvent> : EventCaseBase<TWorkFlowCumulativeEvent> {
  static constexpr const char *kSource = "EventData/tstTEventDataWorkFlowCumulative";
  static constexpr const char *kReleaseFailed =
      "TWorkFlowCumulativeEvent::Clear: Exception occured";
  static void Fill(Record &r, long seed) {
    Distinct(seed, r.FlowKey, r.SiteK, r.BU, r.Recevived, r.Answered, r.Abandoned, r.Transeferred,
             r.TransferredToIVR, r.SystemDisconnected, r.LinkedOut, r.EnQueued,
             r.EnQueuedToErrorQueue, r.AutoResponeded, r.InProgressStart, r.InProgressEnd);
    Distinct(seed, r.TotalTime, r.PeriodStamp);
    r.period = static_cast<short>(-seed);
  }
};

#endif // STATCLIENT_TESTS_CASES_WORKFLOW_CUMULATIVE_H_
