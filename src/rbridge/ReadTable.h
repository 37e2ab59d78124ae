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
  void addRow(const std::vector<Tavik::Value>& row) override;
  void expectRows(long rows) override;
  void markStableText(int column) override;
  Rcpp::DataFrame createDataFrame();
};

}  // namespace R

#endif
