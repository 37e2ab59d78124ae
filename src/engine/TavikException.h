// Engine failures and faults in the caller's data.
#ifndef TAVIK4R_ENGINE_TAVIKEXCEPTION_H
#define TAVIK4R_ENGINE_TAVIKEXCEPTION_H

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "engine/ITavik.h"
#include "engine/TavikFault.h"

namespace Tavik {

class TavikException : public std::runtime_error {
 public:
  // Message from the engine's last error; context names the failing
  // operation when the engine has nothing to say.
  TavikException(std::string context, std::shared_ptr<ITavik> api);
  // A ready message; the engine is not asked.
  explicit TavikException(const std::string& message);

  // A ready message with what is known about the fault.
  TavikException(const std::string& message, const TavikFault& fault);

  static std::string generateTavikException(std::string& context,
                                            std::shared_ptr<ITavik> api);

  const TavikFault& fault() const { return *details; }
  // The same exception with the fault's row and column filled in, or with
  // another kind.
  TavikException at(long row, int column) const;
  TavikException as(TavikFault::Kind kind) const;

 private:
  typedef std::shared_ptr<const TavikFault> Details;
  TavikException(const std::string& message, Details details);
  static TavikException fromEngine(std::string& context,
                                   const std::shared_ptr<ITavik>& api);

  // Shared, so that copying the exception while it is thrown can't fail.
  Details details;
};

}  // namespace Tavik

#endif
