# Runs a testthat folder against the installed package and prints the
# closing count line.
args <- commandArgs(trailingOnly = TRUE)
folder <- if (length(args)) args[[1]] else "tests/testthat"
results <- testthat::test_dir(folder, package = "tavik4r",
                              load_package = "installed",
                              reporter = testthat::ProgressReporter$new(show_praise = FALSE),
                              stop_on_failure = FALSE, stop_on_warning = FALSE)
counts <- as.data.frame(results)
passed <- sum(counts$passed)
failed <- sum(counts$failed) + sum(counts$error)
cat(sprintf("\n%d passed, %d failed\n", passed, failed))
quit(status = if (failed > 0) 1L else 0L)
