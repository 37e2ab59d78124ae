# Runs bench/peak-memory.R in a fresh process and turns its lines into
# result rows: the peak above the baseline against the result's size.
peak_memory <- function(bench_dir, project) {
  # The malloc settings the timings use keep freed memory in the process,
  # which would hide a transfer's peak behind an earlier one's: the child
  # runs with the C library's defaults.
  malloc_vars <- c("MALLOC_MMAP_THRESHOLD_", "MALLOC_TRIM_THRESHOLD_")
  saved <- Sys.getenv(malloc_vars, unset = NA)
  Sys.unsetenv(malloc_vars)
  on.exit(do.call(Sys.setenv, as.list(saved[!is.na(saved)])), add = TRUE)
  lines <- system2(file.path(R.home("bin"), "Rscript"),
                   c(shQuote(file.path(bench_dir, "peak-memory.R")), shQuote(project)),
                   stdout = TRUE)
  pairs <- strsplit(grep("=", lines, value = TRUE), "=")
  v <- setNames(as.numeric(vapply(pairs, `[`, "", 2)), vapply(pairs, `[`, "", 1))
  if (v[["hwm_reset"]] != 1) warning("the high-water mark could not be reset; the peak may be too high")
  above <- v[["peak_rss"]] - v[["rss_before"]]
  write_above <- v[["write_peak_rss"]] - v[["write_rss_before"]]
  data.frame(
    size = v[["rows"]], case = "double",
    measure = c("peak_rss_above_baseline", "result_object_size", "peak/object_size",
                "write_peak_rss_above_baseline", "write_peak/frame_size"),
    value = c(above, v[["object_size"]], above / v[["object_size"]],
              write_above, write_above / v[["object_size"]]),
    unit = c("bytes", "bytes", "ratio", "bytes", "ratio"), stringsAsFactors = FALSE)
}

# Runs bench/heap-allocations.R with a counting malloc preloaded and turns
# its lines into result rows: C heap allocations per transfer at two sizes
# and the allocations per additional row.
heap_allocations <- function(bench_dir, small = 1e4, large = 1e5) {
  build_dir <- file.path(tempdir(), "tavik4r-bench-build")
  dir.create(build_dir, showWarnings = FALSE, recursive = TRUE)
  counter <- file.path(build_dir, "heap-count.so")
  status <- system2("cc", c("-O2", "-shared", "-fPIC", "-o", shQuote(counter),
                            shQuote(file.path(bench_dir, "cpp", "heap-count.c"))),
                    stdout = TRUE, stderr = TRUE)
  if (!file.exists(counter)) stop(paste(status, collapse = "\n"))
  lines <- system2(file.path(R.home("bin"), "Rscript"),
                   c(shQuote(file.path(bench_dir, "heap-allocations.R")), shQuote(counter),
                     format(small, scientific = FALSE), format(large, scientific = FALSE)),
                   stdout = TRUE, env = sprintf("LD_PRELOAD=%s", counter))
  fields <- do.call(rbind, strsplit(grep("^[a-z_]+,[a-z_]+,", lines, value = TRUE), ","))
  rows_small <- as.numeric(fields[, 3])
  rows_large <- as.numeric(fields[, 4])
  alloc_small <- as.numeric(fields[, 5])
  alloc_large <- as.numeric(fields[, 6])
  rbind(
    data.frame(size = rows_large, case = fields[, 1],
               measure = sprintf("%s heap allocations", fields[, 2]),
               value = alloc_large, unit = "count", stringsAsFactors = FALSE),
    data.frame(size = rows_large, case = fields[, 1],
               measure = sprintf("%s heap allocations per added row", fields[, 2]),
               value = (alloc_large - alloc_small) / (rows_large - rows_small),
               unit = "count", stringsAsFactors = FALSE))
}
