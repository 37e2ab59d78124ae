# Peak resident memory of one GetData, then of one SetData of what it read,
# in a fresh R process:
#   Rscript bench/peak-memory.R PROJECT [IDENTIFIER]
# Prints key=value lines (bytes). Each peak is the kernel's high-water mark,
# reset just before the transfer, less the resident size at that moment.
args <- commandArgs(TRUE)
project <- args[1]
identifier <- if (length(args) > 1) args[2] else "Cost"

suppressPackageStartupMessages(library(tavik4r))
status_bytes <- function(key) {
  line <- grep(sprintf("^%s:", key), readLines("/proc/self/status"), value = TRUE)
  as.numeric(sub("^[^0-9]*([0-9]+) kB.*$", "\\1", line)) * 1024
}

tavik_load_and_open(tavik_example_engine(), project)
# Sets read and R code loaded beforehand, so only the transfer is measured.
invisible(tavik_read("Warm"))
invisible(gc(full = TRUE))
reset <- tryCatch({
  writeLines("5", "/proc/self/clear_refs")
  TRUE
}, error = function(e) FALSE, warning = function(w) FALSE)
before <- status_bytes("VmRSS")
hwm_before <- status_bytes("VmHWM")
data <- tavik_read(identifier)
peak <- status_bytes("VmHWM")
after <- status_bytes("VmRSS")
size <- as.numeric(utils::object.size(data))

# The write of the same frame back (the data it replaces is as large).
invisible(gc(full = TRUE))
writeLines("5", "/proc/self/clear_refs")
write_before <- status_bytes("VmRSS")
invisible(.Call("tavik4r_SetData", data, identifier, 0L, PACKAGE = "tavik4r"))
write_peak <- status_bytes("VmHWM")
cat(sprintf("%s=%.0f\n",
            c("rows", "hwm_reset", "rss_before", "hwm_before", "peak_rss", "rss_after", "object_size",
              "write_rss_before", "write_peak_rss"),
            c(nrow(data), reset && hwm_before <= before + 1e6, before, hwm_before, peak, after, size,
              write_before, write_peak)),
    sep = "")
tavik_close()
