// Queue cumulative statistics: one row per queue with the figures accumulated over a period,
// and the event that carries the rows after the time stamp of the period.
#ifndef STATCLIENT_EVENTDATA_TSTTEVENTDATAQUEUECUMULATIVE_H_
#define STATCLIENT_EVENTDATA_TSTTEVENTDATAQUEUECUMULATIVE_H_

#include <string>
#include <vector>

#include "framework/TTimeStamp.h"

#include "EventData/tstRecordShape.h"

// The figures of one queue over the period. The arrays are groups of figures that the text
// shows together, their elements in the order of the names in the comment. Pack order: QK,
// SiteK, BU, SLF (uint16), Received, Redirected, TransOOS, Answered, UnderThresholdAns,
// AnsweredInInterval, Abandoned, UnderThresholdAbd, AbandonedInInterval, WaitTime,
// MaxWaitTime, Emails, AddCountsEMDefer, AddCountsEMConOut, EmailsTime, Waiting, Overflows,
// ContactsTime, AddCountsContacts, AddCountsContactsPP, UsersInvolvedTime, AddCountsHandled,
// PeriodStamp, PeriodTime. The *Time arrays are durations (whole seconds and milliseconds);
// PeriodStamp is a point in time, packed whole; AddCounts* and PeriodTime are 16-bit.
class TEventDataQueueCumulative {
public:
  STATCLIENT_COPYABLE(TEventDataQueueCumulative)

  // "{QK:..., SiteK:..., BU:..., SLF:..., Received[All,Req,NetIn]:[a,r,n], Answered[Prim,Over]:
  // [..], Abandoned:..., Redirected[OOS,NetOut]:[..], TransOOS:..., UnderThreshold[Ans,Abd]:[..],
  // AnsweredInInterval[1,2,3,4,5]:[..], AbandonedInInterval[1,2,3,4,5]:[..],
  // Overflows[Cur,Max,Min]:[..], Waiting[Begin,End,Max,Min]:[..], WaitTime[Tot,Ans,Abd,Red]:[..],
  // MaxWaitTime[Max,Ans,Abd,Red]:[..], Emails[Defer,ConOut]:[..], EmailsTime[Defer,ConOut]:[..],
  // ContactsTime[Tot,PostP]:[..], UsersInvolvedTime[Tot,PostP]:[..],
  // AddCounts[Contacts,ContactsPP,Handled,EMDefer,EMConOut]:[..], PeriodTime:...}": its own
  // order; SLF unsigned; PeriodStamp is not written.
  std::string ToString();

  TTimeStamp WaitTime[4] = {TTimeStamp(1), TTimeStamp(1), TTimeStamp(1),
                            TTimeStamp(1)};                         // Tot, Ans, Abd, Red
  TTimeStamp EmailsTime[2] = {TTimeStamp(1), TTimeStamp(1)};        // Defer, ConOut
  TTimeStamp ContactsTime[2] = {TTimeStamp(1), TTimeStamp(1)};      // Tot, PostP
  TTimeStamp UsersInvolvedTime[2] = {TTimeStamp(1), TTimeStamp(1)}; // Tot, PostP
  TTimeStamp PeriodStamp{1};
  long QK = 0;
  long SiteK = 0;
  long BU = 0;
  long Received[3] = {};   // All, Req, NetIn
  long Redirected[2] = {}; // OOS, NetOut
  long TransOOS = 0;
  long Answered[2] = {}; // Prim, Over
  long UnderThresholdAns = 0;
  long AnsweredInInterval[5] = {};
  long Abandoned = 0;
  long UnderThresholdAbd = 0;
  long AbandonedInInterval[5] = {};
  long MaxWaitTime[4] = {}; // Max, Ans, Abd, Red; plain numbers, not durations
  long Emails[2] = {};      // Defer, ConOut
  long Waiting[4] = {};     // Begin, End, Max, Min
  long Overflows[3] = {};   // Cur, Max, Min
  unsigned short SLF = 0;
  // The five AddCounts, labelled AddCounts[Contacts,ContactsPP,Handled,EMDefer,EMConOut].
  short AddCountsHandled = 0;
  short PeriodTime = 0;
  short AddCountsContacts = 0;
  short AddCountsContactsPP = 0;
  short AddCountsEMDefer = 0;
  short AddCountsEMConOut = 0;
};

STATCLIENT_PACK_OPERATORS(TEventDataQueueCumulative)

// The payload of the queue cumulative event: the time stamp, then the rows.
STATCLIENT_STAMPED_EVENT(TQueueCumulativeEvent, TEventDataQueueCumulative)

#endif // STATCLIENT_EVENTDATA_TSTTEVENTDATAQUEUECUMULATIVE_H_
