// A TavikException as an R list of class "tavik_fault" (message, kind and
// the fault's fields), which the R functions turn into classed conditions.
#ifndef TAVIK4R_ENTRY_FAULTRECORD_H
#define TAVIK4R_ENTRY_FAULTRECORD_H

#include <Rcpp.h>

#include "engine/TavikException.h"

SEXP faultRecord(const Tavik::TavikException& exception);

// Runs body, which returns a SEXP; a TavikException becomes its record.
template <typename Body>
SEXP returningFaults(Body body) {
  try {
    return body();
  } catch (const Tavik::TavikException& exception) {
    return faultRecord(exception);
  }
}

#endif
