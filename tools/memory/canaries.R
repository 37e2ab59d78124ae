# Proves that the memory check sees a sanitizer report from a callr child,
# also one made after the child's result is saved (callr::r returns that
# result all the same), so that a clean test run means something.
#   Rscript tools/memory/canaries.R address|undefined CANARY.so REPORT_DIR
# Each child logs to REPORT_DIR/<canary>; prints a line per canary and
# exits non-zero when a report is missing.
args <- commandArgs(trailingOnly = TRUE)
sanitizer <- args[[1]]
canary <- normalizePath(args[[2]])
reports <- normalizePath(args[[3]])
runtime <- c(address = "libasan", undefined = "libubsan")[[sanitizer]]
options_var <- c(address = "ASAN_OPTIONS", undefined = "UBSAN_OPTIONS")[[sanitizer]]

# The check's own options, with the log path moved to the canary's file.
env_for <- function(name) {
  options <- gsub("(^|:)log_path=[^:]*", "", Sys.getenv(options_var))
  value <- paste0(options, ":log_path=", file.path(reports, name))
  c(callr::rcmd_safe_env(), setNames(value, options_var))
}

during <- function(canary, entry, ...) {
  dyn.load(canary)
  .Call(entry, ...)
  "returned"
}
# The fault comes from a finalizer R runs at exit, after callr saved "saved".
after_result <- function(canary, entry, ...) {
  dyn.load(canary)
  args <- list(...)
  reg.finalizer(globalenv(), function(e) do.call(.Call, c(list(entry), args)),
                onexit = TRUE)
  "saved"
}

canaries <- list(
  address = list(
    list("use-after-free", during, "canary_use_after_free", list(), "heap-use-after-free"),
    list("use-after-free-at-exit", after_result, "canary_use_after_free", list(), "heap-use-after-free"),
    list("leak", during, "canary_leak", list(), "LeakSanitizer: detected memory leaks")
  ),
  undefined = list(
    list("overflow", during, "canary_overflow", list(1L), "runtime error: signed integer overflow"),
    list("overflow-at-exit", after_result, "canary_overflow", list(1L), "runtime error: signed integer overflow")
  )
)[[sanitizer]]

failed <- FALSE
# Children must load the runtime with the package, as the tests' children do.
loaded <- callr::r(function(runtime) {
  loadNamespace("tavik4r")
  any(grepl(runtime, readLines("/proc/self/maps"), fixed = TRUE))
}, args = list(runtime), env = env_for("runtime"))
cat(sprintf("canary %s: %s\n", runtime, if (isTRUE(loaded)) "loaded in children" else "MISSING in children"))
failed <- !isTRUE(loaded)

for (case in canaries) {
  name <- case[[1]]
  value <- tryCatch(
    callr::r(case[[2]], args = c(list(canary, case[[3]]), case[[4]]), env = env_for(name)),
    error = function(e) "failed")
  files <- list.files(reports, pattern = paste0("^", name, "\\."), full.names = TRUE)
  text <- unlist(lapply(files, readLines))
  seen <- any(grepl(case[[5]], text, fixed = TRUE))
  # An at-exit canary only counts when the child really got its result out.
  saved <- !identical(case[[2]], after_result) || identical(value, "saved")
  cat(sprintf("canary %s (child returned \"%s\"): report %s\n", name, value,
              if (seen && saved) "seen" else "NOT SEEN"))
  failed <- failed || !seen || !saved
}
quit(status = if (failed) 1L else 0L)
