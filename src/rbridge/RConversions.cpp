#include "rbridge/RConversions.h"

#include <string>

namespace R {

SEXP callInGlobalEnv(const char* function, SEXP x) {
  Rcpp::Shield<SEXP> call(Rf_lang2(Rf_install(function), x));
  return Rcpp::Rcpp_eval(call, R_GlobalEnv);
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

}  // namespace R
