// One typed column of an R table: built from cells read from the engine,
// or read cell by cell out of a data-frame column.
#ifndef TAVIK4R_RBRIDGE_ICOLUMN_H
#define TAVIK4R_RBRIDGE_ICOLUMN_H

#include <Rcpp.h>

#include "model/Value.h"

namespace R {

class IColumn {
 public:
  virtual ~IColumn() {}
  virtual void addValue(const Tavik::Value& value) = 0;
  virtual void commit(Rcpp::List& list, Rcpp::CharacterVector& names) = 0;
  // A new R vector of length one with the first cell ("" when empty).
  virtual SEXP createSExpr() = 0;
  virtual void getValue(Rcpp::DataFrame& frame, int row,
                        Tavik::Value& value) = 0;
  // Fails as getValue would, without making the cell.
  virtual void checkValue(Rcpp::DataFrame& frame, int row) {
    Tavik::Value value;
    getValue(frame, row, value);
  }

  // Makes room for that many cells at once.
  virtual void reserve(R_xlen_t cells) = 0;
  // See Tavik::IReadTable::markStableText.
  virtual void markStableText() {}
};

}  // namespace R

#endif
