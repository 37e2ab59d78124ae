#include "rbridge/DataTable.h"

#include <stdexcept>

#include "engine/TextConversion.h"
#include "rbridge/Column.h"

namespace R {

void DataTable::setupColumns(const std::vector<std::wstring>& names,
                             const std::vector<Tavik::ValueType>& types) {
  columns.resize(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    const int code = static_cast<int>(types[i]);
    const int index = static_cast<int>(i);
    if (code == 1) {
      columns[i] =
          std::make_shared<Column<Rcpp::NumericVector>>(w2a(names[i]), index);
    } else if (code == 2) {
      columns[i] =
          std::make_shared<Column<Rcpp::IntegerVector>>(w2a(names[i]), index);
    } else if (code != 0) {
      throw std::runtime_error("setupColumns: unexpected type");
    } else {
      columns[i] = std::make_shared<Column<Rcpp::CharacterVector>>(
          w2a(names[i]), index);
    }
  }
}

void DataTable::checkInterrupt() { Rcpp::checkUserInterrupt(); }

}  // namespace R
