#include "rbridge/WriteTable.h"

#include <climits>
#include <string>

#include "engine/TavikException.h"
#include "rbridge/CharacterColumn.h"
#include "rbridge/NumericColumn.h"
#include "rbridge/RConversions.h"

namespace R {

void WriteTable::getRow(int row, std::vector<Tavik::Value>& values) {
  for (std::size_t i = 0; i < columns.size(); ++i)
    columns[i]->getValue(frame, row, values[i]);
}

void WriteTable::getCell(int column, int row, Tavik::Value& value) {
  columns[static_cast<std::size_t>(column)]->getValue(frame, row, value);
}

void WriteTable::checkCell(int column, int row) {
  columns[static_cast<std::size_t>(column)]->checkValue(frame, row);
}

Tavik::IKeyedText* WriteTable::keyedText(int column) {
  auto* text = dynamic_cast<Column<Rcpp::CharacterVector>*>(
      columns[static_cast<std::size_t>(column)].get());
  if (text == nullptr) return nullptr;
  text->keyFrame(frame);
  return text;
}

const double* WriteTable::doubleCells(int column) {
  auto* cells = dynamic_cast<Column<Rcpp::NumericVector>*>(
      columns[static_cast<std::size_t>(column)].get());
  return cells == nullptr ? nullptr : cells->cellsOf(frame);
}

const int* WriteTable::integerCells(int column) {
  auto* cells = dynamic_cast<Column<Rcpp::IntegerVector>*>(
      columns[static_cast<std::size_t>(column)].get());
  return cells == nullptr ? nullptr : cells->cellsOf(frame);
}

int WriteTable::columnSize() const {
  if (columns.empty()) return -1;
  const R_xlen_t rows = rowsOf(columnAt(frame, 0));
  // A frame put together by hand may have columns of other lengths; rows
  // beyond the first column's would be dropped without a word.
  const int width = static_cast<int>(Rf_xlength(frame));
  for (int k = 1; k < width; ++k) {
    const R_xlen_t other = rowsOf(columnAt(frame, k));
    if (other != rows) {
      Tavik::TavikFault fault;
      fault.kind = Tavik::TavikFault::Shape;
      fault.column = k;
      throw Tavik::TavikException(
          "The data frame's columns differ in length: column 1 has " +
              std::to_string(rows) + " rows, column " + std::to_string(k + 1) +
              " has " + std::to_string(other),
          fault);
    }
  }
  if (rows > INT_MAX)
    throw Tavik::TavikException(
        "The data frame has more rows than can be "
        "written at once");
  return static_cast<int>(rows);
}

int WriteTable::size() { return static_cast<int>(Rf_xlength(frame)); }

}  // namespace R
