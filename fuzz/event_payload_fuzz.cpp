// Feeds arbitrary payloads to every event class of the event table. The first byte picks the
// class, the rest is the payload. A payload either decodes or raises the framework's short-read
// exception; one that decodes must pass the entry's self-check (repacking, Size, copy, text and
// field walks), and afterwards no record is left registered. A failed check aborts.
#include <cstddef>
#include <cstdint>

#include "statsupport/EventTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size == 0)
    return 0;
  const auto classes = static_cast<std::size_t>(statsupport::end() - statsupport::begin());
  statsupport::begin()[data[0] % classes].selfCheck(data + 1, size - 1);
  return 0;
}
