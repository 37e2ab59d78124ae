#include "model/DataTable.h"

#include <stdexcept>

#include "engine/TextConversion.h"
#include "rbridge/CharacterColumn.h"
#include "rbridge/NumericColumn.h"
#include "rbridge/RGuard.h"

namespace R {

namespace {

// Column names go to R as UTF-8, whatever the locale can hold.
std::string utf8Name(const std::wstring& name) {
  std::string utf8;
  if (!wideToUtf8(name.data(), name.size(), utf8))
    throw std::runtime_error(
        "A column name from the engine is not valid "
        "Unicode");
  return utf8;
}

}  // namespace

void DataTable::setupColumns(const std::vector<std::wstring>& names,
                             const std::vector<Tavik::ValueType>& types) {
  columns.resize(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    const int code = static_cast<int>(types[i]);
    const int index = static_cast<int>(i);
    const std::string name = utf8Name(names[i]);
    if (code == 1) {
      columns[i] = std::make_shared<Column<Rcpp::NumericVector>>(name, index);
    } else if (code == 2) {
      columns[i] = std::make_shared<Column<Rcpp::IntegerVector>>(name, index);
    } else if (code != 0) {
      throw std::runtime_error("setupColumns: unexpected type");
    } else {
      columns[i] = std::make_shared<Column<Rcpp::CharacterVector>>(name, index);
    }
  }
}

void DataTable::checkInterrupt() { R::checkUserInterrupt(); }

}  // namespace R
