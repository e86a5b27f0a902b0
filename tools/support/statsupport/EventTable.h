// The table from public event id to event class, for applications and tools that receive
// events and want them decoded without writing the pairing themselves.
//
// The library ties no id to a class; this table does, at compile time from the families of
// statsupport/EventFamilies.h, in their order (no registration at start-up). Each entry names the
// id, its event name, the event class, and functions that decode a payload into that class. Ids the
// library has no class for (the connection, table-management and refresh-complete events) are not
// in the table. Where the pairing is the application's choice, the family's comment in
// EventFamilies.h says which.
//
// Thread-safe: the table is constant; each call decodes into its own event.
#ifndef STATCLIENT_SUPPORT_EVENTTABLE_H_
#define STATCLIENT_SUPPORT_EVENTTABLE_H_

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include <statclient/statclient.h>

namespace statsupport {

struct DecodeResult {
  std::size_t records = 0;  // records in the decoded list
  std::size_t consumed = 0; // payload bytes read; the rest were not part of the event
};

// Receives the records of a decoded event, in list order, once the whole payload has decoded.
class RecordVisitor {
public:
  virtual ~RecordVisitor() = default;
  // Called once, before the records: `walkEvent` walks the whole event (its fixed fields, then
  // "EventDataList"); valid only during the call.
  virtual void Event(const std::function<void(TFieldSink &)> &walkEvent) = 0;
  // `text` is the record's one-line text; `walkFields` hands the record's fields to a sink and
  // is valid only during the call.
  virtual void Record(std::size_t index, const std::string &text,
                      const std::function<void(TFieldSink &)> &walkFields) = 0;
};

struct EventEntry {
  int id;
  const char *eventName; // as TStatisticsServer::ToString gives it
  const char *className;
  // Unpacks the payload into a fresh event of the class and walks it into `sink`. Throws what
  // unpacking throws (TPackError for a short payload); LastUnpackBreak() then names the field.
  DecodeResult (*decode)(const void *payload, std::size_t size, TFieldSink &sink);
  // Unpacks the payload into a fresh event of the class and, only when that succeeds, hands
  // each record to `visitor`. Throws as `decode` does, before any record is visited.
  DecodeResult (*visit)(const void *payload, std::size_t size, RecordVisitor &visitor);
  // Unpacks the payload and, when it decodes, checks the event against itself: it packs to
  // bytes that decode in full in full and pack to as many bytes again, Size() counts them, a copy
  // packs the same, every record renders as text and as fields. True when the payload decoded; a
  // failed check aborts (this is for fuzzing and self-tests). Leaves nothing registered.
  bool (*selfCheck)(const void *payload, std::size_t size);
};

// Every entry, in id order.
const EventEntry *begin();
const EventEntry *end();

// The entry of a public event id, or of an event class name ("TGroupRealTimeEvent") or event
// name ("GROUPREALTIMEEVENT"); null when there is none.
const EventEntry *FindById(int id);
const EventEntry *FindByName(std::string_view name);

} // namespace statsupport

#endif // STATCLIENT_SUPPORT_EVENTTABLE_H_
