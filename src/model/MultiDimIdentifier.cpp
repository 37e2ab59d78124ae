#include "model/MultiDimIdentifier.h"

#include <stdexcept>
#include <utility>

#include "model/ColumnFactory.h"
#include "model/IDataTable.h"

namespace Tavik {

MultiDimIdentifier::MultiDimIdentifier(
    std::wstring name, std::wstring scope, std::shared_ptr<ITavik> api,
    int handle, std::vector<std::shared_ptr<SetIdentifier>> domain,
    StorageType storageType, std::shared_ptr<SetIdentifier> rangeSet)
    : BaseIdentifier(std::move(name), std::move(scope), std::move(api), handle),
      domain(std::move(domain)),
      storageType(storageType),
      rangeSet(std::move(rangeSet)) {
  setupColumns();
}

MultiDimIdentifier::~MultiDimIdentifier() {
  valueColumn.reset();
  for (auto& column : columns) column.reset();
  columns.clear();
  rangeSet.reset();
  domain.clear();
}

void MultiDimIdentifier::setupColumns() {
  for (const auto& set : domain) {
    switch (set->elementType) {
      case SetIdentifier::String:
        columns.push_back(ColumnFactory::getSetStringColumn(set->name, set));
        break;
      case SetIdentifier::Integer:
        columns.push_back(ColumnFactory::getSetIntegerColumn(set->name, set));
        break;
      default: throw std::runtime_error("unknown set type");
    }
  }
  switch (storageType) {
    case String: valueColumn = ColumnFactory::getStringColumn(name); break;
    case Integer: valueColumn = ColumnFactory::getIntegerColumn(name); break;
    case Double: valueColumn = ColumnFactory::getDoubleColumn(name); break;
    case Element:
      if (rangeSet && rangeSet->elementType == SetIdentifier::String)
        valueColumn =
            ColumnFactory::getSetStringColumn(rangeSet->name, rangeSet);
      else if (rangeSet && rangeSet->elementType == SetIdentifier::Integer)
        valueColumn =
            ColumnFactory::getSetIntegerColumn(rangeSet->name, rangeSet);
      else
        throw std::runtime_error("unknown range set type");
      break;
    default: throw std::runtime_error("unknown storage type");
  }
}

void MultiDimIdentifier::setupTableColumns(IDataTable* table) {
  std::vector<std::wstring> names;
  std::vector<ValueType> types;
  for (const auto& column : columns) {
    names.push_back(column->getName());
    types.push_back(column->getType());
  }
  names.push_back(valueColumn->getName());
  types.push_back(valueColumn->getType());
  table->setupColumns(names, types);
}

}  // namespace Tavik
