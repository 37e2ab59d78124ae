/* Deliberate faults, one for each kind of report the memory check must
 * see. Built with the same sanitizer flags as the package. */
#include <limits.h>
#include <stdlib.h>
#include <Rinternals.h>

SEXP canary_use_after_free(void) {
  volatile int* cells = malloc(4 * sizeof(int));
  free((void*) cells);
  return Rf_ScalarInteger(cells[1]);
}

void* volatile canary_kept;

SEXP canary_leak(void) {
  canary_kept = malloc(64);
  canary_kept = NULL;
  return R_NilValue;
}

SEXP canary_overflow(SEXP value) {
  volatile int big = INT_MAX;
  return Rf_ScalarInteger(big + Rf_asInteger(value));
}
