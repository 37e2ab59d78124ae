// R-side conversions done by evaluating R functions, with the messages and
// condition classes the package promises whatever Rcpp release is
// installed.
#ifndef TAVIK4R_RBRIDGE_RCONVERSIONS_H
#define TAVIK4R_RBRIDGE_RCONVERSIONS_H

#include <Rcpp.h>

#include <string>

namespace R {

// function(x) evaluated in the global environment. An R error becomes
// Rcpp::eval_error with R's message; an interrupt is resumed as one once
// the C++ frames are unwound.
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
// The data frame as.data.frame makes of a named list of columns of equal
// length (names made syntactic and unique, compact row names), made
// without the R-level call, which walks every row.
Rcpp::DataFrame frameOfColumns(Rcpp::List& list);
// Appends column to list and its name (UTF-8) to names; the list also
// carries the names as its names attribute.
void appendColumn(Rcpp::List& list, Rcpp::CharacterVector& names, SEXP column,
                  const std::string& name);

}  // namespace R

#endif
