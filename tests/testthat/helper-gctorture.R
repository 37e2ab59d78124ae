# With TAVIK4R_GCTORTURE=1 (tools/check-memory --gctorture) R collects
# garbage at every allocation while compiled code runs, so an R object the
# C++ side forgot to protect is freed at once and the sanitizers see its
# use. Off otherwise: a whole suite under gctorture would take hours.
with_gc_torture <- function(expr) {
  if (!identical(Sys.getenv("TAVIK4R_GCTORTURE"), "1")) {
    return(expr)
  }
  gctorture(TRUE)
  on.exit(gctorture(FALSE), add = TRUE)
  expr
}
