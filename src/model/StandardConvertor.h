// Moves plain values (double, int, text) between value records and cells
// without copying them.
#ifndef TAVIK4R_MODEL_STANDARDCONVERTOR_H
#define TAVIK4R_MODEL_STANDARDCONVERTOR_H

#include <stdexcept>
#include <string>
#include <vector>

#include "model/IValueConvertor.h"

namespace Tavik {

template <typename T>
class StandardConvertor : public IValueConvertor {
 public:
  // Dimensions always run over sets, so plain values are never indices.
  void assignIndex(int element, Value& cell) override {
    throw std::runtime_error("1should not reach");
  }
  void assignValue(const tagTavikValueW& record, Value& cell) override;
  void assignTavikIndex(const Value& cell, std::vector<int>& tuple) override {
    throw std::runtime_error("3should not reach");
  }
  void assignTavikValue(const Value& cell, tagTavikValueW& record) override;
};

// Inline, so a read loop that knows its convertor skips the virtual call.
template <>
inline void StandardConvertor<double>::assignValue(const tagTavikValueW& record,
                                                   Value& cell) {
  cell.dbl = &record.Double;
}
template <>
void StandardConvertor<int>::assignValue(const tagTavikValueW& record,
                                         Value& cell);
template <>
void StandardConvertor<std::wstring>::assignValue(const tagTavikValueW& record,
                                                  Value& cell);
template <>
void StandardConvertor<double>::assignTavikValue(const Value& cell,
                                                 tagTavikValueW& record);
template <>
void StandardConvertor<int>::assignTavikValue(const Value& cell,
                                              tagTavikValueW& record);
template <>
void StandardConvertor<std::wstring>::assignTavikValue(const Value& cell,
                                                       tagTavikValueW& record);

}  // namespace Tavik

#endif
