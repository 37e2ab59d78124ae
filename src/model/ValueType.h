// The kind of a table column's cells.
#ifndef TAVIK4R_MODEL_VALUETYPE_H
#define TAVIK4R_MODEL_VALUETYPE_H

namespace Tavik {

enum class ValueType : int { String = 0, Double = 1, Integer = 2 };

}  // namespace Tavik

#endif
