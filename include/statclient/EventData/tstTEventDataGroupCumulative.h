// Group cumulative statistics: one row of accumulated figures per group of users for a
// statistics period, and the event that carries the rows after the period's time stamp.
#ifndef STATCLIENT_EVENTDATA_TSTTEVENTDATAGROUPCUMULATIVE_H_
#define STATCLIENT_EVENTDATA_TSTTEVENTDATAGROUPCUMULATIVE_H_

#include <string>
#include <vector>

#include "framework/TTimeStamp.h"

#include "EventData/tstRecordShape.h"

// Contacts received, offered, consulted and transferred (as primary and as overflow group),
// waiting counts and logged-on users of one group over the period. The bracketed groups are
// arrays whose elements travel one after another in index order; everything else travels as
// 32-bit counts in declaration order, then TotalLogonTime (a duration), PeriodStartGMT (a point
// in time, packed whole) and PeriodTime (16 bits).
class TEventDataGroupCumulative {
public:
  STATCLIENT_COPYABLE(TEventDataGroupCumulative)

  // "GK:1, SiteK:2, BU:3, RT:4, Recv[Prim,Over,RHOE]:[5,6,7], ..., LoggedOn[Max,Min]:[9,2],
  // TotalLogonTime:01:02:03.000, PeriodStartGMT:08:30:00.000, PeriodTime:15" without braces:
  // LoggedOn shows Max before Min, and the period's start only its time of day.
  std::string ToString();

  TTimeStamp TotalLogonTime{1}; // a duration
  TTimeStamp PeriodStartGMT{1};
  long GK = 0;
  long SiteK = 0;
  long BU = 0;
  long RT = 0;
  long Recv[3] = {};        // Prim, Over, RHOE
  long Offered[2] = {};     // Prim, Over
  long Consulted[2] = {};   // Prim, Over
  long Transferred[2] = {}; // Prim, Over
  long Waiting[2] = {};     // Begin, End
  long LoggedOn[2] = {};    // Min, Max: the fewest and the most users logged on
  short PeriodTime = 0;     // the length of the period
};

STATCLIENT_PACK_OPERATORS(TEventDataGroupCumulative)

// The payload of the group cumulative event: a time stamp, then the rows.
STATCLIENT_STAMPED_EVENT(TGroupCumulativeEvent, TEventDataGroupCumulative)

#endif // STATCLIENT_EVENTDATA_TSTTEVENTDATAGROUPCUMULATIVE_H_
