# Times the data transfers against their baselines and writes
# bench/out/results.csv. Run from the project folder, with the package
# installed:
#
#   Rscript bench/run.R [--sizes=1e4,1e5,1e6,1e7] [--reps=5]
#                       [--cases=double,integer_set,string,element]
#                       [--read-csv] [--no-memory]
#
# --read-csv also times read.csv on the 1e6 CSV file (once, it is slow);
# --no-memory skips the peak-memory run of a 1e7-row read and the count of
# C heap allocations per row.
#
# Large transfers are timed with large live data around, so R's garbage
# collector runs during them; R_VSIZE=6G in the environment makes those
# collections rarer and the ratios steadier.

bench_dir <- local({
  file_arg <- grep("^--file=", commandArgs(FALSE), value = TRUE)
  if (length(file_arg)) dirname(normalizePath(sub("^--file=", "", file_arg[1]))) else "bench"
})
for (file in list.files(file.path(bench_dir, "R"), full.names = TRUE)) source(file)

option <- function(name, default) {
  args <- commandArgs(TRUE)
  hit <- grep(sprintf("^--%s(=|$)", name), args, value = TRUE)
  if (!length(hit)) return(default)
  value <- sub(sprintf("^--%s=?", name), "", hit[1])
  if (identical(value, "")) TRUE else value
}
sizes <- as.numeric(strsplit(option("sizes", "1e4,1e5,1e6,1e7"), ",")[[1]])
reps <- as.integer(option("reps", "5"))
cases <- bench_cases[bench_cases$case %in% strsplit(option("cases", paste(bench_cases$case, collapse = ",")), ",")[[1]], ]
with_read_csv <- isTRUE(option("read-csv", FALSE))
with_memory <- !isTRUE(option("no-memory", FALSE))

suppressPackageStartupMessages(library(tavik4r))
if (!requireNamespace("data.table", quietly = TRUE)) {
  # A benchmark-only dependency: the fast CSV route users take without us.
  install.packages("data.table", quiet = TRUE)
}
build_baselines(bench_dir)
engine <- tavik_example_engine()
data.table::setDTthreads(1L)

results <- list()
record <- function(size, case, measure, value, unit = "s") {
  results[[length(results) + 1L]] <<- data.frame(
    size = size, case = case, measure = measure, value = value, unit = unit,
    stringsAsFactors = FALSE)
}

for (size in sizes) {
  project <- write_bench_project(size)
  opened <- tavik_load_and_open(engine, project)
  for (i in seq_len(nrow(cases))) {
    case <- cases$case[i]
    source <- cases$source[i]
    target <- cases$target[i]
    data <- tavik_read(source)
    n <- nrow(data)
    time <- function(fun) time_median(fun, n, reps)
    message(sprintf("%-12s %9d rows", case, n))

    specs <- floor_specs(data)
    stopifnot(identical(as.list(baseline("bench_floor_read", specs, names(data))), as.list(data)))
    record(size, case, "get", time(function() tavik_read(source)))
    record(size, case, "floor", time(function() baseline("bench_floor_read", specs, names(data))))
    record(size, case, "iterate", time(function() baseline("bench_iterate", engine, source)))

    prepared <- baseline("bench_prepare_write", engine, source)
    targets <- write_targets(data)
    record(size, case, "set", time(function() tavik_write(data, target)))
    stopifnot(identical(unname(as.list(tavik_read(target))), unname(as.list(data))))
    record(size, case, "write_floor",
           time(function() baseline("bench_write_floor", prepared, engine, target, data, targets)))
    factors <- with_factor_labels(data)
    if (!identical(factors, data)) {
      record(size, case, "set_factor", time(function() tavik_write(factors, target)))
      record(size, case, "write_floor_factor",
             time(function() baseline("bench_write_floor", prepared, engine, target, factors, targets)))
    }
    rm(prepared, factors)

    csv <- tempfile(fileext = ".csv")
    record(size, case, "csv_write", time(function() baseline("bench_csv_write", engine, source, csv)))
    stopifnot(nrow(data.table::fread(csv)) == n)
    record(size, case, "fread", time(function() data.table::fread(csv)))
    if (with_read_csv && size == 1e6 && case == "double") {
      record(size, case, "read.csv", time_median(function() utils::read.csv(csv), 1e6, 1L))
    }
    unlink(csv)
    rm(data, specs)
  }
  tavik_close()
}

results <- do.call(rbind, results)
results <- add_ratios(results)
if (with_memory && 1e7 %in% sizes && "double" %in% cases$case) {
  results <- rbind(results, peak_memory(bench_dir, write_bench_project(1e7)))
}
if (with_memory) results <- rbind(results, heap_allocations(bench_dir))
dir.create(file.path(bench_dir, "out"), showWarnings = FALSE)
out <- file.path(bench_dir, "out", "results.csv")
utils::write.csv(results, out, row.names = FALSE)
print_results(results)
message("written: ", out)
