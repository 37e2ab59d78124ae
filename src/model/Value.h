// One cell of a row. Owns nothing: only the pointer matching the column's
// ValueType is meaningful, and it is read at once by the consumer.
#ifndef TAVIK4R_MODEL_VALUE_H
#define TAVIK4R_MODEL_VALUE_H

namespace Tavik {

struct Value {
  const wchar_t* str = nullptr;
  const double* dbl = nullptr;
  const int* integer = nullptr;
};

}  // namespace Tavik

#endif
