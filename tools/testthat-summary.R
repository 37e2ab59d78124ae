# Runs a testthat folder (or only its files matching a filter) against the
# installed package and prints the closing count line.
#   Rscript tools/testthat-summary.R [FOLDER [FILTER]]
args <- commandArgs(trailingOnly = TRUE)
folder <- if (length(args)) args[[1]] else "tests/testthat"
filter <- if (length(args) > 1) args[[2]] else NULL
results <- testthat::test_dir(folder, package = "tavik4r", filter = filter,
                              load_package = "installed",
                              reporter = testthat::ProgressReporter$new(show_praise = FALSE),
                              stop_on_failure = FALSE, stop_on_warning = FALSE)
counts <- as.data.frame(results)
passed <- sum(counts$passed)
failed <- sum(counts$failed) + sum(counts$error)
# The count line closes the output on its own; the skips go just before it.
cat(sprintf("\n%d skipped\n%d passed, %d failed\n", sum(counts$skipped), passed, failed))
quit(status = if (failed > 0) 1L else 0L)
