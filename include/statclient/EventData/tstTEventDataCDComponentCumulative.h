// Call-director component cumulative statistics: for a statistics period, one row of
// accumulated figures per component (node) of a call-director flow, and the event that carries
// the rows after the period's time stamp.
#ifndef STATCLIENT_EVENTDATA_TSTTEVENTDATACDCOMPONENTCUMULATIVE_H_
#define STATCLIENT_EVENTDATA_TSTTEVENTDATACDCOMPONENTCUMULATIVE_H_

#include <string>
#include <vector>

#include "framework/TTimeStamp.h"

#include "EventData/tstRecordShape.h"

// How often one node was invoked and abandoned, left by each menu key and by each kind of exit,
// and asked for the operator, a repeat, help, the previous or the root step over the period.
// Travels as nodeKey, SiteK, BU, Invoked, Abandoned, the ten MenuExitKey counts (directly after
// Abandoned, although declared after RootStep), MenuExitKeyStar, MenuEixtKeyPound, the counts
// from NoEntryExit to RootStep in declaration order, then TotalTime (a duration), PeriodStamp
// (a point in time, packed whole) and period (16 bits).
class TEventDataCDComponentCumulative {
public:
  STATCLIENT_COPYABLE(TEventDataCDComponentCumulative)

  // "{nodeKey:..., SiteK:..., BU:..., Invoked: ..., Abandoned: ...,
  // MenuExitKey[0,1,2,3,4,5,6,7,8,9]: [0, 1, 2, 3, 4, 5, 6, 7, 8, 9], MenuExitKeyStar: ...,
  // MenuEixtKeyPound: ..., NoEntryExit: ..., ..., NavigationExit: ..., TotalTime: 00:00:10.000,
  // InProgressStart: ..., ..., RootStep: ..., period:...}": every label from Invoked to RootStep
  // ends in a colon and a blank; TotalTime stands after NavigationExit, although it travels
  // after RootStep; PeriodStamp is not written.
  std::string ToString();

  TTimeStamp TotalTime{1}; // a duration
  TTimeStamp PeriodStamp{1};
  long nodeKey = 0;
  long SiteK = 0;
  long BU = 0;
  long Invoked = 0;
  long Abandoned = 0;
  long NoEntryExit = 0;
  long ErrorExit = 0;
  long NormalExit = 0;
  long FastPathExit = 0;
  long NavigationExit = 0;
  long InProgressStart = 0; // a plain number
  long InProgressEnd = 0;   // a plain number
  long OperatorCount = 0;
  long Repeat = 0;
  long Help = 0;
  long PreviousStep = 0;
  long RootStep = 0;
  long MenuExitKey[10] = {}; // left by key 0 to 9, by index
  long MenuExitKeyStar = 0;
  long MenuEixtKeyPound = 0; // left by the pound key
  short period = 0;          // the length of the period
};

STATCLIENT_PACK_OPERATORS(TEventDataCDComponentCumulative)

// The payload of the call-director component cumulative event: a time stamp, then the rows.
STATCLIENT_STAMPED_EVENT(TCDComponentCumulativeEvent, TEventDataCDComponentCumulative)

#endif // STATCLIENT_EVENTDATA_TSTTEVENTDATACDCOMPONENTCUMULATIVE_H_
