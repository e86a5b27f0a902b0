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

// The payload of the group real-time event: the records and nothing else. Ownership of the
// records is that of every event class (EventData/tstRecordShape.h).
class TGroupRealTimeEvent {
public:
  STATCLIENT_COPYABLE(TGroupRealTimeEvent)

  unsigned long Size() const;
  // Releases every record, front to back, and empties the list. Never throws: a release that
  // fails is written to the diagnostic log and the rest are released all the same.
  void Clear();

  std::vector<TEventDataGroupRealTime *> EventDataList;
};

// The count as int32, then each record. Unpacking replaces the records the event held.
STATCLIENT_PACK_OPERATORS(TGroupRealTimeEvent)

#endif // STATCLIENT_EVENTDATA_TSTTEVENTDATAGROUPREALTIME_H_
