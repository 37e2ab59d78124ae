# Ratios of the medians, measured in the same run, and their printing.
ratio_rows <- function(times) {
  value <- function(measure) {
    hit <- times$value[times$measure == measure]
    if (length(hit)) hit else NA_real_
  }
  csv_route <- value("csv_write") + value("fread")
  read_floor <- value("assemble") + value("iterate")
  ratios <- c(
    "get/read_floor" = value("get") / read_floor,
    "set/write_floor" = value("set") / value("write_floor"),
    "set_factor/write_floor_factor" = value("set_factor") / value("write_floor_factor"),
    "set_factor/set" = value("set_factor") / value("set"),
    "csv_route/get" = csv_route / value("get"),
    "read.csv/get" = value("read.csv") / value("get")
  )
  ratios <- ratios[!is.na(ratios)]
  rbind(
    data.frame(size = times$size[1], case = times$case[1],
               measure = c("read_floor", "csv_route"),
               value = c(read_floor, csv_route), unit = "s", stringsAsFactors = FALSE),
    data.frame(size = times$size[1], case = times$case[1], measure = names(ratios),
               value = unname(ratios), unit = "ratio", stringsAsFactors = FALSE))
}

# Time of ten times the rows over time of the rows, per case and measure.
scaling_rows <- function(results) {
  out <- list()
  for (case in unique(results$case)) {
    for (measure in c("get", "set", "set_factor", "read_floor", "write_floor")) {
      hit <- results[results$case == case & results$measure == measure & results$unit == "s", ]
      hit <- hit[order(hit$size), ]
      for (k in seq_len(nrow(hit))[-1]) {
        if (hit$size[k] == 10 * hit$size[k - 1]) {
          out[[length(out) + 1L]] <- data.frame(
            size = hit$size[k], case = case,
            measure = sprintf("%s x10 rows", measure),
            value = hit$value[k] / hit$value[k - 1], unit = "ratio",
            stringsAsFactors = FALSE)
        }
      }
    }
  }
  do.call(rbind, out)
}

add_ratios <- function(results) {
  groups <- split(results, list(results$size, results$case), drop = TRUE)
  results <- rbind(results, do.call(rbind, lapply(groups, ratio_rows)))
  rbind(results, scaling_rows(results))
}

print_results <- function(results) {
  show <- results
  show$value <- ifelse(show$unit == "s", sprintf("%.4f s", show$value),
                       ifelse(show$unit == "ratio", sprintf("%.2f", show$value),
                              format(show$value, big.mark = ",")))
  show$unit <- NULL
  rownames(show) <- NULL
  print(show, right = FALSE)
}
