// The table that supplies the rows written into an identifier.
#ifndef TAVIK4R_MODEL_IWRITETABLE_H
#define TAVIK4R_MODEL_IWRITETABLE_H

#include <vector>

#include "model/IKeyedText.h"
#include "model/Value.h"
#include "model/DataTable.h"

namespace R {

class IWriteTable : public DataTable {
 public:
  // Fills values[i] with the cell of column i in row (zero-based).
  virtual void getRow(int row, std::vector<Tavik::Value>& values) = 0;
  // Rows the table can supply; -1 before any column is set up.
  virtual int columnSize() const = 0;
  // Columns of the underlying source.
  virtual int size() = 0;
  virtual ~IWriteTable() {}
  // True when equal texts of one column arrive at one address that stays
  // valid for the whole transfer, so callers may key caches by it.
  virtual bool hasStableText() const { return false; }
  // The cell of one column in row, as getRow fills it.
  virtual void getCell(int column, int row, Tavik::Value& value) = 0;
  // Fails as getCell would for that cell, without keeping the cell: the
  // check before a write that takes the cell again later.
  virtual void checkCell(int column, int row) {
    Tavik::Value value;
    getCell(column, row, value);
  }
  // The column's text cells as keys, for the transfer; null when the
  // column does not offer them.
  virtual Tavik::IKeyedText* keyedText(int column) { return nullptr; }
  // All cells of a double or integer column (coerced once), valid for the
  // transfer; null when the column is of the other kind or can't say.
  virtual const double* doubleCells(int column) { return nullptr; }
  virtual const int* integerCells(int column) { return nullptr; }
};

}  // namespace R

#endif
