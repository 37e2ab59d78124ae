# C heap allocations per row of each transfer, in a fresh R process with a
# counting malloc preloaded:
#   Rscript bench/heap-allocations.R COUNTER.so ROWS_SMALL ROWS_LARGE
# Prints lines "case,measure,rows_small,rows_large,allocations_small,
# allocations_large". Started by bench/run.R (see heap_allocations()).
args <- commandArgs(TRUE)
counter <- args[1]
rows <- as.numeric(args[2:3])
bench_dir <- dirname(normalizePath(sub("^--file=", "", grep("^--file=", commandArgs(FALSE), value = TRUE)[1])))
source(file.path(bench_dir, "R", "projects.R"))
source(file.path(bench_dir, "R", "floors.R"))
suppressPackageStartupMessages(library(tavik4r))
dll <- dyn.load(counter)
heap_count <- function() .C("bench_heap_count", count = 0)$count
allocations_of <- function(fun) {
  fun()  # once to warm caches, then counted
  before <- heap_count()
  fun()
  heap_count() - before
}

measure <- function(rows) {
  open_bench_project(tavik_example_engine(), rows)
  on.exit(tavik_close())
  out <- list()
  for (i in seq_len(nrow(bench_cases))) {
    data <- tavik_read(bench_cases$source[i])
    factors <- with_factor_labels(data)
    target <- bench_cases$target[i]
    out[[bench_cases$case[i]]] <- c(
      rows = nrow(data),
      get = allocations_of(function() tavik_read(bench_cases$source[i])),
      set = allocations_of(function() tavik_write(data, target)),
      set_factor = allocations_of(function() tavik_write(factors, target)))
  }
  out
}

small <- measure(rows[1])
large <- measure(rows[2])
for (case in names(small)) {
  for (what in c("get", "set", "set_factor")) {
    cat(sprintf("%s,%s,%.0f,%.0f,%.0f,%.0f\n", case, what, small[[case]][["rows"]],
                large[[case]][["rows"]], small[[case]][[what]], large[[case]][[what]]))
  }
}
