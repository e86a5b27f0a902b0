// Workflow cumulative statistics: for a statistics period, one row of accumulated figures per
// routing flow, and the event that carries the rows after the period's time stamp.
#ifndef STATCLIENT_EVENTDATA_TSTTEVENTDATAWORKFLOWCUMULATIVE_H_
#define STATCLIENT_EVENTDATA_TSTTEVENTDATAWORKFLOWCUMULATIVE_H_

#include <string>
#include <vector>

#include "framework/TTimeStamp.h"

#include "EventData/tstRecordShape.h"

// Contacts received, answered, abandoned, transferred, disconnected, linked out, queued and
// answered automatically in one flow over the period. Travels as the fifteen counts from
// FlowKey to InProgressEnd in declaration order, then TotalTime (a duration), PeriodStamp (a
// point in time, packed whole) and period (16 bits). The members are named after their labels,
// spelling included (Recevived, Transeferred, AutoResponeded).
class TEventDataWorkFlowCumulative {
public:
  STATCLIENT_COPYABLE(TEventDataWorkFlowCumulative)

  // "{FlowKey:..., SiteK:..., BU:..., Recevived: ..., Answered: ..., ..., AutoResponeded: ...,
  // TotalTime: 00:00:10.000, InProgressStart: ..., InProgressEnd: ..., period:...}": every label
  // from Recevived to InProgressEnd ends in a colon and a blank; TotalTime stands before
  // InProgressStart, although it travels after InProgressEnd; PeriodStamp is not written.
  std::string ToString();

  TTimeStamp TotalTime{1}; // a duration
  TTimeStamp PeriodStamp{1};
  long FlowKey = 0;
  long SiteK = 0;
  long BU = 0;
  long Recevived = 0; // contacts received
  long Answered = 0;
  long Abandoned = 0;
  long Transeferred = 0; // contacts transferred
  long TransferredToIVR = 0;
  long SystemDisconnected = 0;
  long LinkedOut = 0;
  long EnQueued = 0;
  long EnQueuedToErrorQueue = 0;
  long AutoResponeded = 0;  // contacts answered automatically
  long InProgressStart = 0; // a plain number
  long InProgressEnd = 0;   // a plain number
  short period = 0;         // the length of the period
};

STATCLIENT_PACK_OPERATORS(TEventDataWorkFlowCumulative)

// The payload of the workflow cumulative event: a time stamp, then the rows.
STATCLIENT_STAMPED_EVENT(TWorkFlowCumulativeEvent, TEventDataWorkFlowCumulative)

#endif // STATCLIENT_EVENTDATA_TSTTEVENTDATAWORKFLOWCUMULATIVE_H_
