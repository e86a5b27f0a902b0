// What the fuzz targets and the corpus writer share: an object's packed bytes, and a check
// whose failure aborts, which libFuzzer reports as a finding.
#ifndef STATCLIENT_FUZZ_FUZZDECODE_H_
#define STATCLIENT_FUZZ_FUZZDECODE_H_

#include <cstdlib>
#include <vector>

#include <statclient/statclient.h>

#include "framework/TPack.h"

template <class Decoded> std::vector<unsigned char> Repack(const Decoded &decoded) {
  TPack pack(1);
  pack << decoded;
  const auto *start = static_cast<const unsigned char *>(static_cast<void *>(pack));
  return std::vector<unsigned char>(start, start + pack.Length());
}

inline void Require(bool holds) {
  if (!holds)
    std::abort();
}

#endif // STATCLIENT_FUZZ_FUZZDECODE_H_
