// What the decoder fuzz targets share: packing a decoded object again, and handing each input
// to one of a list of decoders picked by its first byte.
#ifndef STATCLIENT_FUZZ_FUZZDECODE_H_
#define STATCLIENT_FUZZ_FUZZDECODE_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "framework/TPack.h"

template <class Decoded> std::vector<unsigned char> Repack(const Decoded &decoded) {
  TPack pack(1);
  pack << decoded;
  const auto *start = static_cast<const unsigned char *>(static_cast<void *>(pack));
  return std::vector<unsigned char>(start, start + pack.Length());
}

// Decodes `first`, the packed form of an object, into a fresh object: true when that reads every
// byte and packs to as many bytes again.
template <class Decoded> bool RepacksConsistently(const std::vector<unsigned char> &first) {
  Decoded again;
  TPack reread(const_cast<unsigned char *>(first.data()), static_cast<unsigned long>(first.size()));
  reread >> again;
  return reread.Length() == 0 && Repack(again).size() == first.size();
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
