// The event families: every public event id the library has an event class for, with its event
// name, its class and the family's short name. The event table, the simulator, the fuzz corpus
// and the bench all take the families from this one list, in its order (the order of the ids).
//
// ForEachEventFamily(visit) calls visit(EventFamily<E>{...}) once per family, in list order;
// the class is EventFamily's parameter, so a generic visitor gets it from the argument's type:
//
//   ForEachEventFamily([](auto family) { typename decltype(family)::Event event; ... });
//
// Header-only and constexpr where the visitor is: nothing is registered at start-up.
#ifndef STATCLIENT_SUPPORT_EVENTFAMILIES_H_
#define STATCLIENT_SUPPORT_EVENTFAMILIES_H_

#include <cstddef>

#include <statclient/statclient.h>

namespace statsupport {

template <class E> struct EventFamily {
  using Event = E;
  int id;
  const char *eventName; // as TStatisticsServer::ToString gives it
  const char *className;
  const char *name; // the family's short name: its rows are TEventData<name>
};

template <class Visit> constexpr void ForEachEventFamily(Visit &&visit) {
#define STATSUPPORT_FAMILY(Id, Event, Name)                                                        \
  visit(EventFamily<Event>{TStatisticsServer::Id, #Id, #Event, #Name})
  STATSUPPORT_FAMILY(USERREALTIMEEVENT, TUserRealTimeEvent, UserRealTime);
  STATSUPPORT_FAMILY(QUEUEREALTIMEEVENT, TQueueRealTimeEvent, QueueRealTime);
  STATSUPPORT_FAMILY(GROUPREALTIMEEVENT, TGroupRealTimeEvent, GroupRealTime);
  STATSUPPORT_FAMILY(CONTACTREALTIMEEVENT, TContactRealTimeEvent, ContactRealTime);
  STATSUPPORT_FAMILY(CALLBACKREALTIMEEVENT, TCallbackRealTimeEvent, CallbackRealTime);
  STATSUPPORT_FAMILY(USERCUMULATIVEEVENT, TUserCumulativeEvent, UserCumulative);
  STATSUPPORT_FAMILY(QUEUECUMULATIVEEVENT, TQueueCumulativeEvent, QueueCumulative);
  STATSUPPORT_FAMILY(GROUPCUMULATIVEEVENT, TGroupCumulativeEvent, GroupCumulative);
  STATSUPPORT_FAMILY(CALLBACKCUMULATIVEEVENT, TCallbackCumulativeEvent, CallbackCumulative);
  // The pairings below are this list's choice; the library leaves them to the application.
  // A monitored destination is a dialled number: its rows are the dialled-number statistics.
  STATSUPPORT_FAMILY(DNISCUMULATIVEEVENT, TMonitoredDestinationCumulativeEvent,
                     DestinationCumulative);
  // A contact's result is the reason a user gives when wrapping it up: per-user rows with one
  // sub-row per queue and result reason.
  STATSUPPORT_FAMILY(WRAPUPREASONCUMULATIVEEVENT, TContactResultsCumulativeEvent,
                     ContactResultsCumulative);
  // Per-user rows with one sub-row per routing state and reason.
  STATSUPPORT_FAMILY(USERSTATEREASONCUMULATIVEEVENT, TRoutingStateCumulativeEvent,
                     RoutingStateCumulative);
  STATSUPPORT_FAMILY(USERPOSTPROCESSINGCUMULATIVEEVENT, TPostProcessingCumulativeEvent,
                     PostProcessingCumulative);
  STATSUPPORT_FAMILY(WORKFLOWCUMULATIVEEVENT, TWorkFlowCumulativeEvent, WorkFlowCumulative);
  // The call-director components are the nodes of a call-director flow.
  STATSUPPORT_FAMILY(CALLDIRECTORCOMPONENTCUMULATIVEEVENT, TCDComponentCumulativeEvent,
                     CDComponentCumulative);
#undef STATSUPPORT_FAMILY
}

constexpr std::size_t CountEventFamilies() {
  std::size_t count = 0;
  ForEachEventFamily([&count](auto) { ++count; });
  return count;
}

inline constexpr std::size_t kEventFamilyCount = CountEventFamilies();

} // namespace statsupport

#endif // STATCLIENT_SUPPORT_EVENTFAMILIES_H_
