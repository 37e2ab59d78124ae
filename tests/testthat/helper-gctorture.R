# Under gctorture R collects garbage at every allocation, so an R object the
# C++ side forgot to protect is freed at once: its cell is handed out again
# by the next allocation (a wrong value comes back) or, for a large vector,
# its memory goes back to the C heap, where AddressSanitizer sees the use.
# Far too slow for the whole suite: the gctorture cases run where
# TAVIK4R_GCTORTURE=1 is set (tools/check-memory, and so CI) and are
# skipped elsewhere.
skip_unless_gc_torture <- function() {
  if (!identical(Sys.getenv("TAVIK4R_GCTORTURE"), "1")) {
    skip("gctorture cases run with TAVIK4R_GCTORTURE=1 (tools/check-memory)")
  }
}

# The byte-code compiler is kept out: compiling under gctorture tests R, not
# the package, and takes most of the time.
with_gc_torture <- function(expr) {
  jit <- compiler::enableJIT(0)
  on.exit(compiler::enableJIT(jit), add = TRUE)
  gctorture(TRUE)
  on.exit(gctorture(FALSE), add = TRUE)
  expr
}
