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
# The floors each transfer is measured against are described in
# bench/R/floors.R. Large transfers are timed with large live data around, so R's garbage
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
  install.packages("data.table", repos = "https://cloud.r-project.org", quiet = TRUE)
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
  open_bench_project(engine, size)
  for (i in seq_len(nrow(cases))) {
    case <- cases$case[i]
    source <- cases$source[i]
    target <- cases$target[i]
    data <- tavik_read(source)
    n <- nrow(data)
    time <- function(fun) time_median(fun, n, reps)
    message(sprintf("%-12s %9d rows", case, n))

    # Reads: the result of each read is dropped before the next, so both
    # the package and the floor make their text values as new R strings.
    specs <- read_floor_specs(data, text_values = case == "string")
    stopifnot(identical(as.list(baseline("bench_floor_read", specs, names(data))), as.list(data)))
    names <- names(data)
    rm(data)
    record(size, case, "get", time(function() tavik_read(source)))
    record(size, case, "assemble", time(function() baseline("bench_floor_read", specs, names)))
    record(size, case, "iterate", time(function() baseline("bench_iterate", engine, source)))
    rm(specs)

    data <- tavik_read(source)
    tables <- write_floor_tables(engine, target, data)
    check_write_floor(engine, target, data, tables)
    record(size, case, "set", time(function() tavik_write(data, target)))
    stopifnot(identical(unname(as.list(tavik_read(target))), unname(as.list(data))))
    record(size, case, "write_floor", time(function() write_floor(engine, target, data, tables)))
    stopifnot(identical(unname(as.list(tavik_read(target))), unname(as.list(data))))
    factors <- with_factor_labels(data)
    if (!identical(factors, data)) {
      record(size, case, "set_factor", time(function() tavik_write(factors, target)))
      record(size, case, "write_floor_factor",
             time(function() write_floor(engine, target, factors, tables)))
      stopifnot(identical(unname(as.list(tavik_read(target))), unname(as.list(data))))
    }
    rm(factors, tables)

    csv <- tempfile(fileext = ".csv")
    record(size, case, "csv_write", time(function() baseline("bench_csv_write", engine, source, csv)))
    stopifnot(nrow(data.table::fread(csv)) == n)
    record(size, case, "fread", time(function() data.table::fread(csv)))
    if (with_read_csv && size == 1e6 && case == "double") {
      record(size, case, "read.csv", time_median(function() utils::read.csv(csv), 1e6, 1L))
    }
    unlink(csv)
    rm(data)
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
