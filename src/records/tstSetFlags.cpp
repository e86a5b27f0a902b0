#include "records/tstSetFlags.h"

namespace tstflags {

std::string TrimBlanks(const std::string &value) {
  static const char kBlanks[] = " \t\n\r\f\v";
  const std::string::size_type first = value.find_first_not_of(kBlanks);
  if (first == std::string::npos)
    return value;
  const std::string::size_type last = value.find_last_not_of(kBlanks);
  return value.substr(first, last - first + 1);
}

} // namespace tstflags
