// Group real-time statistics: one record per group of users, and the event that carries them.
#ifndef STATCLIENT_EVENTDATA_TSTTEVENTDATAGROUPREALTIME_H_
#define STATCLIENT_EVENTDATA_TSTTEVENTDATAGROUPREALTIME_H_

#include <string>
#include <vector>

class TPack;

// Users of a group by state, contacts handled and waiting, minimum and maximum capacities.
// Every field is a signed 32-bit count, 0 after construction, packed in declaration order.
class TEventDataGroupRealTime {
public:
  TEventDataGroupRealTime();
  TEventDataGroupRealTime(const TEventDataGroupRealTime &other);
  TEventDataGroupRealTime &operator=(const TEventDataGroupRealTime &other);
  virtual ~TEventDataGroupRealTime();

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

TPack &operator<<(TPack &pack, const TEventDataGroupRealTime &record);
TPack &operator>>(TPack &pack, TEventDataGroupRealTime &record);

// The payload of the group real-time event: the records and nothing else.
//
// The event owns every record in EventDataList: unpacking and copying allocate them through the
// framework's tracked allocation and register them with its memory accounting, and Clear,
// assignment and destruction release them. An application that fills the list itself
// allocates its records the same way. Packing, sizing and copying need a list without null
// pointers; Clear drops null positions.
class TGroupRealTimeEvent {
public:
  TGroupRealTimeEvent();
  TGroupRealTimeEvent(const TGroupRealTimeEvent &other);
  TGroupRealTimeEvent &operator=(const TGroupRealTimeEvent &other);
  virtual ~TGroupRealTimeEvent();

  // Bytes of the packed event.
  unsigned long Size() const;
  // Releases every record, front to back, and empties the list. Never throws: a release that
  // fails is written to the diagnostic log and the rest are released all the same.
  void Clear();

  std::vector<TEventDataGroupRealTime *> EventDataList;
};

// The count as int32, then each record. Unpacking replaces the records the event held.
TPack &operator<<(TPack &pack, const TGroupRealTimeEvent &event);
TPack &operator>>(TPack &pack, TGroupRealTimeEvent &event);

#endif // STATCLIENT_EVENTDATA_TSTTEVENTDATAGROUPREALTIME_H_
