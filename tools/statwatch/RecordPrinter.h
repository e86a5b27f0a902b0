// One output line per record of an event payload.
//
// Text lines are "<time> <EVENT NAME> <record text>"; JSON lines are one object per record:
// {"time": ..., "event": ..., "id": ..., "record": <the record's structured rendering>}.
// The payload is decoded with the class of its event id. Throws TPackError when the payload
// does not decode (LastUnpackBreak() then names the field) and std::invalid_argument for an id
// that has no event class.
#ifndef STATCLIENT_TOOLS_STATWATCH_RECORDPRINTER_H_
#define STATCLIENT_TOOLS_STATWATCH_RECORDPRINTER_H_

#include <string>
#include <vector>

#include <statclient/statclient.h>

namespace statwatch {

enum class Format { Text, Json };

std::vector<std::string> RenderRecords(const TEvent &event, Format format, const std::string &time);

// The current time as "2026-12-07T09:16:02.123Z".
std::string UtcNow();

} // namespace statwatch

#endif // STATCLIENT_TOOLS_STATWATCH_RECORDPRINTER_H_
