// R-side conversions done by evaluating R functions, with the messages and
// condition classes the package promises whatever Rcpp release is
// installed.
#ifndef TAVIK4R_RBRIDGE_RCONVERSIONS_H
#define TAVIK4R_RBRIDGE_RCONVERSIONS_H

#include <Rcpp.h>

namespace R {

// function(x) evaluated in the global environment. An R error becomes
// Rcpp::eval_error with R's message; a user interrupt propagates.
SEXP callInGlobalEnv(const char* function, SEXP x);
// The same, but an R error becomes Rcpp::not_compatible "could not convert
// using R function : " followed by the function's name.
SEXP convertUsing(const char* function, SEXP x);
// The data frame made of any R object: a list first, then as.data.frame
// unless it already is a data frame.
Rcpp::DataFrame asDataFrame(SEXP x);
// Rows of a data-frame column: its length as a list.
R_xlen_t rowsOf(SEXP column);
// The data-frame column at position index; a frame without it is out of
// bounds.
SEXP columnAt(const Rcpp::DataFrame& frame, int index);

}  // namespace R

#endif
