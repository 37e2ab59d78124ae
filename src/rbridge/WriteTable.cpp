#include "rbridge/WriteTable.h"

#include <climits>

#include "engine/TavikException.h"
#include "rbridge/RConversions.h"

namespace R {

void WriteTable::getRow(int row, std::vector<Tavik::Value>& values) {
  for (std::size_t i = 0; i < columns.size(); ++i)
    columns[i]->getValue(frame, row, values[i]);
}

int WriteTable::columnSize() const {
  if (columns.empty()) return -1;
  const R_xlen_t rows = rowsOf(columnAt(frame, 0));
  if (rows > INT_MAX)
    throw Tavik::TavikException("The data frame has more rows than can be "
                                "written at once");
  return static_cast<int>(rows);
}

int WriteTable::size() { return static_cast<int>(Rf_xlength(frame)); }

}  // namespace R
