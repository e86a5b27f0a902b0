// Diag: the framework's diagnostic log.
//
// Every line goes to one process-wide sink with its category, source line, source file name and
// the formatted text. The default sink writes SEVR lines to standard error, with the local time,
// the category, the file and the line, and drops the others. Tests and applications install a
// sink of their own with TDiag::SetSink; the sink may be called from any thread, serialised.
#ifndef STATCLIENT_PLATFORM_FRAMEWORK_TDIAG_H_
#define STATCLIENT_PLATFORM_FRAMEWORK_TDIAG_H_

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/TCompiler.h"

class TDiag {
public:
  enum enDiagType : int { INFO = 0, WARN = 1, SEVR = 2, FENX = 3 };

  using Sink = std::function<void(TDiag::enDiagType category, unsigned short line, const char *file,
                                  const std::string &text)>;

  // Installs `sink` and returns the previous one; an empty sink restores the default.
  static Sink SetSink(Sink sink);

  // "INFO", "WARN", "SEVR", "FENX", or "DIAG<n>" for any other value.
  static std::string CategoryName(enDiagType category);
};

// Formats `format` with the arguments as printf does and hands the line to the sink.
void Diag(const TDiag::enDiagType &category, unsigned short line, const char *file,
          const char *format, ...) STATCLIENT_PRINTF_FORMAT(4, 5);

// Announces a component's version to the diagnostic log when constructed, and remembers it.
class TVersionDiagHelper {
public:
  TVersionDiagHelper(const char *label, const char *version);

  const std::string &GetLabel() const { return label_; }
  const std::string &GetVersion() const { return version_; }

  // Every (label, version) announced in this process, in order.
  static std::vector<std::pair<std::string, std::string>> Announced();

private:
  std::string label_;
  std::string version_;
};

#endif // STATCLIENT_PLATFORM_FRAMEWORK_TDIAG_H_
