// Captures every diagnostic line written while it lives, and restores the previous sink after.
#ifndef STATCLIENT_TESTS_SUPPORT_DIAGCAPTURE_H_
#define STATCLIENT_TESTS_SUPPORT_DIAGCAPTURE_H_

#include <mutex>
#include <string>
#include <vector>

#include "framework/TDiag.h"

struct DiagLine {
  TDiag::enDiagType category;
  unsigned short line;
  std::string file;
  std::string text;
};

class DiagCapture {
public:
  DiagCapture()
      : previous_(TDiag::SetSink([this](TDiag::enDiagType category, unsigned short line,
                                        const char *file, const std::string &text) {
          std::lock_guard<std::mutex> lock(mutex_);
          lines_.push_back({category, line, file ? file : "", text});
        })) {}
  ~DiagCapture() { TDiag::SetSink(previous_); }
  DiagCapture(const DiagCapture &) = delete;
  DiagCapture &operator=(const DiagCapture &) = delete;

  std::vector<DiagLine> Lines() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
  }
  // The texts alone, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const DiagLine &line : Lines())
      texts.push_back(line.text);
    return texts;
  }

private:
  mutable std::mutex mutex_;
  std::vector<DiagLine> lines_;
  TDiag::Sink previous_;
};

#endif // STATCLIENT_TESTS_SUPPORT_DIAGCAPTURE_H_
