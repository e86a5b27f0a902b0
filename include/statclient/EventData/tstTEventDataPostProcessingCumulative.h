// Post-processing cumulative statistics: per user, how often and for how long the user was in
// post-processing for each post-processing reason during a statistics period, and the event
// that carries the user rows after the period's time stamp.
#ifndef STATCLIENT_EVENTDATA_TSTTEVENTDATAPOSTPROCESSINGCUMULATIVE_H_
#define STATCLIENT_EVENTDATA_TSTTEVENTDATAPOSTPROCESSINGCUMULATIVE_H_

#include <string>
#include <vector>

#include "framework/TTimeStamp.h"

#include "EventData/tstRecordShape.h"

// One post-processing reason of a user over the period. Travels as ReasonK, Count, AddCount,
// then the duration Dur.
class TEventDataPostProcessingReasonStatistics {
public:
  STATCLIENT_COPYABLE(TEventDataPostProcessingReasonStatistics)

  // "{ReasonK:0, Count:0, Dur:00:00:00.000, AddCount:0}": Dur before AddCount, although packed
  // after it.
  std::string ToString();

  TTimeStamp Dur{1}; // the accumulated time, a duration
  long ReasonK = 0;
  long Count = 0;
  long AddCount = 0;
};

STATCLIENT_PACK_OPERATORS(TEventDataPostProcessingReasonStatistics)

// One user over the period. Travels as AK, DeptK, BU, Loc, SiteK (BU third, although declared
// last of the keys), PeriodStamp (a point in time, packed whole), then the reason rows as an
// int32 count and the rows.
class TEventDataPostProcessingCumulative {
public:
  // Default construction followed by assignment.
  // Copies every field; the reason rows it held are dropped first, then a copy of each of the
  // source's is appended in order.
  STATCLIENT_COPYABLE(TEventDataPostProcessingCumulative)

  // "{AK:0, DeptK:0, BU:0, Loc:0, SiteK:0}": the keys only; neither PeriodStamp nor the reason
  // rows are written.
  std::string ToString();

  STATCLIENT_USER_KEYS
  TTimeStamp PeriodStamp{1};
  std::vector<TEventDataPostProcessingReasonStatistics> ReasonStatistics;
};

STATCLIENT_PACK_OPERATORS(TEventDataPostProcessingCumulative)

// The payload of the post-processing cumulative event: a time stamp, then the user rows.
STATCLIENT_STAMPED_EVENT(TPostProcessingCumulativeEvent, TEventDataPostProcessingCumulative)

#endif // STATCLIENT_EVENTDATA_TSTTEVENTDATAPOSTPROCESSINGCUMULATIVE_H_
