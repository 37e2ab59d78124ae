// The table that receives an identifier's rows.
#ifndef TAVIK4R_MODEL_IREADTABLE_H
#define TAVIK4R_MODEL_IREADTABLE_H

#include <cstddef>
#include <vector>

#include "model/Value.h"
#include "model/DataTable.h"

namespace Tavik {

class IReadTable : public R::DataTable {
 public:
  // Appends one row; the cells are copied before returning.
  virtual void addRow(const std::vector<Value>& row) = 0;
  // Appends rows of width cells each, row after row; as addRow for each.
  virtual void addRows(const Value* cells, std::size_t rows,
                       std::size_t width) {
    std::vector<Value> row(width);
    for (std::size_t r = 0; r < rows; ++r) {
      for (std::size_t c = 0; c < width; ++c) row[c] = cells[r * width + c];
      addRow(row);
    }
  }
  virtual ~IReadTable() {}
  // How many rows will follow, so storage is made once at its size.
  virtual void expectRows(long rows) {}
  // The text cells of this column point at text that stays put for the
  // whole transfer, one address per distinct text.
  virtual void markStableText(int column) {}
  // The text cells of this column are labels that also carry their place
  // in their set (*Value::integer, or -1 when a label has none): a table
  // may keep what it made of a label by that place.
  virtual void markLabelPlaces(int column) {}
};

}  // namespace Tavik

#endif
