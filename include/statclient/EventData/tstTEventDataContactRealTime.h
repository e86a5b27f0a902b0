// Contact real-time statistics: the current state of each contact, and the event that carries them.
#ifndef STATCLIENT_EVENTDATA_TSTTEVENTDATACONTACTREALTIME_H_
#define STATCLIENT_EVENTDATA_TSTTEVENTDATACONTACTREALTIME_H_

#include <string>
#include <vector>

#include "names/tstTCMState.h"

#include "EventData/tstRecordShape.h"

// One contact (call, e-mail, web or open-media contact) as it stands now. Fields are declared
// in pack order; numbers are 0 and strings empty after construction.
class TEventDataContactRealTime {
public:
  STATCLIENT_COPYABLE(TEventDataContactRealTime)

  // "{CID:..., REQC:..., QK:..., MT:<media name>, State:<state name>, ..., Src:..., Dest:...,
  // Desc:...}": its own order, not the pack order.
  std::string ToString();

  TCMState::enContactState State = TCMState::CONTACT_INVALID;
  short QK = 0; // the queue key is 16-bit in this record
  long MT = 0;  // media type, named by MediaTypeToString
  short Priority = 0;
  long TimeInState = 0;
  long WaitTime = 0;
  long VG = 0;
  long REQC = 0;
  long ResvdAK = 0;
  long BU = 0;
  std::string CID;
  std::string Dest;
  std::string Src;
  std::string Desc;
};

STATCLIENT_PACK_OPERATORS(TEventDataContactRealTime)

// The payload of the contact real-time event: the records and nothing else.
STATCLIENT_RECORDS_EVENT(TContactRealTimeEvent, TEventDataContactRealTime)

#endif // STATCLIENT_EVENTDATA_TSTTEVENTDATACONTACTREALTIME_H_
