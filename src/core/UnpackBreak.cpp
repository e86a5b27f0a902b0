#include "core/UnpackBreak.h"

#include <exception>
#include <string>
#include <vector>

#include "statclient/tstRecordWalk.h"

namespace {

struct BreakPath {
  std::exception_ptr exception;
  // Innermost first: a field name, or "[index]" for an element.
  std::vector<std::string> steps;
};

thread_local BreakPath lastBreak;

void Note(std::string step) {
  std::exception_ptr current = std::current_exception();
  if (current != lastBreak.exception) {
    lastBreak.exception = current;
    lastBreak.steps.clear();
  }
  lastBreak.steps.push_back(std::move(step));
}

} // namespace

namespace statcore {

void NoteUnpackBreakField(const char *name) {
  if (name && *name)
    Note(name);
}

void NoteUnpackBreakIndex(unsigned long index) { Note("[" + std::to_string(index) + "]"); }

} // namespace statcore

std::string LastUnpackBreak() {
  std::string path;
  for (auto step = lastBreak.steps.rbegin(); step != lastBreak.steps.rend(); ++step) {
    if (!path.empty() && (*step)[0] != '[')
      path += '.';
    path += *step;
  }
  return path;
}
