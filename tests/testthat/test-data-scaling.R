# Transfers cost work linear in their rows. Counted as bytes R allocates, not
# as time: ten times the rows may allocate about ten times the bytes, never
# the hundred times of a path that copies or converts a column per row.

allocated_bytes <- function(expr) {
  log <- tempfile()
  on.exit(unlink(log), add = TRUE)
  Rprofmem(log, threshold = 0)
  force(expr)
  Rprofmem(NULL)
  lines <- readLines(log, warn = FALSE)
  sum(as.numeric(sub("^([0-9]+) *:.*$", "\\1", grep("^[0-9]+ *:", lines, value = TRUE))))
}

test_that("reading and writing ten times the rows costs about ten times the work", {
  skip_if_not(capabilities("profmem"))
  open_project(extra_project())
  small <- get_data("Small")
  big <- get_data("Big")
  expect_gt(nrow(big), 9 * nrow(small))
  ratio <- function(measure) measure(big, "Big") / measure(small, "Small")

  expect_lt(ratio(function(data, id) allocated_bytes(get_data(id))), 30)
  expect_lt(ratio(function(data, id) allocated_bytes(set_data(data, id))), 30)
  as_factors <- function(data) transform(data, A = factor(A), B = factor(B))
  expect_lt(ratio(function(data, id) {
    data <- as_factors(data)
    allocated_bytes(set_data(data, id))
  }), 30)
})

close_project()
