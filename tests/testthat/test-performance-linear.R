# Work per transfer grows with the rows only where it must: one engine call
# per tuple, no engine call per label, one set addition per new label, and
# a number of R allocations that does not grow with the rows. Counted, not
# timed, so a slow machine never fails these.

allocation_events <- function(expr) {
  log <- tempfile()
  on.exit(unlink(log), add = TRUE)
  Rprofmem(log, threshold = 0)
  force(expr)
  Rprofmem(NULL)
  length(grep("^([0-9]+ *:|new page)", readLines(log, warn = FALSE)))
}

engine_calls <- function(expr, entries) {
  sim_reset()
  force(expr)
  vapply(entries, sim_calls, numeric(1))
}

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
  cases <- list(character = data, factor = transform(data, A = factor(A), B = factor(B)))
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

test_that("ten times the rows make no more R allocations, only larger ones", {
  skip_if_not(capabilities("profmem"))
  open_project(extra_project())
  small <- get_data("Small")
  big <- get_data("Big")
  as_factors <- function(data) transform(data, A = factor(A), B = factor(B))
  small_factors <- as_factors(small)
  big_factors <- as_factors(big)
  events <- function(small_run, big_run) {
    c(small = allocation_events(small_run()), big = allocation_events(big_run()))
  }
  cases <- list(
    read = events(function() get_data("Small"), function() get_data("Big")),
    write = events(function() set_data(small, "Small"), function() set_data(big, "Big")),
    write_factors = events(function() set_data(small_factors, "Small"),
                           function() set_data(big_factors, "Big"))
  )
  for (kind in names(cases)) {
    # A path that allocates per row makes thousands more events here.
    expect_lt(cases[[kind]][["big"]], 2 * cases[[kind]][["small"]] + 50, label = kind)
  }
})

close_project()
