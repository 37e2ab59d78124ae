# Work per transfer grows with the rows only where it must: one engine call
# per tuple, no engine call per label, one set addition per new label; ten
# times the rows allocate about ten times the bytes, never the hundred
# times of a path that copies or converts a column per row, in no more R
# allocations. Counted, not timed, so a slow machine never fails these.

# The R allocations expr makes: how many, and their bytes.
allocations <- function(expr) {
  log <- tempfile()
  on.exit(unlink(log), add = TRUE)
  Rprofmem(log, threshold = 0)
  force(expr)
  Rprofmem(NULL)
  lines <- readLines(log, warn = FALSE)
  sized <- grep("^[0-9]+ *:", lines, value = TRUE)
  c(events = length(grep("^([0-9]+ *:|new page)", lines)),
    bytes = sum(as.numeric(sub("^([0-9]+) *:.*$", "\\1", sized))))
}

engine_calls <- function(expr, entries) {
  sim_reset()
  force(expr)
  vapply(entries, sim_calls, numeric(1))
}

as_factors <- function(data) transform(data, A = factor(A), B = factor(B))

test_that("reading costs one engine call per tuple and no label look-up", {
  open_project(extra_project())
  get_data("Small")  # the sets are read once, into the cache
  for (id in c("Small", "Big")) {
    rows <- nrow(get_data(id))
    calls <- engine_calls(get_data(id), c("TavikValueNextW", "TavikSetElementToNameW"))
    # One per tuple and one for the end: no counting pass.
    expect_equal(calls[["TavikValueNextW"]], rows + 1, label = id)
    expect_equal(calls[["TavikSetElementToNameW"]], 0, label = id)
  }
})

test_that("writing costs one assignment per row and one addition per new label", {
  open_project(extra_project())
  data <- get_data("Big")
  new_labels <- sprintf("new%d", 1:10)
  data$A[seq(1, nrow(data), by = 100)] <- new_labels
  cases <- list(character = data, factor = as_factors(data))
  for (kind in names(cases)) {
    open_project(extra_project())
    get_data("Small")  # the sets are read once, into the cache
    calls <- engine_calls(set_data(cases[[kind]], "Big", mode = 1L),
                          c("TavikValueAssignW", "TavikSetAddElementRecursiveW",
                            "TavikSetElementToNameW"))
    expect_equal(calls[["TavikValueAssignW"]], nrow(data), label = kind)
    expect_equal(calls[["TavikSetAddElementRecursiveW"]], length(new_labels), label = kind)
    expect_equal(calls[["TavikSetElementToNameW"]], 0, label = kind)
  }
})

test_that("ten times the rows allocate about ten times the bytes, in no more allocations", {
  skip_if_not(capabilities("profmem"))
  open_project(extra_project())
  small <- get_data("Small")
  big <- get_data("Big")
  expect_gt(nrow(big), 9 * nrow(small))
  small_factors <- as_factors(small)
  big_factors <- as_factors(big)
  cases <- list(
    read = list(small = function() get_data("Small"), big = function() get_data("Big")),
    write = list(small = function() set_data(small, "Small"),
                 big = function() set_data(big, "Big")),
    write_factors = list(small = function() set_data(small_factors, "Small"),
                         big = function() set_data(big_factors, "Big"))
  )
  for (kind in names(cases)) {
    small_run <- allocations(cases[[kind]]$small())
    big_run <- allocations(cases[[kind]]$big())
    expect_lt(big_run[["bytes"]] / small_run[["bytes"]], 30, label = kind)
    # A path that allocates per row makes thousands more events here.
    expect_lt(big_run[["events"]], 2 * small_run[["events"]] + 50, label = kind)
  }
})

close_project()
