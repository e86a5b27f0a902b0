// Monitored destination cumulative statistics: one row of accumulated figures per monitored
// destination for a statistics period, and the event that carries the rows after the period's
// time stamp.
#ifndef STATCLIENT_EVENTDATA_TSTTEVENTDATADESTINATIONCUMULATIVE_H_
#define STATCLIENT_EVENTDATA_TSTTEVENTDATADESTINATIONCUMULATIVE_H_

#include <string>
#include <vector>

#include "framework/TTimeStamp.h"

#include "EventData/tstRecordShape.h"

// Contacts received, answered, abandoned, redirected and disconnected at one destination, the
// e-mails handled automatically and the total waiting, contact and post-processing times. The
// 32-bit counts travel first, in declaration order (a bracketed group as its elements in index
// order), then the three TotalTime durations, PeriodStartGMT (a point in time, packed whole)
// and Period (16 bits).
class TEventDataDestinationCumulative {
public:
  STATCLIENT_COPYABLE(TEventDataDestinationCumulative)

  // "{QK:..., SiteK:..., BU:..., Ans:..., Abd:..., Disconnected:..., ReQ:...,
  // AutoHandledEmail:..., Recv[All,NetIn]:[a,n], ReDirect[OOS,NetOut]:[o,n],
  // Interval[Start,End]:[s,e], TotalTime[Wait,Contact,PostP]:[w,c,p], Addi[Contact,PostP]:[c,p],
  // PeriodStartGMT:08:30:00.000, Period:15}": its own order, the single counts before the
  // groups, TotalTime before Addi; the period's start shows only its time of day.
  std::string ToString();

  // Total waiting, contact and post-processing time: durations.
  TTimeStamp TotalTime[3] = {TTimeStamp(1), TTimeStamp(1), TTimeStamp(1)};
  TTimeStamp PeriodStartGMT{1};
  long QK = 0;
  long SiteK = 0;
  long BU = 0;
  long Recv[2] = {}; // All, NetIn
  long Ans = 0;
  long Abd = 0;
  long ReDirect[2] = {}; // OOS, NetOut
  long Disconnected = 0;
  long ReQ = 0;
  long Interval[2] = {}; // Start, End: plain numbers
  long AutoHandledEmail = 0;
  long Addi[2] = {}; // Contact, PostP
  short Period = 0;  // the length of the period
};

STATCLIENT_PACK_OPERATORS(TEventDataDestinationCumulative)

// The payload of the monitored destination cumulative event: a time stamp, then the rows.
STATCLIENT_STAMPED_EVENT(TMonitoredDestinationCumulativeEvent, TEventDataDestinationCumulative)

#endif // STATCLIENT_EVENTDATA_TSTTEVENTDATADESTINATIONCUMULATIVE_H_
