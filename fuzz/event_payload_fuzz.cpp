// Feeds arbitrary payloads to the event decoders. The first byte picks the event class, the
// rest is the payload. A payload either decodes or raises the framework's short-read
// exception; one that decodes packs to bytes that decode in full and pack to as many bytes again
// (not always the same bytes: a negative duration wraps its 16-bit fields), and Size() counts
// them. Afterwards no record is left registered.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <statclient/statclient.h>

#include "FuzzDecode.h"

namespace {

template <class Event> void Decode(const std::uint8_t *data, std::size_t size) {
  const std::size_t live = TMemory::LiveRegistrations();
  {
    Event event;
    TPack payload(const_cast<std::uint8_t *>(data), static_cast<unsigned long>(size));
    try {
      payload >> event;
    } catch (const TPackError &) {
      return;
    }
    const std::vector<unsigned char> first = Repack(event);
    if (event.Size() != first.size())
      std::abort();
    if (!RepacksConsistently<Event>(first))
      std::abort();
    Event copy(event);
    for (auto *record : copy.EventDataList)
      (void)record->ToString();
  }
  if (TMemory::LiveRegistrations() != live)
    std::abort();
}

const Decoder kDecoders[] = {
    Decode<TGroupRealTimeEvent>, Decode<TContactRealTimeEvent>, Decode<TCallbackRealTimeEvent>,
    Decode<TUserRealTimeEvent>,  Decode<TQueueRealTimeEvent>,
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  return Dispatch(kDecoders, data, size);
}
