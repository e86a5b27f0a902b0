// User cumulative statistics: one row per user with the figures accumulated over a period, the
// per-contact-type figures nested in it, and the event that carries the rows after the time
// stamp of the period.
#ifndef STATCLIENT_EVENTDATA_TSTTEVENTDATAUSERCUMULATIVE_H_
#define STATCLIENT_EVENTDATA_TSTTEVENTDATAUSERCUMULATIVE_H_

#include <string>
#include <vector>

#include "EventData/tstTEventDataUserRealTime.h"
#include "framework/TTimeStamp.h"

#include "EventData/tstRecordShape.h"

// What a user did with the contacts of one contact type over the period. Pack order: CT (its
// four bytes, appended raw; reading it when fewer than four bytes are left keeps its value),
// the 24 counters, the eight durations (whole seconds and milliseconds), MaxActiveContactsTime
// and MaxHandlingTime, the six 16-bit values.
class TEventDataUserContactTypeStatistics {
public:
  STATCLIENT_COPYABLE(TEventDataUserContactTypeStatistics)

  // "{CT:<contact type name>, Offered[Prim,Over,Other,Resvd]:[0,0,0,0], Handled[...]:[...],
  // Held[...]:[...], Consulted[...]:[...], Abandoned[Prim,Over]:[0,0], Unhandled:0, ...,
  // AddTalk:0, ..., TalkTime:00:00:00.000, ..., MaxHandlingTime:0}": Held and Consulted before
  // Abandoned and Unhandled, the 16-bit values before the durations.
  std::string ToString();

  TTimeStamp TalkTime{1};
  TTimeStamp HeldTime{1};
  TTimeStamp ConsultTime{1};
  TTimeStamp RingTime{1};
  TTimeStamp PendingTime{1};
  TTimeStamp ProcTime{1};
  TTimeStamp PostProcTime{1};
  TTimeStamp ActiveContactsTime{1};
  enContactType CT = CONTACTTYPE_NONE;
  long Offered[4] = {};   // Prim, Over, Other, Resvd
  long Handled[3] = {};   // Prim, Over, Other
  long Abandoned[2] = {}; // Prim, Over
  long Unhandled = 0;
  long Held[3] = {};      // Prim, Over, Other
  long Consulted[3] = {}; // Prim, Over, Other
  long Disc = 0;
  long Requeued = 0;
  long Xferred = 0;
  long ReachMaxPending = 0;
  long Undelivered = 0;
  long Initiated = 0;
  long RecalledEM = 0;
  long DiscardedEM = 0;
  long MaxActiveContactsTime = 0; // plain numbers, not durations
  long MaxHandlingTime = 0;
  short AddTalk = 0;
  short AddHeld = 0;
  short AddConsult = 0;
  short AddRing = 0;
  short AddProc = 0;
  short AddPostProc = 0;
};

// The figures of one user over the period. Pack order: AK, DeptK, Loc, SiteK, BU, BusyCount,
// AddBusyCount (16-bit), BusyTime, AwayCount, AwayTime, IdleCount, IdleTime, OtherCount,
// OtherTime, LogonTime, FirstLogonMedia, LastLogoffMedia, FirstLogonGMT, LastLogoffGMT, the six
// MaxActiveContacts (16-bit), PeriodStamp, PeriodTime (16-bit), then the contact-type rows as an
// int32 count and the rows. The *Time fields up to LogonTime are durations (whole seconds and
// milliseconds); FirstLogonGMT, LastLogoffGMT and PeriodStamp are points in time, packed whole.
class TEventDataUserCumulative {
public:
  // Copies every field; the contact-type rows are replaced by copies of the source's.
  STATCLIENT_COPYABLE(TEventDataUserCumulative)

  // "{AK:..., DeptK:..., Loc:..., SiteK:..., BU:..., IdleCount:..., IdleTime:..., AwayCount:...,
  // AwayTime:..., BusyCount:..., BusyTime:..., AddBusyCount:..., OtherCount:..., OtherTime:...,
  // LogonTime:..., PeriodTime:..., FirstLogonMedia:<media name>, FirstLogonGMT:YYYY/MM/DD
  // HH:MM:SS.mmm, LastLogoffMedia:..., LastLogoffGMT:..., MaxActiveContacts[All,V,CB,EM,WC,OM]:
  // [e1,e2,e4,e3,e5,e6]}": the third and fourth elements change places; PeriodStamp and the
  // contact-type rows are not written.
  std::string ToString();

  std::vector<TEventDataUserContactTypeStatistics> ContactTypeStatistics;
  TTimeStamp BusyTime{1};
  TTimeStamp AwayTime{1};
  TTimeStamp IdleTime{1};
  TTimeStamp OtherTime{1};
  TTimeStamp LogonTime{1};
  TTimeStamp FirstLogonGMT{1};
  TTimeStamp LastLogoffGMT{1};
  TTimeStamp PeriodStamp{1};
  long FirstLogonMedia = 0; // named by MediaTypeToString
  long LastLogoffMedia = 0;
  STATCLIENT_USER_KEYS
  long BusyCount = 0;
  long AwayCount = 0;
  long IdleCount = 0;
  long OtherCount = 0;
  short AddBusyCount = 0;
  short MaxActiveContacts[6] = {}; // in pack order
  short PeriodTime = 0;
};

STATCLIENT_PACK_OPERATORS(TEventDataUserContactTypeStatistics)
STATCLIENT_PACK_OPERATORS(TEventDataUserCumulative)

// The payload of the user cumulative event: the time stamp, then the rows. Ownership,
// allocation and release of the rows are those of every event class (EventData/tstRecordShape.h).
class TUserCumulativeEvent {
public:
  STATCLIENT_COPYABLE(TUserCumulativeEvent)

  // Bytes of the packed event, the time stamp included.
  unsigned long Size() const;
  // Releases every row, front to back, and empties the list; TimeStamp is left as it is. Never
  // throws: a release that fails is written to the diagnostic log and the rest are released
  // all the same.
  void Clear();

  std::vector<TEventDataUserCumulative *> EventDataList;
  // Packed whole before the rows.
  TTimeStamp TimeStamp{1};
};

// The time stamp, the count as int32, then each row. Unpacking reads the time stamp first (a
// payload cut inside it leaves the rows as they were), then replaces the rows.
STATCLIENT_PACK_OPERATORS(TUserCumulativeEvent)

#endif // STATCLIENT_EVENTDATA_TSTTEVENTDATAUSERCUMULATIVE_H_
