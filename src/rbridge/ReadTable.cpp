#include "rbridge/ReadTable.h"

#include <iostream>

#include "rbridge/CharacterColumn.h"
#include "rbridge/NumericColumn.h"
#include "rbridge/RConversions.h"
#include "rbridge/RGuard.h"

namespace R {

void ReadTable::setupColumns(const std::vector<std::wstring>& names,
                             const std::vector<Tavik::ValueType>& types) {
  slots.clear();
  DataTable::setupColumns(names, types);
  for (auto& column : columns) {
    IColumn* raw = column.get();
    if (dynamic_cast<Column<Rcpp::NumericVector>*>(raw) != nullptr)
      slots.push_back(Slot{Double, raw});
    else if (dynamic_cast<Column<Rcpp::IntegerVector>*>(raw) != nullptr)
      slots.push_back(Slot{Integer, raw});
    else if (dynamic_cast<Column<Rcpp::CharacterVector>*>(raw) != nullptr)
      slots.push_back(Slot{String, raw});
    else
      break;
  }
  // A column of another kind: every row takes the general road.
  if (slots.size() != columns.size()) slots.clear();
}

inline void ReadTable::appendCell(const Slot& slot, const Tavik::Value& value) {
  switch (slot.kind) {
    case Double:
      static_cast<Column<Rcpp::NumericVector>*>(slot.column)->append(value);
      break;
    case Integer:
      static_cast<Column<Rcpp::IntegerVector>*>(slot.column)->append(value);
      break;
    case Label:
      static_cast<Column<Rcpp::CharacterVector>*>(slot.column)
          ->appendLabel(value);
      break;
    default:
      static_cast<Column<Rcpp::CharacterVector>*>(slot.column)->append(value);
  }
}

void ReadTable::addRow(const std::vector<Tavik::Value>& row) {
  std::size_t i = 0;
  try {
    if (slots.size() == columns.size()) {
      for (; i < slots.size(); ++i) appendCell(slots[i], row[i]);
    } else {
      for (; i < columns.size(); ++i) columns[i]->addValue(row[i]);
    }
  } catch (...) {
    // Narrow output only: a wide write would turn stdout wide and silence
    // every later narrow line, R's own included.
    std::cout << "Exception when adding column " << i << std::endl;
    throw;
  }
}

template <typename Column>
void ReadTable::appendColumn(IColumn* column, const Tavik::Value* cells,
                             std::size_t rows, std::size_t width) {
  Column* typed = static_cast<Column*>(column);
  for (std::size_t r = 0; r < rows; ++r) typed->append(cells[r * width]);
}

void ReadTable::appendLabels(IColumn* column, const Tavik::Value* cells,
                             std::size_t rows, std::size_t width) {
  static_cast<Column<Rcpp::CharacterVector>*>(column)->appendLabels(
      cells, rows, width);
}

// A batch goes in column by column: each column's loop knows its kind.
void ReadTable::addRows(const Tavik::Value* cells, std::size_t rows,
                        std::size_t width) {
  if (slots.size() != columns.size()) {
    IReadTable::addRows(cells, rows, width);
    return;
  }
  std::size_t i = 0;
  try {
    for (; i < slots.size(); ++i) {
      switch (slots[i].kind) {
        case Double:
          appendColumn<Column<Rcpp::NumericVector>>(slots[i].column, cells + i,
                                                    rows, width);
          break;
        case Integer:
          appendColumn<Column<Rcpp::IntegerVector>>(slots[i].column, cells + i,
                                                    rows, width);
          break;
        case Label:
          appendLabels(slots[i].column, cells + i, rows, width);
          break;
        default:
          appendColumn<Column<Rcpp::CharacterVector>>(slots[i].column,
                                                      cells + i, rows, width);
      }
    }
  } catch (...) {
    std::cout << "Exception when adding column " << i << std::endl;
    throw;
  }
}

void ReadTable::expectRows(long rows) {
  for (auto& column : columns) column->reserve(rows);
}

void ReadTable::markStableText(int column) {
  if (column >= 0 && static_cast<std::size_t>(column) < columns.size())
    columns[column]->markStableText();
}

void ReadTable::markLabelPlaces(int column) {
  if (column < 0 || static_cast<std::size_t>(column) >= slots.size()) return;
  if (slots[column].kind == String) slots[column].kind = Label;
}

Rcpp::DataFrame ReadTable::createDataFrame() {
  Rcpp::List list(guardR([] { return Rf_allocVector(VECSXP, 0); }));
  Rcpp::CharacterVector names(guardR([] { return Rf_allocVector(STRSXP, 0); }));
  // Each commit leaves the names on the list as well.
  for (auto& column : columns) column->commit(list, names);
  return frameOfColumns(list);
}

}  // namespace R
