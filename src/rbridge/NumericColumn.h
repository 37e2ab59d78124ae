// The integer and double columns of R tables (the character column is its
// own specialisation, rbridge/CharacterColumn.h). Cells read from the
// engine go straight into an R vector made at its final size (or grown in
// large steps); cells written to the engine are read from the data-frame
// column, coerced at most once per transfer.
#ifndef TAVIK4R_RBRIDGE_NUMERICCOLUMN_H
#define TAVIK4R_RBRIDGE_NUMERICCOLUMN_H

#include <Rcpp.h>

#include <string>

#include "rbridge/IColumn.h"

namespace R {

template <typename V>
struct ColumnTraits;

template <>
struct ColumnTraits<Rcpp::IntegerVector> {
  typedef int Cell;
  static const int rtype = INTSXP;
  static Cell* cells(SEXP x) { return INTEGER(x); }
  static const Cell* read(const Tavik::Value& value) { return value.integer; }
  static void point(Tavik::Value& value, const Cell* cell) {
    value.integer = cell;
  }
};

template <>
struct ColumnTraits<Rcpp::NumericVector> {
  typedef double Cell;
  static const int rtype = REALSXP;
  static Cell* cells(SEXP x) { return REAL(x); }
  static const Cell* read(const Tavik::Value& value) { return value.dbl; }
  static void point(Tavik::Value& value, const Cell* cell) { value.dbl = cell; }
};

// The integer and double variants.
template <typename V>
class Column : public IColumn {
 public:
  typedef ColumnTraits<V> Traits;
  typedef typename Traits::Cell Cell;

  Column(const std::string& name, int index);
  ~Column() override {}

  void addValue(const Tavik::Value& value) override;
  void commit(Rcpp::List& list, Rcpp::CharacterVector& names) override;
  SEXP createSExpr() override;
  void getValue(Rcpp::DataFrame& frame, int row, Tavik::Value& value) override;
  void reserve(R_xlen_t cells) override;

  // addValue for the read loop: inline, without a virtual call per cell.
  void append(const Tavik::Value& value) {
    if (filled == capacity) grow();
    out[filled++] = *Traits::read(value);
  }

  // Every cell of the column of frame at once, for a writer that reads
  // the rows in a loop of its own; valid for the transfer.
  const Cell* cellsOf(Rcpp::DataFrame& frame);

  std::string name;
  V data;
  int index;

 private:
  void grow();
  void resize(R_xlen_t length);
  void prepare(SEXP column);

  // Cells of data in use; data may be longer while rows arrive.
  R_xlen_t filled = 0;
  R_xlen_t capacity = 0;
  Cell* out = nullptr;

  // The data-frame column being read and its copy of our type.
  SEXP source = nullptr;
  // The frame source came from: within one transfer its columns stay.
  SEXP sourceFrame = nullptr;
  Rcpp::RObject readable;
  const Cell* readableCells = nullptr;
  R_xlen_t readableLength = 0;
};

extern template class Column<Rcpp::IntegerVector>;
extern template class Column<Rcpp::NumericVector>;

}  // namespace R

#endif
