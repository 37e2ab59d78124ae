#include "rbridge/RConversions.h"

#include <string>

#include "rbridge/RGuard.h"

namespace R {

// R errors are caught by R's own tryCatch and become C++ exceptions here;
// anything else R raises (an interrupt) is resumed by the entry point.
SEXP callInGlobalEnv(const char* function, SEXP x) {
  std::string message;
  bool failed = false;
  SEXP result = guardR([&] {
    SEXP call = PROTECT(Rf_lang2(Rf_install(function), x));
    SEXP handler = PROTECT(Rf_findFun(Rf_install("identity"), R_BaseEnv));
    SEXP caught = PROTECT(Rf_lang3(Rf_install("tryCatch"), call, handler));
    SET_TAG(CDDR(caught), Rf_install("error"));
    SEXP value = PROTECT(Rf_eval(caught, R_GlobalEnv));
    if (Rf_inherits(value, "error")) {
      SEXP ask = PROTECT(Rf_lang2(Rf_install("conditionMessage"), value));
      SEXP text = PROTECT(Rf_eval(ask, R_BaseEnv));
      failed = true;
      if (TYPEOF(text) == STRSXP && Rf_xlength(text) > 0)
        message = Rf_translateCharUTF8(STRING_ELT(text, 0));
      UNPROTECT(2);
      value = R_NilValue;
    }
    UNPROTECT(4);
    return value;
  });
  if (failed) throw Rcpp::eval_error(message);
  return result;
}

SEXP convertUsing(const char* function, SEXP x) {
  try {
    return callInGlobalEnv(function, x);
  } catch (const Rcpp::eval_error&) {
    const std::string message =
        std::string("could not convert using R function : ") + function;
    throw Rcpp::not_compatible(message.c_str());
  }
}

namespace {

bool isDataFrame(SEXP x) {
  return TYPEOF(x) == VECSXP && Rf_inherits(x, "data.frame");
}

}  // namespace

Rcpp::DataFrame asDataFrame(SEXP x) {
  // as.list runs first for anything that is not a list, so its failure is
  // the one reported.
  if (TYPEOF(x) != VECSXP) {
    Rcpp::RObject asList(convertUsing("as.list", x));
  }
  if (isDataFrame(x)) return Rcpp::DataFrame(x);
  Rcpp::RObject frame(convertUsing("as.data.frame", x));
  if (!isDataFrame(frame))
    throw Rcpp::not_compatible(
        "could not convert using R function : as.data.frame");
  return Rcpp::DataFrame(frame);
}

R_xlen_t rowsOf(SEXP column) {
  // Vectors and lists have as many list elements as cells, classed ones
  // included (as.list keeps the length of factors, dates and the like, and
  // would make one R object per cell to say so). Only other objects need
  // R's as.list to count their rows.
  if (Rf_isVector(column) || column == R_NilValue) return Rf_xlength(column);
  Rcpp::RObject asList(convertUsing("as.list", column));
  return Rf_xlength(asList);
}

SEXP columnAt(const Rcpp::DataFrame& frame, int index) {
  SEXP x = frame;
  if (index < 0 || index >= Rf_xlength(x))
    throw Rcpp::index_out_of_bounds("index out of bounds");
  return VECTOR_ELT(x, index);
}

Rcpp::DataFrame frameOfColumns(Rcpp::List& list) {
  SEXP columns = list;
  SEXP frame = guardR([&] {
    const R_xlen_t width = Rf_xlength(columns);
    const R_xlen_t rows = width > 0 ? Rf_xlength(VECTOR_ELT(columns, 0)) : 0;
    SEXP made = PROTECT(Rf_shallow_duplicate(columns));
    SEXP names = Rf_getAttrib(made, R_NamesSymbol);
    if (names == R_NilValue) names = Rf_allocVector(STRSXP, 0);
    PROTECT(names);
    SEXP unique = PROTECT(Rf_ScalarLogical(TRUE));
    SEXP repair = PROTECT(Rf_lang3(Rf_install("make.names"), names, unique));
    SET_TAG(CDDR(repair), Rf_install("unique"));
    Rf_setAttrib(made, R_NamesSymbol, Rf_eval(repair, R_BaseEnv));
    SEXP rowNames;
    if (rows > 0) {
      rowNames = PROTECT(Rf_allocVector(INTSXP, 2));
      INTEGER(rowNames)[0] = NA_INTEGER;
      INTEGER(rowNames)[1] = -static_cast<int>(rows);
    } else {
      rowNames = PROTECT(Rf_allocVector(INTSXP, 0));
    }
    Rf_setAttrib(made, R_RowNamesSymbol, rowNames);
    Rf_setAttrib(made, R_ClassSymbol, Rf_mkString("data.frame"));
    UNPROTECT(5);
    return made;
  });
  return Rcpp::DataFrame(frame);
}

void appendColumn(Rcpp::List& list, Rcpp::CharacterVector& names, SEXP column,
                  const std::string& name) {
  SEXP oldList = list;
  SEXP oldNames = names;
  SEXP grownNames = R_NilValue;
  SEXP grownList = guardR([&] {
    const R_xlen_t n = Rf_xlength(oldList);
    SEXP made = PROTECT(Rf_allocVector(VECSXP, n + 1));
    SEXP madeNames = PROTECT(Rf_allocVector(STRSXP, n + 1));
    for (R_xlen_t i = 0; i < n; ++i) {
      SET_VECTOR_ELT(made, i, VECTOR_ELT(oldList, i));
      SET_STRING_ELT(madeNames, i, STRING_ELT(oldNames, i));
    }
    SET_VECTOR_ELT(made, n, column);
    SET_STRING_ELT(
        madeNames, n,
        Rf_mkCharLenCE(name.data(), static_cast<int>(name.size()), CE_UTF8));
    // The names travel inside the list until both are kept.
    Rf_setAttrib(made, R_NamesSymbol, madeNames);
    grownNames = madeNames;
    UNPROTECT(2);
    return made;
  });
  list = grownList;
  names = grownNames;
}

}  // namespace R
