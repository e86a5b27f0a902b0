// The payload of each public event id, packed from the model with the library's event classes.
//
// Real-time users, queues and groups carry one record each; the other families carry one default
// record per queue. Records are added with AddRecord, so the event releases them when it is
// destroyed. Pure function of the model: the same
// model state gives the same bytes.
#ifndef STATCLIENT_TOOLS_SIM_EVENTPUBLISHER_H_
#define STATCLIENT_TOOLS_SIM_EVENTPUBLISHER_H_

#include <vector>

#include <statclient/statclient.h>

#include "statsim/ContactCenterModel.h"

namespace statsim {

// A length of time as the records carry one: days, hours, minutes, seconds and milliseconds.
TTimeStamp Duration(long seconds, unsigned short milliseconds = 0);

// True for the ids whose events come at the cumulative refresh rate.
bool IsCumulative(int eventId);

// The packed payload of `eventId`; `includeLoggedOff` matters for USERREALTIMEEVENT only.
// Empty when the id has no event class.
std::vector<unsigned char> PackEvent(int eventId, const ContactCenterModel &model,
                                     bool includeLoggedOff);

} // namespace statsim

#endif // STATCLIENT_TOOLS_SIM_EVENTPUBLISHER_H_
