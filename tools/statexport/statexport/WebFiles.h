// The wallboard page's files (tools/statexport/web), compiled into the daemon by
// EmbedWebFiles.cmake. Constant data: safe from any thread, nothing to free.
#ifndef STATCLIENT_TOOLS_STATEXPORT_WEBFILES_H_
#define STATCLIENT_TOOLS_STATEXPORT_WEBFILES_H_

#include <cstddef>
#include <string_view>

namespace statexport {

struct WebFile {
  std::string_view name;  // the file name, "app.js"
  std::string_view bytes; // its whole content
};

extern const WebFile kWebFiles[];
extern const std::size_t kWebFileCount;

} // namespace statexport

#endif // STATCLIENT_TOOLS_STATEXPORT_WEBFILES_H_
