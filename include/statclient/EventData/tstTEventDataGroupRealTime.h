// Group real-time statistics: one record per group of users, and the event that carries them.
#ifndef STATCLIENT_EVENTDATA_TSTTEVENTDATAGROUPREALTIME_H_
#define STATCLIENT_EVENTDATA_TSTTEVENTDATAGROUPREALTIME_H_

#include <string>
#include <vector>

#include "EventData/tstRecordShape.h"

// Users of a group by state, contacts handled and waiting, minimum and maximum capacities.
// Every field is a signed 32-bit count, 0 after construction, packed in declaration order.
class TEventDataGroupRealTime {
public:
  STATCLIENT_COPYABLE(TEventDataGroupRealTime)

  // "{VG:12, BU:3, LoggedOnUsers:0, ... MaxWorkCap:0}", fields in declaration order.
  std::string ToString();

  long VG = 0;
  long BU = 0;
  long LoggedOnUsers = 0;
  long IdleUsers = 0;
  long AwayUsers = 0;
  long BusyUsers = 0;
  long HndlRoutedUsers = 0;
  long HndlDirectOnlyUsers = 0;
  long RoutedHndl = 0;
  long DirectHndl = 0;
  long PrimWaiting = 0;
  long OverWaiting = 0;
  long MinLoggedOnCap = 0;
  long MinAvailCap = 0;
  long MinUnavailCap = 0;
  long MinWorkCap = 0;
  long MaxLoggedOnCap = 0;
  long MaxAvailCap = 0;
  long MaxUnavailCap = 0;
  long MaxWorkCap = 0;
};

STATCLIENT_PACK_OPERATORS(TEventDataGroupRealTime)

// The payload of the group real-time event: the records and nothing else.
STATCLIENT_RECORDS_EVENT(TGroupRealTimeEvent, TEventDataGroupRealTime)

#endif // STATCLIENT_EVENTDATA_TSTTEVENTDATAGROUPREALTIME_H_
