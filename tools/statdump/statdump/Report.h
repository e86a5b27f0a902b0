// Decoding one payload as one event class and reporting the result: the lines a successful
// decode prints, or the one line that says where and why the payload broke.
//
// DecodePayload decodes in full before it renders anything, so a payload that breaks yields no
// record line at all. It never throws for anything in the payload (short reads, huge or
// negative counts, text that is not UTF-8); it throws InputError only when the pack dump file
// cannot be opened. Each call decodes into its own event: calls on different threads are
// independent, except that they must not share a pack dump file.
#ifndef STATCLIENT_TOOLS_STATDUMP_REPORT_H_
#define STATCLIENT_TOOLS_STATDUMP_REPORT_H_

#include <string>
#include <vector>

#include "statdump/Inputs.h"
#include "statsupport/EventTable.h"

namespace statdump {

enum class Format { kText, kJson };

// Exit statuses of statdump; with several payloads the most severe one found wins, in the
// order input error, broken payload, left-over bytes. A failed write to standard output ends
// the run at once with kExitOutput, whatever was found before.
enum ExitStatus : int {
  kExitDecoded = 0,    // every payload decoded in full
  kExitInputError = 1, // bad arguments, unknown event, unreadable file, malformed hex
  kExitBroken = 2,     // a payload did not decode; nothing of it was printed
  kExitLeftOver = 3,   // a payload decoded, but bytes after its end were not part of it
  kExitOutput = 4,     // standard output could not be written
};

int MoreSevere(int status, int other);

struct Report {
  int status = kExitDecoded; // kExitDecoded, kExitBroken or kExitLeftOver
  // For standard output, one per record: "EVENTNAME[index] <record text>" or one JSON object
  // {"event", "id", "class", "eventFields", "record", "fields"}, where
  // "eventFields" are the event's own fields (a cumulative event's period stamp). Empty when the
  // payload broke.
  std::vector<std::string> lines;
  // For standard error: where the payload broke, or how many bytes were left over and where
  // they start. Empty when the payload decoded in full.
  std::string diagnostic;
};

// Decodes `payload` as the event of `entry`. `source` names the payload in the diagnostic.
// A non-empty `packDumpPath` gets the pack's dump appended (counters at the point where
// decoding stopped, and the payload's bytes).
Report DecodePayload(const statsupport::EventEntry &entry, const Bytes &payload, Format format,
                     const std::string &source, const std::string &packDumpPath);

} // namespace statdump

#endif // STATCLIENT_TOOLS_STATDUMP_REPORT_H_
