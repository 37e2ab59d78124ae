#include "simengine/LastError.h"

namespace Sim {

void LastError::set(int code, const std::wstring& text) {
  present_ = true;
  code_ = code;
  text_ = text;
}

void LastError::clear() {
  present_ = false;
  code_ = 0;
  text_.clear();
}

}  // namespace Sim
