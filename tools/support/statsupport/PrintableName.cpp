#include "statsupport/PrintableName.h"

#include <algorithm>
#include <cstdio>

#include <nlohmann/json.hpp>

namespace statsupport {
namespace {

bool IsPrintableAscii(unsigned char c) { return c >= 0x20 && c < 0x7F; }

// Whether `name` is UTF-8 text, as the JSON library judges it when it writes a string.
bool IsUtf8(std::string_view name) {
  try {
    nlohmann::json(std::string(name)).dump();
    return true;
  } catch (const nlohmann::json::type_error &) {
    return false;
  }
}

} // namespace

std::string PrintableName(std::string_view name) {
  const bool control =
      std::any_of(name.begin(), name.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; });
  if (!control && IsUtf8(name))
    return std::string(name);
  std::string shown;
  for (const unsigned char c : name) {
    if (IsPrintableAscii(c)) {
      shown += static_cast<char>(c);
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
      shown += escaped;
    }
  }
  return shown;
}

} // namespace statsupport
