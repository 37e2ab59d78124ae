#include "model/ColumnFactory.h"

#include "model/EngineColumn.h"
#include "model/SetConvertor.h"
#include "model/StandardConvertor.h"

namespace Tavik {

std::unique_ptr<ColumnBase> ColumnFactory::getStringColumn(
    const std::wstring& name) {
  return std::unique_ptr<ColumnBase>(new Column<std::wstring>(
      name, ValueType::String,
      std::make_shared<StandardConvertor<std::wstring>>()));
}

std::unique_ptr<ColumnBase> ColumnFactory::getDoubleColumn(
    const std::wstring& name) {
  return std::unique_ptr<ColumnBase>(new Column<double>(
      name, ValueType::Double, std::make_shared<StandardConvertor<double>>()));
}

std::unique_ptr<ColumnBase> ColumnFactory::getIntegerColumn(
    const std::wstring& name) {
  return std::unique_ptr<ColumnBase>(new Column<int>(
      name, ValueType::Integer, std::make_shared<StandardConvertor<int>>()));
}

std::unique_ptr<ColumnBase> ColumnFactory::getSetStringColumn(
    const std::wstring& name, std::shared_ptr<SetIdentifier> set) {
  return std::unique_ptr<ColumnBase>(new Column<std::wstring>(
      name, ValueType::String,
      std::make_shared<SetConvertor<std::wstring>>(std::move(set))));
}

std::unique_ptr<ColumnBase> ColumnFactory::getSetIntegerColumn(
    const std::wstring& name, std::shared_ptr<SetIdentifier> set) {
  return std::unique_ptr<ColumnBase>(
      new Column<int>(name, ValueType::Integer,
                      std::make_shared<SetConvertor<int>>(std::move(set))));
}

}  // namespace Tavik
