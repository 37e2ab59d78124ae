// Supplies the rows of an R data frame, column by column in position order.
#ifndef TAVIK4R_RBRIDGE_WRITETABLE_H
#define TAVIK4R_RBRIDGE_WRITETABLE_H

#include <Rcpp.h>

#include <vector>

#include "model/IWriteTable.h"

namespace R {

class WriteTable : public IWriteTable {
 public:
  // frame must outlive the table.
  explicit WriteTable(Rcpp::DataFrame& frame) : frame(frame) {}
  void getRow(int row, std::vector<Tavik::Value>& values) override;
  int columnSize() const override;
  int size() override;
  // Text cells are converted into a buffer each column reuses; only keyed
  // texts (keyedText) keep their addresses.
  bool hasStableText() const override { return false; }
  void getCell(int column, int row, Tavik::Value& value) override;
  void checkCell(int column, int row) override;
  Tavik::IKeyedText* keyedText(int column) override;
  const double* doubleCells(int column) override;
  const int* integerCells(int column) override;

  Rcpp::DataFrame& frame;
};

}  // namespace R

#endif
