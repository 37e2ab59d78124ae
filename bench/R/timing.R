# Medians of wall-clock times. Small transfers repeat inside one timing so
# that each timing lasts long enough to measure; the result is per call.
time_median <- function(fun, rows, reps) {
  inner <- max(1L, as.integer(1e6 / rows / 10))
  times <- vapply(seq_len(reps), function(i) {
    gc(verbose = FALSE)
    start <- Sys.time()
    for (j in seq_len(inner)) fun()
    as.numeric(Sys.time() - start, units = "secs") / inner
  }, numeric(1))
  stats::median(times)
}
