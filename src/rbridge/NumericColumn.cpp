#include <algorithm>
#include <cstring>
#include <string>

#include "engine/TavikException.h"
#include "rbridge/Column.h"
#include "rbridge/RConversions.h"

namespace R {

namespace {

const R_xlen_t kFirstGrowth = 1024;

}  // namespace

template <typename V>
Column<V>::Column(const std::string& name, int index)
    : name(name), data(Rf_allocVector(Traits::rtype, 0)), index(index) {}

template <typename V>
void Column<V>::resize(R_xlen_t length) {
  V grown(Rf_allocVector(Traits::rtype, length));
  const R_xlen_t kept = std::min(filled, length);
  if (kept > 0)
    std::memcpy(Traits::cells(grown), Traits::cells(data),
                sizeof(Cell) * static_cast<std::size_t>(kept));
  data = grown;
  capacity = length;
  out = Traits::cells(data);
}

template <typename V>
void Column<V>::reserve(R_xlen_t cells) {
  if (cells > capacity) resize(cells);
}

template <typename V>
void Column<V>::grow() {
  resize(std::max(kFirstGrowth, capacity + capacity / 2));
}

template <typename V>
void Column<V>::addValue(const Tavik::Value& value) {
  append(value);
}

template <typename V>
void Column<V>::commit(Rcpp::List& list, Rcpp::CharacterVector& names) {
  if (filled != capacity) resize(filled);
  list.push_back(data);
  names.push_back(name);
}

template <typename V>
SEXP Column<V>::createSExpr() {
  if (filled == 0) return Rf_mkString("");
  SEXP value = Rf_allocVector(Traits::rtype, 1);
  Traits::cells(value)[0] = out[0];
  return value;
}

template <typename V>
void Column<V>::prepare(SEXP column) {
  const int type = TYPEOF(column);
  if (type == Traits::rtype) {
    readable = column;
  } else if (type == LGLSXP || type == INTSXP || type == REALSXP ||
             type == CPLXSXP || type == RAWSXP) {
    // R's coercion may warn, and a warning may be turned into an error.
    readable = Rcpp::unwindProtect(
        [column] { return Rf_coerceVector(column, Traits::rtype); });
  } else {
    throw Rcpp::not_compatible("not compatible with requested type");
  }
  source = column;
  readableCells = Traits::cells(readable);
  readableLength = Rf_xlength(readable);
}

template <typename V>
void Column<V>::getValue(Rcpp::DataFrame& frame, int row,
                         Tavik::Value& value) {
  SEXP frameObject = frame;
  if (frameObject != sourceFrame) {
    SEXP column = columnAt(frame, index);
    if (column != source) prepare(column);
    sourceFrame = frameObject;
  }
  if (row < 0 || row >= readableLength)
    throw Tavik::TavikException("Data frame column " +
                                std::to_string(index + 1) +
                                " has fewer rows than the first column");
  Traits::point(value, readableCells + row);
}

template class Column<Rcpp::IntegerVector>;
template class Column<Rcpp::NumericVector>;

}  // namespace R
