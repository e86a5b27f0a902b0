#include "support/DiagCapture.h"

DiagCapture::DiagCapture() {
  previous_ = TDiag::SetSink([this](TDiag::enDiagType category, unsigned short line,
                                    const char *file, const std::string &text) {
    std::lock_guard<std::mutex> lock(mutex_);
    lines_.push_back({category, line, file ? file : "", text});
  });
}

DiagCapture::~DiagCapture() { TDiag::SetSink(previous_); }

std::vector<DiagLine> DiagCapture::Lines() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lines_;
}

std::vector<std::string> DiagCapture::Texts() const {
  std::vector<std::string> texts;
  for (const DiagLine &line : Lines())
    texts.push_back(line.text);
  return texts;
}

void DiagCapture::Reset() {
  std::lock_guard<std::mutex> lock(mutex_);
  lines_.clear();
}
