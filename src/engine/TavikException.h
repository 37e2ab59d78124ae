// Engine failures and faults in the caller's data.
#ifndef TAVIK4R_ENGINE_TAVIKEXCEPTION_H
#define TAVIK4R_ENGINE_TAVIKEXCEPTION_H

#include <memory>
#include <stdexcept>
#include <string>

#include "engine/ITavik.h"

namespace Tavik {

class TavikException : public std::runtime_error {
 public:
  // Message from the engine's last error; context names the failing
  // operation when the engine has nothing to say.
  TavikException(std::string context, std::shared_ptr<ITavik> api);
  // A ready message; the engine is not asked.
  explicit TavikException(const std::string& message);

  static std::string generateTavikException(std::string& context,
                                            std::shared_ptr<ITavik> api);
};

}  // namespace Tavik

#endif
