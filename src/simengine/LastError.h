// The engine's last error: set by every refusal, kept until the next one,
// and cleared when a project is opened.
#ifndef TAVIK_SIM_LASTERROR_H
#define TAVIK_SIM_LASTERROR_H

#include <string>

namespace Sim {

class LastError {
 public:
  void set(int code, const std::wstring& text);
  void clear();
  bool present() const { return present_; }
  int code() const { return code_; }
  const std::wstring& text() const { return text_; }

 private:
  bool present_ = false;
  int code_ = 0;
  std::wstring text_;
};

}  // namespace Sim

#endif
