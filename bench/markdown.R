# Turns bench/out/results.csv into the Markdown tables of bench/RESULTS.md:
#   Rscript bench/markdown.R [RESULTS.csv]
args <- commandArgs(TRUE)
results <- utils::read.csv(if (length(args)) args[[1]] else "bench/out/results.csv",
                           stringsAsFactors = FALSE)

value_of <- function(rows, measure) {
  hit <- rows$value[rows$measure == measure]
  if (length(hit)) hit[[1]] else NA_real_
}
seconds <- function(x) ifelse(is.na(x), "", sprintf("%.4f", x))
ratio <- function(x) ifelse(is.na(x), "", sprintf("%.2f", x))

table_rows <- function(header, rows) {
  c(paste("|", paste(header, collapse = " | "), "|"),
    paste("|", paste(rep("---", length(header)), collapse = " | "), "|"),
    vapply(rows, function(r) paste("|", paste(r, collapse = " | "), "|"), ""))
}

timings <- c("rows", "GetData", "assemble", "iterate", "read floor", "get/floor",
             "SetData", "write floor", "set/floor", "SetData factors",
             "write floor factors", "factors/floor", "factors/character", "CSV route/get")
scaling <- c("rows", "GetData x10", "read floor x10", "SetData x10",
             "SetData factors x10", "write floor x10")
for (case in unique(results$case[results$unit == "s"])) {
  of_case <- results[results$case == case, ]
  sizes <- sort(unique(of_case$size[of_case$measure == "get"]))
  rows <- lapply(sizes, function(size) {
    r <- of_case[of_case$size == size, ]
    v <- function(m) value_of(r, m)
    c(sprintf("%.0e", size), seconds(v("get")), seconds(v("assemble")),
      seconds(v("iterate")), seconds(v("read_floor")), ratio(v("get/read_floor")),
      seconds(v("set")), seconds(v("write_floor")), ratio(v("set/write_floor")),
      seconds(v("set_factor")), seconds(v("write_floor_factor")),
      ratio(v("set_factor/write_floor_factor")), ratio(v("set_factor/set")),
      ratio(v("csv_route/get")))
  })
  cat(sprintf("\n**%s** (seconds, medians; ratios)\n\n", case))
  cat(table_rows(timings, rows), sep = "\n")
  steps <- Filter(function(size) any(of_case$size == size & grepl("x10 rows", of_case$measure)), sizes)
  if (length(steps)) {
    rows <- lapply(steps, function(size) {
      r <- of_case[of_case$size == size, ]
      v <- function(m) value_of(r, m)
      c(sprintf("%.0e", size), ratio(v("get x10 rows")), ratio(v("read_floor x10 rows")),
        ratio(v("set x10 rows")), ratio(v("set_factor x10 rows")), ratio(v("write_floor x10 rows")))
    })
    cat("\n")
    cat(table_rows(scaling, rows), sep = "\n")
  }
}

heap <- results[grepl("heap allocations", results$measure), ]
if (nrow(heap)) {
  cat("\n\nC heap allocations per transfer at", format(max(heap$size), big.mark = ",", scientific = FALSE), "rows, and per added row from 1e4 to 1e5 rows\n\n")
  rows <- lapply(unique(heap$case), function(case) {
    r <- heap[heap$case == case, ]
    v <- function(m) value_of(r, m)
    c(case, format(v("get heap allocations"), big.mark = ","),
      sprintf("%.3f", v("get heap allocations per added row")),
      format(v("set heap allocations"), big.mark = ","),
      sprintf("%.3f", v("set heap allocations per added row")),
      format(v("set_factor heap allocations"), big.mark = ","),
      sprintf("%.3f", v("set_factor heap allocations per added row")))
  })
  cat(table_rows(c("case", "GetData", "per added row", "SetData", "per added row",
                   "SetData factors", "per added row"), rows), sep = "\n")
}
peak <- results[results$measure == "peak/object_size", ]
if (nrow(peak)) {
  cat(sprintf("\n\nPeak resident memory of a GetData of %s rows: %.1f MB above the baseline, result %.1f MB, ratio %.2f\n",
              format(peak$size[1], big.mark = ","),
              value_of(results, "peak_rss_above_baseline") / 1e6,
              value_of(results, "result_object_size") / 1e6, peak$value[1]))
}
