// Routing state cumulative statistics: per user, how often and for how long the user was in
// each routing state during a statistics period, with the presence state, its counts and
// durations, and the event that carries the user rows after the period's time stamp.
#ifndef STATCLIENT_EVENTDATA_TSTTEVENTDATAROUTINGSTATECUMULATIVE_H_
#define STATCLIENT_EVENTDATA_TSTTEVENTDATAROUTINGSTATECUMULATIVE_H_

#include <string>
#include <vector>

#include "framework/TTimeStamp.h"
#include "presence/TpsPresenceState.h"

#include "EventData/tstRecordShape.h"

// One routing state of a user over the period. Travels as RSKey, RCount, AddRCount (16 bits),
// Pres (the presence library's packer), PresCount, AddPresCount (16 bits), then the durations
// RDur and PresDur.
class TEventDataRoutingStateStatistics {
public:
  // Starts its durations from the current time, then assigns.
  STATCLIENT_COPYABLE(TEventDataRoutingStateStatistics)

  // "{RSKey:0, RCount:0, RDur:00:00:00.000, AddRCount:0, Pres:5, PresCount:0,
  // PresDur:00:00:00.000, AddPresCount:0}": RDur third, although packed seventh, and the
  // presence state as its number.
  std::string ToString();

  TTimeStamp RDur{1};    // time spent in the routing state, a duration
  TTimeStamp PresDur{1}; // time spent in the presence state, a duration
  TpsTPresenceState::enPresenceState Pres = static_cast<TpsTPresenceState::enPresenceState>(5);
  long RSKey = 0;
  long RCount = 0;
  long PresCount = 0;
  short AddRCount = 0;
  short AddPresCount = 0;
};

STATCLIENT_PACK_OPERATORS(TEventDataRoutingStateStatistics)

// One user over the period. Travels as AK, DeptK, BU, Loc, SiteK, PeriodStamp (a point in time,
// packed whole), then the routing-state rows as an int32 count and the rows.
class TEventDataRoutingStateCumulative {
public:
  // A copy starts its time stamp from the current time, then assigns. Assignment copies every
  // field; the routing-state rows it held are dropped first, then a copy of each of the
  // source's is appended in order.
  STATCLIENT_COPYABLE(TEventDataRoutingStateCumulative)

  // "AK:0, DeptK:0, BU:0, Loc:0, SiteK:0" without braces: the keys only; neither PeriodStamp
  // nor the routing-state rows are written.
  std::string ToString();

  std::vector<TEventDataRoutingStateStatistics> RoutingStateStatistics;
  TTimeStamp PeriodStamp{1};
  long AK = 0;
  long DeptK = 0;
  long BU = 0;
  long Loc = 0;
  long SiteK = 0;
};

STATCLIENT_PACK_OPERATORS(TEventDataRoutingStateCumulative)

// The payload of the routing state cumulative event: a time stamp, then the user rows.
// Ownership, allocation and release of the rows are those of every event class
// (EventData/tstRecordShape.h).
class TRoutingStateCumulativeEvent {
public:
  STATCLIENT_COPYABLE(TRoutingStateCumulativeEvent)

  // Bytes of the packed event, the time stamp included.
  unsigned long Size() const;
  // Releases every row, front to back, and empties the list; TimeStamp is left as it is. Never
  // throws: a release that fails is written to the diagnostic log and the rest are released
  // all the same.
  void Clear();

  std::vector<TEventDataRoutingStateCumulative *> EventDataList;
  // Packed whole before the rows; copies and assignments carry it.
  TTimeStamp TimeStamp{1};
};

// The time stamp, the count as int32, then each row. Unpacking reads the time stamp first and
// then replaces the rows the event held.
STATCLIENT_PACK_OPERATORS(TRoutingStateCumulativeEvent)

#endif // STATCLIENT_EVENTDATA_TSTTEVENTDATAROUTINGSTATECUMULATIVE_H_
