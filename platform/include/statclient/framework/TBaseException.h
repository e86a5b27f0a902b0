// TBaseException: the framework's exception type.
//
// Carries a severity, an error id, the source file and line that raised it and two further
// values whose meaning belongs to the error id. Constructing one does not throw it: the
// framework also builds exceptions only to report them (see TMemory), so the constructor is
// cheap and never fails beyond std::string's own allocation.
#ifndef STATCLIENT_PLATFORM_FRAMEWORK_TBASEEXCEPTION_H_
#define STATCLIENT_PLATFORM_FRAMEWORK_TBASEEXCEPTION_H_

#include <exception>
#include <string>

class TBaseException : public std::exception {
public:
  TBaseException(int severity, long errorId, const char *file, unsigned short line, long value1 = 0,
                 long value2 = 0);

  const char *what() const noexcept override { return text_.c_str(); }

  int GetSeverity() const { return severity_; }
  long GetErrorId() const { return errorId_; }
  const std::string &GetFile() const { return file_; }
  unsigned short GetLine() const { return line_; }
  long GetValue1() const { return value1_; }
  long GetValue2() const { return value2_; }

protected:
  // Lets derived types give a more telling message than the default one.
  void SetText(std::string text) { text_ = std::move(text); }

private:
  int severity_;
  long errorId_;
  std::string file_;
  unsigned short line_;
  long value1_;
  long value2_;
  std::string text_;
};

#endif // STATCLIENT_PLATFORM_FRAMEWORK_TBASEEXCEPTION_H_
