// Feeds arbitrary bytes to the decoder of every top-level record that arrives from the server:
// the contact detail, the contact-log list and entries, the update body, the error record, and
// the callback and open-media records nested in a contact detail. The first byte picks the
// class, the rest is the payload. A payload either decodes or raises the framework's
// short-read exception (the contact-log list also its length error); one that decodes passes
// CheckDecoded. Afterwards no record is left registered with the memory accounting.
#include <cstdint>
#include <stdexcept>

#include "FuzzDecode.h"

namespace {

template <class Record> void Decode(const std::uint8_t *data, std::size_t size) {
  const std::size_t live = TMemory::LiveRegistrations();
  {
    Record record;
    TPack payload(const_cast<std::uint8_t *>(data), static_cast<unsigned long>(size));
    bool decoded = true;
    try {
      payload >> record;
    } catch (const TPackError &) {
      decoded = false;
    } catch (const std::length_error &) {
      decoded = false;
    }
    if (decoded)
      CheckDecoded(record);
  }
  Require(TMemory::LiveRegistrations() == live);
}

const Decoder kDecoders[] = {
    Decode<TContactDetail>,       Decode<TQueryContactLogDataEvent>,
    Decode<TEventDataContactLog>, Decode<TEventDataUpdateContactLog>,
    Decode<TErrorRecord>,         Decode<TCallbackAttemptLog>,
    Decode<TCallbackScheduleLog>, Decode<TOpenMediaContent>,
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  return Dispatch(kDecoders, data, size);
}
