// Conversion of .Call arguments, with the same texts and condition class
// whatever the installed Rcpp says on its own.
#ifndef TAVIK4R_ENTRY_ARGUMENTCONVERSION_H
#define TAVIK4R_ENTRY_ARGUMENTCONVERSION_H

#include <Rcpp.h>

#include <string>

// A character vector of length 1 (or a single string element), decoded from
// R's encoding into a wide string.
std::wstring wstringArgument(SEXP x);
// A length-1 vector that R can coerce to an integer.
int intArgument(SEXP x);

#endif
