// Feeds arbitrary bytes to the decoders of the contact records and of the contact-log list that
// arrive in replies. The first byte picks the class, the rest is the payload. A payload either
// decodes or raises the framework's short-read exception (the contact-log list also its
// length error); one that decodes packs to bytes that decode in full and pack to as many bytes
// again.
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include <statclient/statclient.h>

#include "FuzzDecode.h"

namespace {

template <class Record> void Decode(const std::uint8_t *data, std::size_t size) {
  Record record;
  TPack payload(const_cast<std::uint8_t *>(data), static_cast<unsigned long>(size));
  try {
    payload >> record;
  } catch (const TPackError &) {
    return;
  } catch (const std::length_error &) {
    return;
  }
  const std::vector<unsigned char> first = Repack(record);
  if constexpr (!std::is_same_v<Record, TQueryContactLogDataEvent>) {
    if (record.Size() != first.size())
      std::abort();
  }
  if (!RepacksConsistently<Record>(first))
    std::abort();
}

const Decoder kDecoders[] = {
    Decode<TContactDetail>,       Decode<TQueryContactLogDataEvent>,
    Decode<TEventDataContactLog>, Decode<TEventDataUpdateContactLog>,
    Decode<TErrorRecord>,         Decode<TCallbackAttemptLog>,
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  return Dispatch(kDecoders, data, size);
}
