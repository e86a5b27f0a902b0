#include "framework/TBaseException.h"

TBaseException::TBaseException(int severity, long errorId, const char *file, unsigned short line,
                               long value1, long value2)
    : severity_(severity), errorId_(errorId), file_(file ? file : ""), line_(line), value1_(value1),
      value2_(value2) {
  text_ = "framework error " + std::to_string(errorId_) + " (severity " +
          std::to_string(severity_) + ") at " + file_ + ":" + std::to_string(line_);
}
