# Runs bench/peak-memory.R in a fresh process and turns its lines into
# result rows: the peak above the baseline against the result's size.
peak_memory <- function(bench_dir, project) {
  lines <- system2(file.path(R.home("bin"), "Rscript"),
                   c(shQuote(file.path(bench_dir, "peak-memory.R")), shQuote(project)),
                   stdout = TRUE)
  pairs <- strsplit(grep("=", lines, value = TRUE), "=")
  v <- setNames(as.numeric(vapply(pairs, `[`, "", 2)), vapply(pairs, `[`, "", 1))
  if (v[["hwm_reset"]] != 1) warning("the high-water mark could not be reset; the peak may be too high")
  above <- v[["peak_rss"]] - v[["rss_before"]]
  data.frame(
    size = v[["rows"]], case = "double",
    measure = c("peak_rss_above_baseline", "result_object_size", "peak/object_size"),
    value = c(above, v[["object_size"]], above / v[["object_size"]]),
    unit = c("bytes", "bytes", "ratio"), stringsAsFactors = FALSE)
}
