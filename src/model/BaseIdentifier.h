// Common base of every object that holds an engine identifier handle.
#ifndef TAVIK4R_MODEL_BASEIDENTIFIER_H
#define TAVIK4R_MODEL_BASEIDENTIFIER_H

#include <memory>
#include <string>

#include "engine/ITavik.h"

namespace Tavik {

class BaseIdentifier {
 public:
  BaseIdentifier(std::wstring name, std::wstring scope,
                 std::shared_ptr<ITavik> api, int handle);
  virtual ~BaseIdentifier();
  BaseIdentifier(const BaseIdentifier&) = delete;
  BaseIdentifier& operator=(const BaseIdentifier&) = delete;

  // While a project is open the handle is given back on destruction;
  // once it is closed the engine has already dropped it.
  virtual void setProjectIsClosed(bool closed);

  std::wstring name;
  std::wstring scope;
  std::shared_ptr<ITavik> api;
  int handle;
  bool projectIsClosed;
};

}  // namespace Tavik

#endif
