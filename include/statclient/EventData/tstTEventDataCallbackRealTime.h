// Callback real-time statistics: the current state of each callback, and the event that carries
// them.
#ifndef STATCLIENT_EVENTDATA_TSTTEVENTDATACALLBACKREALTIME_H_
#define STATCLIENT_EVENTDATA_TSTTEVENTDATACALLBACKREALTIME_H_

#include <string>
#include <vector>

#include "names/tstTCMState.h"

#include "EventData/tstRecordShape.h"

// One callback (a contact to be called back) as it stands now. Fields are declared in pack
// order; numbers are 0 and strings empty after construction.
class TEventDataCallbackRealTime {
public:
  STATCLIENT_COPYABLE(TEventDataCallbackRealTime)

  // "{CID:..., REQC:..., QK:..., Origin:..., State:<state name>, ..., BU:..., CustName:...,
  // CustNum:..., Desc:...}": its own order, not the pack order.
  std::string ToString();

  long REQC = 0;
  TCMState::enContactState State = TCMState::CONTACT_INVALID;
  short Origin = 0;
  long BU = 0;
  long QK = 0;
  long CreatorAK = 0;
  long AttemptStatus = 0;
  long LastAK = 0;
  long AttemptsCount = 0;
  long TimeInState = 0;
  long WaitTime = 0;
  std::string CID;
  std::string CustName;
  std::string CustNum;
  std::string Desc;
};

STATCLIENT_PACK_OPERATORS(TEventDataCallbackRealTime)

// The payload of the callback real-time event: the records and nothing else. Clear leaves every
// position in the list until the last record is released, then empties it at once.
STATCLIENT_RECORDS_EVENT(TCallbackRealTimeEvent, TEventDataCallbackRealTime)

#endif // STATCLIENT_EVENTDATA_TSTTEVENTDATACALLBACKREALTIME_H_
