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
  DiagCapture();
  ~DiagCapture();
  DiagCapture(const DiagCapture &) = delete;
  DiagCapture &operator=(const DiagCapture &) = delete;

  std::vector<DiagLine> Lines() const;
  // The texts alone, in order.
  std::vector<std::string> Texts() const;
  void Reset();

private:
  mutable std::mutex mutex_;
  std::vector<DiagLine> lines_;
  TDiag::Sink previous_;
};

#endif // STATCLIENT_TESTS_SUPPORT_DIAGCAPTURE_H_
