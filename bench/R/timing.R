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

# What the floor builds from: each label column as ready R strings and
# zero-based codes, every other column as it is.
floor_specs <- function(frame) {
  lapply(frame, function(column) {
    if (is.character(column)) {
      table <- unique(column)
      list(table, match(column, table) - 1L)
    } else {
      column
    }
  })
}

with_factor_labels <- function(frame) {
  last <- ncol(frame)
  for (k in seq_len(last - 1L)) {
    if (is.character(frame[[k]])) {
      frame[[k]] <- factor(frame[[k]], levels = unique(frame[[k]]))
    }
  }
  frame
}

write_targets <- function(frame) {
  vapply(frame, function(column) {
    if (is.character(column) || is.factor(column)) "character" else typeof(column)
  }, character(1), USE.NAMES = FALSE)
}
