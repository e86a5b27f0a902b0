// User real-time statistics: one record per user (agent) with its keys, states and capacities,
// the per-medium, per-presence-state, per-contact and per-CSM-activity statistics nested in it,
// and the event that carries the records.
#ifndef STATCLIENT_EVENTDATA_TSTTEVENTDATAUSERREALTIME_H_
#define STATCLIENT_EVENTDATA_TSTTEVENTDATAUSERREALTIME_H_

#include <string>
#include <vector>

#include "framework/TTimeStamp.h"
#include "presence/TpsPresenceState.h"

#include "EventData/tstRecordShape.h"

// The enumerations below travel as their four bytes, appended raw rather than through a
// packer; reading one when fewer than four bytes are left keeps the field's value. Their
// names come from the name tables (MediaStateToString and the others). A value outside the
// list is carried unchanged and named "Invalid".

// A user's state on one medium.
enum enMediaState : int {
  MEDIASTATE_LOGOFF = 0,
  MEDIASTATE_LOGON = 1,
  MEDIASTATE_AVAILABLE = 2,
  MEDIASTATE_DONOTDISTURB = 3,
  MEDIASTATE_UNKNOWN = 4,
};

// The kind of supervisor monitoring.
enum enCSMType : int {
  CSMTYPE_NONE = 0,
  CSMTYPE_SILENTMONITORING = 1,
  CSMTYPE_BARGEIN = 2,
  CSMTYPE_CONTINUOUSSILENTMONITORING = 3,
};

enum enContactType : int {
  CONTACTTYPE_NONE = 0,
  CONTACTTYPE_ROUTEDVOICE = 1,
  CONTACTTYPE_DIRECTINCOMINGVOICE = 2,
  CONTACTTYPE_DIRECTOUTGOINGVOICE = 3,
  CONTACTTYPE_DIRECTINTERNALVOICE = 4,
  CONTACTTYPE_ROUTEDCALLBACK = 5,
  CONTACTTYPE_ROUTEDEMAIL = 6,
  CONTACTTYPE_DIRECTOUTGOINGEMAIL = 7,
  CONTACTTYPE_ROUTEDWEB = 8,
  CONTACTTYPE_UNKNOWNVOICE = 9,
  CONTACTTYPE_ROUTEDOPENMEDIA = 10,
  CONTACTTYPE_DIRECTOUTGOINGOPENMEDIA = 11,
};

// The state of one contact at a user; also the index into the handling-state times of a
// medium.
enum enHandlingState : int {
  HANDLINGSTATE_NONE = 0,
  HANDLINGSTATE_PENDING = 1,
  HANDLINGSTATE_DIALING = 2,
  HANDLINGSTATE_BUSY = 3,
  HANDLINGSTATE_RINGING = 4,
  HANDLINGSTATE_TALKING = 5,
  HANDLINGSTATE_QUEUED = 6,
  HANDLINGSTATE_ONHOLD = 7,
  HANDLINGSTATE_CONSULTING = 8,
  HANDLINGSTATE_PROCESSING = 9,
  HANDLINGSTATE_POSTPROCESSING = 10,
  HANDLINGSTATE_UNKNOWN = 11,
};

// A user's state and shift statistics on one medium. Fields are declared in pack order; the
// TTimeStamp fields are durations (a length of time, packed as whole seconds and milliseconds).
class TEventDataUserMediaStatistics {
public:
  STATCLIENT_COPYABLE(TEventDataUserMediaStatistics)

  // "{Media:Voice, MediaState:Available, ShftRtdHndl:3, ... ShftDirHndlNonPrimTime:00:00:00.000,
  // ShiftHandlingStateTimes[state,time]: [0,00:00:00.000] [1,...]}": one " [index,duration]"
  // entry per handling-state time, the index written as a number.
  std::string ToString();

  long Media = 0;
  enMediaState MediaState = MEDIASTATE_UNKNOWN;
  long ShftRtdHndl = 0;
  TTimeStamp ShftRtdHndlPrimTime{1};
  TTimeStamp ShftRtdHndlNonPrimTime{1};
  TTimeStamp ShftRtdPostProcPrimTime{1};
  TTimeStamp ShftRtdPostProcNonPrimTime{1};
  long ShftMaxRtdActiveTime = 0;
  long ShftMaxRtdNonPrimTime = 0;
  long ShftRtdHeldOrCnslt = 0;
  long ShftRtdHeld = 0;
  long ShftRtdCnslt = 0;
  long ShftRtdProc = 0;
  long ShftDirHndl = 0;
  TTimeStamp ShftDirHndlPrimTime{1};
  TTimeStamp ShftDirHndlNonPrimTime{1};
  // Time spent in each handling state, indexed by enHandlingState. A new record holds one zero
  // duration per state; unpacking and assignment replace the whole list, whatever its length.
  std::vector<TTimeStamp> ShiftHandlingStateTimes =
      std::vector<TTimeStamp>(HANDLINGSTATE_UNKNOWN + 1, TTimeStamp(1));
};

// A user's shift statistics for one presence state.
class TEventDataUserPresenceStateStatistics {
public:
  STATCLIENT_COPYABLE(TEventDataUserPresenceStateStatistics)

  // "{Pres:<presence name>, ShiftPresCount:2, ShiftPresTime:00:01:00.000}".
  std::string ToString();

  TpsTPresenceState::enPresenceState Pres = static_cast<TpsTPresenceState::enPresenceState>(5);
  long ShiftPresCount = 0;
  TTimeStamp ShiftPresTime{1}; // a duration
};

// One contact a user is working on. Fields are declared in pack order; the times are plain
// counts, not durations.
class TEventDataUserContactStatistics {
public:
  STATCLIENT_COPYABLE(TEventDataUserContactStatistics)

  // "ContactStats: {CID:..., REQC:..., CT:<contact type name>, Primary:1, QK:..., ...,
  // HandlingState:<handling state name>, HandlingStatePrimTime:..., HandlingStateReason:...}":
  // its own order; AuxText is not written.
  std::string ToString();

  long REQC = 0;
  enContactType CT = CONTACTTYPE_NONE;
  long QK = 0;
  long HandlingPrimTime = 0;
  long PostProcPrimTime = 0;
  long ContactPrimTime = 0;
  long ContactNonPrimTime = 0;
  enHandlingState HandlingState = HANDLINGSTATE_NONE;
  long HandlingStatePrimTime = 0;
  long HandlingStateReason = 0;
  bool Primary = false;
  std::string CID;
  // A second text about the contact: carried on the wire and by copies, never rendered.
  std::string AuxText;
};

// One CSM (supervisor monitoring) activity of a user.
class TEventDataUserCSMStatistics {
public:
  STATCLIENT_COPYABLE(TEventDataUserCSMStatistics)

  // "CSMStats: {Type:<CSM type name>, BGL:...}": Type first, although it is packed last.
  std::string ToString();

  std::string BGL;
  enCSMType Type = CSMTYPE_NONE;
};

STATCLIENT_PACK_OPERATORS(TEventDataUserMediaStatistics)
STATCLIENT_PACK_OPERATORS(TEventDataUserPresenceStateStatistics)
STATCLIENT_PACK_OPERATORS(TEventDataUserContactStatistics)
STATCLIENT_PACK_OPERATORS(TEventDataUserCSMStatistics)

// The current statistics of one user. Fields are declared in pack order: the scalars, then
// the group keys and the four lists of nested statistics, each packed as an int32 count and
// its elements.
class TEventDataUserRealTime {
public:
  // Copying is default construction followed by assignment, which copies AK, BU and Loc, then
  // everything else under a guard: whatever that copy throws is caught and written to the
  // diagnostic log (SEVR), and the record keeps what was copied before it. Never throws.
  STATCLIENT_COPYABLE(TEventDataUserRealTime)

  // "{AK:..., BU:..., Loc:..., Ext:..., GK:[3 7 ], RS:<routing name>, RSTime:..., RSReason:...,
  // Pres:<presence name>, PresTime:..., Pres(ExcDC):<presence name>, PresTime(ExcDC):...,
  // MinCap[Avail,Total,Key]:[a,t,k], MaxCap[Avail,Total,Key]:[a,t,k], Resvd:...,
  // UserHelpTime:...}": its own order; the nested statistics are not written.
  std::string ToString();

  long AK = 0;
  long BU = 0;
  long Loc = 0;
  std::string Ext;
  TpsTRoutingState::enRoutingState RS = static_cast<TpsTRoutingState::enRoutingState>(4);
  long RSTime = 0;
  long RSReason = 0;
  TpsTPresenceState::enPresenceState Pres = static_cast<TpsTPresenceState::enPresenceState>(5);
  long PresTime = 0;
  // The second presence state and its time, labelled Pres(ExcDC) and PresTime(ExcDC).
  TpsTPresenceState::enPresenceState PresExcDC = static_cast<TpsTPresenceState::enPresenceState>(5);
  long PresTimeExcDC = 0;
  long UserHelpTime = -1;
  long Resvd = 0;
  // The capacity triples, labelled MinCap[Avail,Total,Key] and MaxCap[Avail,Total,Key].
  long MinCapAvail = 0;
  long MinCapTotal = 0;
  long MinCapKey = 0;
  long MaxCapAvail = 0;
  long MaxCapTotal = 0;
  long MaxCapKey = 0;
  std::vector<long> GK;
  std::vector<TEventDataUserMediaStatistics> MediaStatistics;
  std::vector<TEventDataUserPresenceStateStatistics> PresenceStateStatistics;
  std::vector<TEventDataUserContactStatistics> ContactStatistics;
  std::vector<TEventDataUserCSMStatistics> CSMStatistics;
};

STATCLIENT_PACK_OPERATORS(TEventDataUserRealTime)

// The payload of the user real-time event: the records and nothing else. Ownership, allocation
// and release of the records are those of every event class (EventData/tstRecordShape.h).
class TUserRealTimeEvent {
public:
  STATCLIENT_COPYABLE(TUserRealTimeEvent)

  unsigned long Size() const;
  // Releases every record, front to back, and empties the list. Never throws: a release that
  // fails is written to the diagnostic log and the rest are released all the same.
  void Clear();

  std::vector<TEventDataUserRealTime *> EventDataList;
  // Free for the application: copies and assignments carry it, nothing else reads or changes
  // it, and it is not part of the packed event (unpacking leaves it as it was).
  bool ApplicationFlag = false;
};

// The count as int32, then each record. Unpacking replaces the records the event held.
STATCLIENT_PACK_OPERATORS(TUserRealTimeEvent)

#endif // STATCLIENT_EVENTDATA_TSTTEVENTDATAUSERREALTIME_H_
