// Feeds arbitrary bytes to the decoder of every top-level record that arrives from the server,
// and of the callback and open-media records nested in a contact detail; the first byte picks
// the class, the rest is the payload. A payload either decodes or raises the framework's
// short-read exception (the contact-log list also its length error). One that decodes packs to
// bytes that decode in full to a record packing to the same bytes, which Size() counts where the
// class has one; a copy packs and walks the same, and renders where the class has a text. No
// record is left registered afterwards.
#include <cstdint>
#include <iterator>
#include <stdexcept>
#include <string>
#include <type_traits>

#include "FuzzDecode.h"
#include "statsupport/JsonSink.h"

namespace {

template <class T, class = void> struct HasSize : std::false_type {};
template <class T> struct HasSize<T, std::void_t<decltype(&T::Size)>> : std::true_type {};
template <class T, class = void> struct HasText : std::false_type {};
template <class T> struct HasText<T, std::void_t<decltype(&T::ToString)>> : std::true_type {};

// A record's fields as JSON text: a NaN field prints alike though it equals no NaN, and a string
// that is not UTF-8 prints with replacement characters.
template <class Record> std::string WalkText(const Record &record) {
  return statsupport::ToJson(record).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// A failure after the payload decoded is a finding, not a payload rejected.
template <class Record> void Decode(const std::uint8_t *data, std::size_t size) {
  const std::size_t live = TMemory::LiveRegistrations();
  bool decoded = false;
  try {
    Record record;
    TPack payload(const_cast<std::uint8_t *>(data), static_cast<unsigned long>(size));
    payload >> record;
    decoded = true;
    const std::vector<unsigned char> first = Repack(record);
    if constexpr (HasSize<Record>::value)
      Require(record.Size() == first.size());
    Record again;
    TPack reread(const_cast<unsigned char *>(first.data()),
                 static_cast<unsigned long>(first.size()));
    reread >> again;
    const Record copy(record);
    Require(reread.Length() == 0 && Repack(again) == first && Repack(copy) == first &&
            WalkText(copy) == WalkText(record));
    if constexpr (HasText<Record>::value)
      (void)copy.ToString();
  } catch (const TPackError &) {
    Require(!decoded);
  } catch (const std::length_error &) {
    Require(!decoded);
  }
  Require(TMemory::LiveRegistrations() == live);
}

using Decoder = void (*)(const std::uint8_t *, std::size_t);
const Decoder kDecoders[] = {
    Decode<TContactDetail>,       Decode<TQueryContactLogDataEvent>,
    Decode<TEventDataContactLog>, Decode<TEventDataUpdateContactLog>,
    Decode<TErrorRecord>,         Decode<TCallbackAttemptLog>,
    Decode<TCallbackScheduleLog>, Decode<TOpenMediaContent>,
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size > 0)
    kDecoders[data[0] % std::size(kDecoders)](data + 1, size - 1);
  return 0;
}
