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

namespace {

template <class Record> std::vector<unsigned char> Repack(const Record &record) {
  TPack pack(1);
  pack << record;
  const auto *start = static_cast<const unsigned char *>(static_cast<void *>(pack));
  return std::vector<unsigned char>(start, start + pack.Length());
}

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
  Record again;
  TPack reread(const_cast<unsigned char *>(first.data()), static_cast<unsigned long>(first.size()));
  reread >> again;
  if (reread.Length() != 0 || Repack(again).size() != first.size())
    std::abort();
}

using Decoder = void (*)(const std::uint8_t *, std::size_t);

const Decoder kDecoders[] = {
    Decode<TContactDetail>,       Decode<TQueryContactLogDataEvent>,
    Decode<TEventDataContactLog>, Decode<TEventDataUpdateContactLog>,
    Decode<TErrorRecord>,         Decode<TCallbackAttemptLog>,
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size == 0)
    return 0;
  const std::size_t count = sizeof kDecoders / sizeof kDecoders[0];
  kDecoders[data[0] % count](data + 1, size - 1);
  return 0;
}
