#include "model/EngineColumn.h"

namespace Tavik {

template <>
void Column<std::wstring>::push(const tagTavikValueW& record) {
  values.push_back(record.String ? std::wstring(record.String)
                                 : std::wstring());
}

template <>
void Column<int>::push(const tagTavikValueW& record) {
  values.push_back(record.Int);
}

template <>
void Column<double>::push(const tagTavikValueW& record) {
  values.push_back(record.Double);
}

template <>
void Column<std::wstring>::push(std::wstring& text) {
  values.push_back(text);
}

template <>
void Column<int>::push(std::wstring& text) {
  values.push_back(std::stoi(text));
}

// Parsed in single precision, then widened.
template <>
void Column<double>::push(std::wstring& text) {
  values.push_back(static_cast<double>(std::stof(text)));
}

}  // namespace Tavik
