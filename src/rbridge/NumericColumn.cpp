#include <algorithm>
#include <cstring>
#include <string>

#include "engine/TavikException.h"
#include "rbridge/NumericColumn.h"
#include "rbridge/RConversions.h"
#include "rbridge/RGuard.h"

namespace R {

namespace {

const R_xlen_t kFirstGrowth = 1024;

}  // namespace

template <typename V>
Column<V>::Column(const std::string& name, int index)
    : name(name),
      data(guardR([] { return Rf_allocVector(Traits::rtype, 0); })),
      index(index) {}

template <typename V>
void Column<V>::resize(R_xlen_t length) {
  const R_xlen_t kept = std::min(filled, length);
  const Cell* from = out;
  SEXP grown = guardR([&] {
    SEXP made = Rf_allocVector(Traits::rtype, length);
    if (kept > 0)
      std::memcpy(Traits::cells(made), from,
                  sizeof(Cell) * static_cast<std::size_t>(kept));
    return made;
  });
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
  appendColumn(list, names, data, name);
}

template <typename V>
SEXP Column<V>::createSExpr() {
  if (filled == 0) return guardR([] { return Rf_mkString(""); });
  const Cell first = out[0];
  return guardR([&] {
    SEXP value = Rf_allocVector(Traits::rtype, 1);
    Traits::cells(value)[0] = first;
    return value;
  });
}

template <typename V>
void Column<V>::prepare(SEXP column) {
  const int type = TYPEOF(column);
  if (type != Traits::rtype && type != LGLSXP && type != INTSXP &&
      type != REALSXP && type != CPLXSXP && type != RAWSXP)
    throw Rcpp::not_compatible("not compatible with requested type");
  // R's coercion may warn (and a warning may be an error), and a compact
  // vector makes its cells on first access: both may raise.
  const Cell* cells = nullptr;
  SEXP coerced = guardR([&] {
    SEXP made =
        PROTECT(type == Traits::rtype ? column
                                      : Rf_coerceVector(column, Traits::rtype));
    cells = Traits::cells(made);
    UNPROTECT(1);
    return made;
  });
  readable = coerced;
  source = column;
  readableCells = cells;
  readableLength = Rf_xlength(readable);
}

template <typename V>
void Column<V>::getValue(Rcpp::DataFrame& frame, int row, Tavik::Value& value) {
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

template <typename V>
const typename Column<V>::Cell* Column<V>::cellsOf(Rcpp::DataFrame& frame) {
  SEXP frameObject = frame;
  if (frameObject != sourceFrame) {
    SEXP column = columnAt(frame, index);
    if (column != source) prepare(column);
    sourceFrame = frameObject;
  }
  return readableCells;
}

template class Column<Rcpp::IntegerVector>;
template class Column<Rcpp::NumericVector>;

}  // namespace R
