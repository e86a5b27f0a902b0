#include "statsupport/StandardOutput.h"

#include <cerrno>
#include <cstring>
#include <iostream>

namespace statsupport {

bool FlushStandardOutput(std::string_view tool) {
  std::cout.flush();
  if (std::cout)
    return true;
  // Still the failed write's error, unless a later call on this thread failed too.
  const int error = errno;
  std::cerr << tool << ": cannot write standard output: "
            << (error != 0 ? std::strerror(error) : "the write failed") << "\n";
  return false;
}

} // namespace statsupport
