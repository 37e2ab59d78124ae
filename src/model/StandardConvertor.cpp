#include "model/StandardConvertor.h"

#include <cwchar>

namespace Tavik {

template <>
void StandardConvertor<int>::assignValue(const tagTavikValueW& record,
                                         Value& cell) {
  cell.integer = &record.Int;
}

template <>
void StandardConvertor<std::wstring>::assignValue(const tagTavikValueW& record,
                                                  Value& cell) {
  cell.str = record.String;
}

template <>
void StandardConvertor<double>::assignTavikValue(const Value& cell,
                                                 tagTavikValueW& record) {
  record.Double = *cell.dbl;
}

template <>
void StandardConvertor<int>::assignTavikValue(const Value& cell,
                                              tagTavikValueW& record) {
  record.Int = *cell.integer;
}

template <>
void StandardConvertor<std::wstring>::assignTavikValue(const Value& cell,
                                                       tagTavikValueW& record) {
  record.Length = static_cast<int>(std::wcslen(cell.str));
  record.String = const_cast<wchar_t*>(cell.str);
}

}  // namespace Tavik
