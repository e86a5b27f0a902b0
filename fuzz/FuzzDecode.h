// What the decoder fuzz targets share: packing a decoded object again, checking that the bytes
// decode to an equal object, and handing each input to one of a list of decoders picked by its
// first byte. Every check that fails aborts, which libFuzzer reports as a finding.
#ifndef STATCLIENT_FUZZ_FUZZDECODE_H_
#define STATCLIENT_FUZZ_FUZZDECODE_H_

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <type_traits>
#include <vector>

#include <statclient/statclient.h>

#include "framework/TPack.h"
#include "statsupport/JsonSink.h"

template <class Decoded> std::vector<unsigned char> Repack(const Decoded &decoded) {
  TPack pack(1);
  pack << decoded;
  const auto *start = static_cast<const unsigned char *>(static_cast<void *>(pack));
  return std::vector<unsigned char>(start, start + pack.Length());
}

template <class T, class = void> struct HasSize : std::false_type {};
template <class T>
struct HasSize<T, std::void_t<decltype(std::declval<const T &>().Size())>> : std::true_type {};
template <class T, class = void> struct HasText : std::false_type {};
template <class T>
struct HasText<T, std::void_t<decltype(std::declval<const T &>().ToString())>> : std::true_type {};

inline void Require(bool holds) {
  if (!holds)
    std::abort();
}

// A record's fields as JSON text, for comparing two walks: a NaN field is no NaN's equal as a
// value but prints alike, and a string that is not UTF-8 prints with replacement characters.
template <class Record> std::string WalkText(const Record &record) {
  return statsupport::ToJson(record).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Checks an object decoded from a payload against itself: its packed form decodes in full to
// an object that packs to the same bytes; Size(), where the class has one, counts those bytes;
// a copy packs the same and walks to the same fields; the
// copy renders as text (where the class has one).
template <class Decoded> void CheckDecoded(const Decoded &decoded) {
  const std::vector<unsigned char> first = Repack(decoded);
  if constexpr (HasSize<Decoded>::value)
    Require(decoded.Size() == first.size());
  Decoded again;
  TPack reread(const_cast<unsigned char *>(first.data()), static_cast<unsigned long>(first.size()));
  reread >> again;
  Require(reread.Length() == 0);
  Require(Repack(again) == first);
  const Decoded copy(decoded);
  Require(Repack(copy) == first);
  Require(WalkText(copy) == WalkText(decoded));
  if constexpr (HasText<Decoded>::value)
    (void)copy.ToString();
}

using Decoder = void (*)(const std::uint8_t *, std::size_t);

// The first byte picks the decoder, the rest is its payload.
template <std::size_t N>
int Dispatch(const Decoder (&decoders)[N], const std::uint8_t *data, std::size_t size) {
  if (size > 0)
    decoders[data[0] % N](data + 1, size - 1);
  return 0;
}

#endif // STATCLIENT_FUZZ_FUZZDECODE_H_
