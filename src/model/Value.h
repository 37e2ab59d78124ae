// One cell of a row. Owns nothing: only the pointer matching the column's
// ValueType is meaningful, and it is read at once by the consumer.
#ifndef TAVIK4R_MODEL_VALUE_H
#define TAVIK4R_MODEL_VALUE_H

#include <climits>

namespace Tavik {

struct Value {
  const wchar_t* str = nullptr;
  const double* dbl = nullptr;
  const int* integer = nullptr;
};

// A cell with no value: a null text, or this integer (R's own NA integer),
// as for an element-valued identifier without an element.
const int kMissingInteger = INT_MIN;

}  // namespace Tavik

#endif
