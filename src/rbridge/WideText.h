// Wide text to R strings through one reused buffer, so converting a cell
// allocates nothing on the C++ heap once the buffer has grown.
#ifndef TAVIK4R_RBRIDGE_WIDETEXT_H
#define TAVIK4R_RBRIDGE_WIDETEXT_H

#include <Rcpp.h>

#include <string>

namespace R {

class WideText {
 public:
  // An R string (CHARSXP) of text in the native encoding, as
  // Rf_mkChar(w2a(text)) would make it.
  SEXP toCharsxp(const wchar_t* text);

 private:
  std::string buffer;
};

}  // namespace R

#endif
