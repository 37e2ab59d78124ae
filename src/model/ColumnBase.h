// An engine-side column of an identifier's table: name, cell kind and the
// convertor of its cells.
#ifndef TAVIK4R_MODEL_COLUMNBASE_H
#define TAVIK4R_MODEL_COLUMNBASE_H

#include <memory>
#include <string>

#include "engine/TavikContract.h"
#include "model/IValueConvertor.h"
#include "model/ValueType.h"

namespace Tavik {

class ColumnBase {
 public:
  virtual bool isColumn() = 0;
  virtual ~ColumnBase() {}
  virtual std::wstring getName() const = 0;
  virtual ValueType getType() const = 0;
  virtual std::shared_ptr<IValueConvertor> getConvertor() const = 0;
  virtual void push(const tagTavikValueW& record) = 0;
  virtual void push(std::wstring& text) = 0;
};

}  // namespace Tavik

#endif
