// Contact results cumulative statistics: per user and statistics period, how many contacts ended
// with each result reason on each queue, and the event that carries the user rows after the
// period's time stamp.
#ifndef STATCLIENT_EVENTDATA_TSTTEVENTDATACONTACTRESULTSCUMULATIVE_H_
#define STATCLIENT_EVENTDATA_TSTTEVENTDATACONTACTRESULTSCUMULATIVE_H_

#include <string>
#include <vector>

#include "framework/TTimeStamp.h"

#include "EventData/tstRecordShape.h"

// The contacts of one queue that ended with one result reason. Three 32-bit values in
// declaration order.
class TEventDataContactResultsStatistics {
public:
  STATCLIENT_COPYABLE(TEventDataContactResultsStatistics)

  // "{QK:0, ReasonK:0, Count:0}".
  std::string ToString();

  long QK = 0;
  long ReasonK = 0;
  long Count = 0;
};

STATCLIENT_PACK_OPERATORS(TEventDataContactResultsStatistics)

// One user over the period. Travels as AK, DeptK, BU, Loc, SiteK (BU third, although declared
// last of the keys), the two time-zone offsets (signed 16 bits), PeriodStartGMT (a point in
// time, packed whole), PeriodTime (16 bits), then the result rows as an int32 count and the
// rows.
class TEventDataContactResultsCumulative {
public:
  // Copies every field; the result rows are replaced by copies of the source's.
  STATCLIENT_COPYABLE(TEventDataContactResultsCumulative)

  // "{AK:..., DeptK:..., BU:..., Loc:..., SiteK:..., LocTZOffset:-60, SiteTZOffset:...,
  // PeriodStartGMT: 08:30:00.000, PeriodTime:...}": BU third, a blank after the colon of
  // PeriodStartGMT, which shows only its time of day; the result rows are not written.
  std::string ToString();

  STATCLIENT_USER_KEYS
  short LocTZOffset = 0;
  short SiteTZOffset = 0;
  TTimeStamp PeriodStartGMT{1};
  short PeriodTime = 0; // the length of the period
  std::vector<TEventDataContactResultsStatistics> ContactResultsStatistics;
};

STATCLIENT_PACK_OPERATORS(TEventDataContactResultsCumulative)

// The payload of the contact results cumulative event: a time stamp, then the user rows.
STATCLIENT_STAMPED_EVENT(TContactResultsCumulativeEvent, TEventDataContactResultsCumulative)

#endif // STATCLIENT_EVENTDATA_TSTTEVENTDATACONTACTRESULTSCUMULATIVE_H_
