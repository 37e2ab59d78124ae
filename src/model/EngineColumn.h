// An engine-side column: its name, cell kind and convertor, plus a buffer
// of parsed values that no transfer needs.
#ifndef TAVIK4R_MODEL_ENGINECOLUMN_H
#define TAVIK4R_MODEL_ENGINECOLUMN_H

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/ColumnBase.h"

namespace Tavik {

template <typename T>
class Column : public ColumnBase {
 public:
  Column(std::wstring name, ValueType type,
         std::shared_ptr<IValueConvertor> convertor)
      : name(std::move(name)), type(type), convertor(std::move(convertor)) {}

  bool isColumn() override { return true; }
  std::wstring getName() const override { return name; }
  ValueType getType() const override { return type; }
  std::shared_ptr<IValueConvertor> getConvertor() const override {
    return convertor;
  }
  void push(const tagTavikValueW& record) override;
  void push(std::wstring& text) override;

  std::vector<T> values;
  std::wstring name;
  ValueType type;
  std::shared_ptr<IValueConvertor> convertor;
};

template <>
void Column<std::wstring>::push(const tagTavikValueW& record);
template <>
void Column<int>::push(const tagTavikValueW& record);
template <>
void Column<double>::push(const tagTavikValueW& record);
template <>
void Column<std::wstring>::push(std::wstring& text);
template <>
void Column<int>::push(std::wstring& text);
template <>
void Column<double>::push(std::wstring& text);

}  // namespace Tavik

#endif
