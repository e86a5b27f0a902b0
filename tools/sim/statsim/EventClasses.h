// The event class of each public event id, as a compile-time dispatch: VisitEventClass(id, f)
// calls f with a default-constructed event of the id's class (the pairing of the event table
// in statsupport/EventTable.h) and returns true, or returns false when the id has no class.
// Header-only; the event lives for the duration of the call.
#ifndef STATCLIENT_TOOLS_SIM_EVENTCLASSES_H_
#define STATCLIENT_TOOLS_SIM_EVENTCLASSES_H_

#include <statclient/statclient.h>

namespace statsim {

template <class Visitor> bool VisitEventClass(int eventId, Visitor &&visit) {
  using S = TStatisticsServer;
  auto with = [&](auto event) {
    visit(event);
    return true;
  };
  switch (eventId) {
  case S::USERREALTIMEEVENT:
    return with(TUserRealTimeEvent{});
  case S::QUEUEREALTIMEEVENT:
    return with(TQueueRealTimeEvent{});
  case S::GROUPREALTIMEEVENT:
    return with(TGroupRealTimeEvent{});
  case S::CONTACTREALTIMEEVENT:
    return with(TContactRealTimeEvent{});
  case S::CALLBACKREALTIMEEVENT:
    return with(TCallbackRealTimeEvent{});
  case S::USERCUMULATIVEEVENT:
    return with(TUserCumulativeEvent{});
  case S::QUEUECUMULATIVEEVENT:
    return with(TQueueCumulativeEvent{});
  case S::GROUPCUMULATIVEEVENT:
    return with(TGroupCumulativeEvent{});
  case S::CALLBACKCUMULATIVEEVENT:
    return with(TCallbackCumulativeEvent{});
  case S::DNISCUMULATIVEEVENT:
    return with(TMonitoredDestinationCumulativeEvent{});
  case S::WRAPUPREASONCUMULATIVEEVENT:
    return with(TContactResultsCumulativeEvent{});
  case S::USERSTATEREASONCUMULATIVEEVENT:
    return with(TRoutingStateCumulativeEvent{});
  case S::USERPOSTPROCESSINGCUMULATIVEEVENT:
    return with(TPostProcessingCumulativeEvent{});
  case S::WORKFLOWCUMULATIVEEVENT:
    return with(TWorkFlowCumulativeEvent{});
  case S::CALLDIRECTORCOMPONENTCUMULATIVEEVENT:
    return with(TCDComponentCumulativeEvent{});
  default:
    return false;
  }
}

} // namespace statsim

#endif // STATCLIENT_TOOLS_SIM_EVENTCLASSES_H_
