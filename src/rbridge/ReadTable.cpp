#include "rbridge/ReadTable.h"

#include <iostream>

#include "rbridge/RConversions.h"

namespace R {

void ReadTable::addRow(const std::vector<Tavik::Value>& row) {
  std::size_t i = 0;
  try {
    for (; i < columns.size(); ++i) columns[i]->addValue(row[i]);
  } catch (...) {
    // Narrow output only: a wide write would turn stdout wide and silence
    // every later narrow line, R's own included.
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

Rcpp::DataFrame ReadTable::createDataFrame() {
  Rcpp::List list;
  Rcpp::CharacterVector names;
  for (auto& column : columns) column->commit(list, names);
  list.attr("names") = names;
  return asDataFrame(list);
}

}  // namespace R
