// Calls into R that may raise an R error (an allocation that fails, a
// coercion warning turned into an error, an interrupt, a time limit). R's
// error would jump over the C++ frames above, skipping their destructors:
// engine handles, preserved R objects and heap memory would be lost. Under
// guardR the jump is caught and re-thrown as a C++ exception that unwinds
// those frames, and R resumes the error (or the interrupt) as it was once
// the entry point returns.
#ifndef TAVIK4R_RBRIDGE_RGUARD_H
#define TAVIK4R_RBRIDGE_RGUARD_H

#include <Rcpp.h>

#include <exception>
#include <utility>

namespace R {

// Runs body, which returns a SEXP, under R's unwind protection. body should
// own nothing with a destructor itself: an R error skips its own frame.
// A C++ exception from body is carried past R's frames and rethrown here.
template <typename Body>
SEXP guardR(Body body) {
  std::exception_ptr failure;
  SEXP result = Rcpp::unwindProtect([&]() -> SEXP {
    try {
      return body();
    } catch (...) {
      failure = std::current_exception();
      return R_NilValue;
    }
  });
  if (failure) std::rethrow_exception(failure);
  return result;
}

// The same for a body with no result.
template <typename Body>
void guardRVoid(Body body) {
  guardR([&]() -> SEXP {
    body();
    return R_NilValue;
  });
}

// Lets the user stop a long transfer. A time limit set with setTimeLimit()
// is raised as the error it is, an interrupt as an interrupt.
inline void checkUserInterrupt() {
  guardRVoid([] { R_CheckUserInterrupt(); });
}

}  // namespace R

#endif
