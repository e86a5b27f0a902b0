// The bytes of packed values, for comparing wire forms in tests.
#ifndef STATCLIENT_TESTS_PACK_BYTES_H_
#define STATCLIENT_TESTS_PACK_BYTES_H_

#include <vector>

#include "framework/TPack.h"

using Bytes = std::vector<unsigned char>;

// The unread bytes of `pack`.
inline Bytes Contents(const TPack &pack) {
  const auto *start = static_cast<const unsigned char *>(pack.Contents());
  return Bytes(start, start + pack.Length());
}

// `value` packed on its own.
template <class T> Bytes Packed(const T &value) {
  TPack pack(1);
  pack << value;
  return Contents(pack);
}

// Unpacks `bytes` into `value`; returns how many bytes were left unread.
template <class T> unsigned long UnpackInto(Bytes bytes, T &value) {
  TPack pack(bytes.data(), static_cast<unsigned long>(bytes.size()));
  pack >> value;
  return pack.Length();
}

#endif // STATCLIENT_TESTS_PACK_BYTES_H_
