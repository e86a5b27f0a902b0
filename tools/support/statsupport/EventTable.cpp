#include "statsupport/EventTable.h"

#include <array>
#include <cstdlib>
#include <vector>

#include "statsupport/DiscardingSink.h"
#include "statsupport/EventFamilies.h"
#include "statsupport/JsonSink.h"

namespace statsupport {
namespace {

// A record's fields as JSON text, for comparing two walks: a NaN field is no NaN's equal as a
// value but prints alike, and a string that is not UTF-8 prints with replacement characters.
template <class Record> std::string WalkText(const Record &record) {
  return ToJson(record).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

template <class T> std::vector<unsigned char> Packed(const T &value) {
  TPack pack(1);
  pack << value;
  const auto *start = static_cast<const unsigned char *>(pack.Contents());
  return {start, start + pack.Length()};
}

template <class E> DecodeResult Decode(const void *payload, std::size_t size, TFieldSink &sink) {
  TPack pack(const_cast<void *>(payload), static_cast<unsigned long>(size));
  E event;
  pack >> event;
  WalkFields(event, sink);
  return {event.EventDataList.size(), size - pack.Length()};
}

template <class E>
DecodeResult Visit(const void *payload, std::size_t size, RecordVisitor &visitor) {
  TPack pack(const_cast<void *>(payload), static_cast<unsigned long>(size));
  E event;
  pack >> event;
  visitor.Event([&event](TFieldSink &sink) { WalkFields(event, sink); });
  for (std::size_t index = 0; index < event.EventDataList.size(); ++index) {
    auto *record = event.EventDataList[index];
    visitor.Record(index, record->ToString(),
                   [record](TFieldSink &sink) { WalkFields(*record, sink); });
  }
  return {event.EventDataList.size(), size - pack.Length()};
}

template <class E> bool SelfCheck(const void *payload, std::size_t size) {
  const std::size_t live = TMemory::LiveRegistrations();
  bool decoded = false;
  {
    E event;
    TPack pack(const_cast<void *>(payload), static_cast<unsigned long>(size));
    try {
      pack >> event;
      decoded = true;
    } catch (const TPackError &) {
    }
    if (decoded) {
      // Not always the payload's bytes, nor a fixed point: a negative duration wraps its 16-bit
      // fields, and each round of packing and unpacking wraps them differently. The size holds,
      // and a copy is equal to its source in bytes and fields.
      const std::vector<unsigned char> first = Packed(event);
      E again;
      TPack reread(const_cast<unsigned char *>(first.data()),
                   static_cast<unsigned long>(first.size()));
      reread >> again;
      const E copy(event);
      if (event.Size() != first.size() || reread.Length() != 0 ||
          Packed(again).size() != first.size() || Packed(copy) != first ||
          WalkText(copy) != WalkText(event))
        std::abort();
      DiscardingSink sink;
      WalkFields(copy, sink);
      for (auto *record : copy.EventDataList)
        (void)record->ToString();
    }
  }
  if (TMemory::LiveRegistrations() != live)
    std::abort();
  return decoded;
}

template <class E> constexpr EventEntry Entry(const EventFamily<E> &family) {
  return {family.id, family.eventName, family.className, &Decode<E>, &Visit<E>, &SelfCheck<E>};
}

constexpr std::array<EventEntry, kEventFamilyCount> Entries() {
  std::array<EventEntry, kEventFamilyCount> entries{};
  std::size_t next = 0;
  ForEachEventFamily([&](auto family) { entries[next++] = Entry(family); });
  return entries;
}

constexpr std::array<EventEntry, kEventFamilyCount> kEntries = Entries();

} // namespace

const EventEntry *begin() { return kEntries.data(); }
const EventEntry *end() { return kEntries.data() + kEntries.size(); }

const EventEntry *FindById(int id) {
  for (const EventEntry &entry : kEntries)
    if (entry.id == id)
      return &entry;
  return nullptr;
}

const EventEntry *FindByName(std::string_view name) {
  for (const EventEntry &entry : kEntries)
    if (name == entry.className || name == entry.eventName)
      return &entry;
  return nullptr;
}

} // namespace statsupport
