// Callback cumulative statistics: for a statistics period, one row of accumulated callback
// figures per call origin and queue, and the event that carries the rows after the period's time
// stamp.
#ifndef STATCLIENT_EVENTDATA_TSTTEVENTDATACALLBACKCUMULATIVE_H_
#define STATCLIENT_EVENTDATA_TSTTEVENTDATACALLBACKCUMULATIVE_H_

#include <string>
#include <vector>

#include "framework/TTimeStamp.h"

#include "EventData/tstRecordShape.h"

// Callbacks created, requeued, tried, successful, deleted, expired and timed out for one call
// origin and queue over the period. Travels as the fifteen counts from CallOrigin to TimedOut,
// the two AddCounts (32 bits), the two ContactsTime durations (whole seconds and milliseconds),
// PeriodStamp (a point in time, packed whole) and PeriodTime (16 bits).
class TEventDataCallbackCumulative {
public:
  STATCLIENT_COPYABLE(TEventDataCallbackCumulative)

  // "{CallOrigin:..., QueueK:..., ..., TimedOut:..., ContactsTime[Tot,PostP]:[00:10:00.000,
  // 00:01:00.000], AddCounts[Contacts,ContactsPP]:[70000,2], PeriodTime:...}": ContactsTime
  // before AddCounts, although it travels after it; PeriodStamp is not written.
  std::string ToString();

  TTimeStamp ContactsTime[2] = {TTimeStamp(1), TTimeStamp(1)}; // Tot, PostP: durations
  TTimeStamp PeriodStamp{1};
  long CallOrigin = 0;
  long QueueK = 0;
  long SiteK = 0;
  long BU = 0;
  long Callback = 0;
  long RequeuedBefore = 0;
  long Tries = 0;
  long Successful = 0;
  long Deleted = 0;
  long MaxRetry = 0;
  long ScheduledExpired = 0;
  long Attempts = 0;
  long AttemptsMoreThanOnce = 0;
  long Requeued = 0;
  long TimedOut = 0;
  long AddCounts[2] = {}; // Contacts, ContactsPP
  short PeriodTime = 0;   // the length of the period
};

STATCLIENT_PACK_OPERATORS(TEventDataCallbackCumulative)

// The payload of the callback cumulative event: a time stamp, then the rows. Clear leaves every
// position in the list until the last row is released, then empties it.
STATCLIENT_STAMPED_EVENT(TCallbackCumulativeEvent, TEventDataCallbackCumulative)

#endif // STATCLIENT_EVENTDATA_TSTTEVENTDATACALLBACKCUMULATIVE_H_
