// TPack::DumpContentsToFile: the raw contents of a pack as text, for inspection.
//
// Appends the four counters and then the written bytes (from the buffer's start up to NEXT,
// whatever has been read) in lines of 20, with a bar after the tenth byte of each line.
#include <cstdio>

#include "framework/TPack.h"

namespace {

constexpr unsigned long kBytesPerLine = 20;
constexpr unsigned long kBarAfter = 9;

} // namespace

void TPack::DumpContentsToFile(const char *path) {
  std::FILE *out = path ? std::fopen(path, "a") : nullptr;
  if (!out)
    return;
  std::fprintf(out, "Dumping contents of TPack object.\n");
  std::fprintf(out, "START = %lu, NEXT = %lu, NEEDED = %lu, BUFFER SIZE = %lu\n", StartOffset(),
               NextOffset(), BytesNeeded(), BufferSize());
  if (!Buffer() || BufferSize() == 0) {
    std::fprintf(out, "Package is empty!\n");
    std::fclose(out);
    return;
  }
  std::fprintf(out, "\n");
  const unsigned long next = NextOffset();
  for (unsigned long offset = 0; offset < next; offset += kBytesPerLine) {
    std::fprintf(out, "%8lu :  ", offset);
    for (unsigned long i = 0; i < kBytesPerLine && offset + i < next; ++i) {
      std::fprintf(out, " %02x", Buffer()[offset + i]);
      if (i == kBarAfter)
        std::fprintf(out, " |");
    }
    std::fprintf(out, "\n");
  }
  std::fprintf(out, "\n\n");
  std::fclose(out);
}
