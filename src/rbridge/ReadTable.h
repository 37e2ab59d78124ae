// Collects an identifier's rows and hands them to R as a data frame.
#ifndef TAVIK4R_RBRIDGE_READTABLE_H
#define TAVIK4R_RBRIDGE_READTABLE_H

#include <Rcpp.h>

#include <vector>

#include "model/IReadTable.h"

namespace R {

class ReadTable : public Tavik::IReadTable {
 public:
  ReadTable() {}
  void setupColumns(const std::vector<std::wstring>& names,
                    const std::vector<Tavik::ValueType>& types) override;
  void addRow(const std::vector<Tavik::Value>& row) override;
  void addRows(const Tavik::Value* cells, std::size_t rows,
               std::size_t width) override;
  void expectRows(long rows) override;
  void markStableText(int column) override;
  void markLabelPlaces(int column) override;
  Rcpp::DataFrame createDataFrame();

 private:
  // The columns by their concrete kind, so that a row is appended without
  // a virtual call per cell; made when the columns are set up.
  enum Kind { Double, Integer, String, Label };
  struct Slot {
    Kind kind;
    IColumn* column;
  };
  std::vector<Slot> slots;
  void appendCell(const Slot& slot, const Tavik::Value& value);
  template <typename Column>
  void appendColumn(IColumn* column, const Tavik::Value* cells,
                    std::size_t rows, std::size_t width);
  void appendLabels(IColumn* column, const Tavik::Value* cells,
                    std::size_t rows, std::size_t width);
};

}  // namespace R

#endif
