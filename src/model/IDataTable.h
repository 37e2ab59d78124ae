// A table whose columns an identifier declares.
#ifndef TAVIK4R_MODEL_IDATATABLE_H
#define TAVIK4R_MODEL_IDATATABLE_H

#include <string>
#include <vector>

#include "model/ValueType.h"

namespace Tavik {

class IDataTable {
 public:
  virtual void setupColumns(const std::vector<std::wstring>& names,
                            const std::vector<ValueType>& types) = 0;
  // Called every so many rows of a long transfer, so the user can stop it.
  virtual void checkInterrupt() {}

 protected:
  // Tables are never deleted through this interface.
  ~IDataTable() = default;
};

}  // namespace Tavik

#endif
