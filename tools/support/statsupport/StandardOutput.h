// Whether what a tool wrote to standard output got there. A write that fails (a full disk,
// /dev/full, a quota) sets the stream's error state, often only when its buffer is flushed, and
// every later write is then dropped without a word; a tool that checks after each batch of
// lines can stop and say so instead of reporting success.
#ifndef STATCLIENT_SUPPORT_STANDARDOUTPUT_H_
#define STATCLIENT_SUPPORT_STANDARDOUTPUT_H_

#include <string_view>

namespace statsupport {

// Flushes std::cout; true when it and every write before it succeeded. Otherwise writes
// "TOOL: cannot write standard output: REASON" to std::cerr, REASON being the system's text for
// the error of the failed write, and returns false (std::cout stays failed). Call it from the
// thread that writes std::cout.
bool FlushStandardOutput(std::string_view tool);

} // namespace statsupport

#endif // STATCLIENT_SUPPORT_STANDARDOUTPUT_H_
