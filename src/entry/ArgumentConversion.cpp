#include "entry/ArgumentConversion.h"

#include "engine/TextConversion.h"
#include "rbridge/RGuard.h"

namespace {
std::wstring decode(SEXP element) {
  // Translated to the native encoding first, so labels and paths written in
  // UTF-8 or Latin-1 reach the engine as the characters they are.
  if (element == NA_STRING) return L"NA";
  // R refuses to translate some strings ("bytes" ones): its error then
  // unwinds the C++ frames before it reaches R.
  const char* native = nullptr;
  R::guardRVoid([&] { native = Rf_translateChar(element); });
  return a2w(native);
}
}  // namespace

std::wstring wstringArgument(SEXP x) {
  if (TYPEOF(x) == CHARSXP) return decode(x);
  if (!Rf_isString(x)) throw Rcpp::not_compatible("expecting a string");
  if (Rf_xlength(x) != 1)
    throw Rcpp::not_compatible("expecting a single value");
  return decode(STRING_ELT(x, 0));
}

int intArgument(SEXP x) {
  if (Rf_xlength(x) != 1)
    throw Rcpp::not_compatible("expecting a single value");
  switch (TYPEOF(x)) {
    case INTSXP: return INTEGER(x)[0];
    case LGLSXP:
    case REALSXP:
    case CPLXSXP:
    case RAWSXP: {
      // R's coercion may warn, and under options(warn = 2) raise.
      int value = NA_INTEGER;
      R::guardRVoid([&] {
        SEXP coerced = PROTECT(Rf_coerceVector(x, INTSXP));
        value = INTEGER(coerced)[0];
        UNPROTECT(1);
      });
      return value;
    }
    default: throw Rcpp::not_compatible("not compatible with requested type");
  }
}
