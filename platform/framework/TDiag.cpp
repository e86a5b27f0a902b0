#include "framework/TDiag.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>
#include <mutex>

namespace {

// Recursive, so that a sink may itself write diagnostics or replace the sink.
struct DiagState {
  std::recursive_mutex lock;
  TDiag::Sink sink;
  std::vector<std::pair<std::string, std::string>> announced;
};

DiagState &State() {
  static DiagState state;
  return state;
}

void DefaultSink(TDiag::enDiagType category, unsigned short line, const char *file,
                 const std::string &text) {
  if (category != TDiag::SEVR)
    return;
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y/%m/%d %H:%M:%S", &local);
  std::fprintf(stderr, "%s %s %s(%u): %s\n", stamp, TDiag::CategoryName(category).c_str(),
               file ? file : "?", unsigned{line}, text.c_str());
}

} // namespace

TDiag::Sink TDiag::SetSink(Sink sink) {
  std::lock_guard<std::recursive_mutex> lock(State().lock);
  Sink previous = std::move(State().sink);
  State().sink = std::move(sink);
  return previous;
}

std::string TDiag::CategoryName(enDiagType category) {
  switch (category) {
  case INFO:
    return "INFO";
  case WARN:
    return "WARN";
  case SEVR:
    return "SEVR";
  case FENX:
    return "FENX";
  }
  return "DIAG" + std::to_string(static_cast<int>(category));
}

void Diag(const TDiag::enDiagType &category, unsigned short line, const char *file,
          const char *format, ...) {
  char small[256];
  std::va_list args;
  va_start(args, format);
  std::va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  std::string text;
  if (length < 0) {
    text = format;
  } else if (static_cast<std::size_t>(length) < sizeof small) {
    text.assign(small, static_cast<std::size_t>(length));
  } else {
    text.resize(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(&text[0], text.size(), format, again);
    text.resize(static_cast<std::size_t>(length));
  }
  va_end(again);

  std::lock_guard<std::recursive_mutex> lock(State().lock);
  if (State().sink)
    State().sink(category, line, file, text);
  else
    DefaultSink(category, line, file, text);
}

TVersionDiagHelper::TVersionDiagHelper(const char *label, const char *version)
    : label_(label ? label : ""), version_(version ? version : "") {
  {
    std::lock_guard<std::recursive_mutex> lock(State().lock);
    State().announced.emplace_back(label_, version_);
  }
  Diag(TDiag::INFO, __LINE__, "framework/TDiag", "%s %s", label_.c_str(), version_.c_str());
}

std::vector<std::pair<std::string, std::string>> TVersionDiagHelper::Announced() {
  std::lock_guard<std::recursive_mutex> lock(State().lock);
  return State().announced;
}
