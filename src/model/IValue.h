// Holder of the single value of a scalar identifier.
#ifndef TAVIK4R_MODEL_IVALUE_H
#define TAVIK4R_MODEL_IVALUE_H

#include "model/Value.h"
#include "model/ValueType.h"

namespace Tavik {

class IValue {
 public:
  virtual ~IValue() {}
  virtual void setupValueType(const ValueType& type) = 0;
  virtual void addValue(Value& value) = 0;
  virtual void getValue(Value& value) = 0;
};

}  // namespace Tavik

#endif
