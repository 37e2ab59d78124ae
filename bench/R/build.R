# Compiles the C++ baselines into a temporary folder and loads them.
baseline_sources <- c("engine.h", "engine.cpp", "read-floor.cpp", "write-floor.cpp",
                      "csv-write.cpp")

build_baselines <- function(bench_dir) {
  build_dir <- file.path(tempdir(), "tavik4r-bench-build")
  dir.create(build_dir, showWarnings = FALSE, recursive = TRUE)
  file.copy(file.path(bench_dir, "cpp", baseline_sources), build_dir, overwrite = TRUE)
  # The engine's contract from the package's sources, beside bench/.
  sources <- normalizePath(file.path(bench_dir, "..", "src"), mustWork = TRUE)
  writeLines(c("CXX_STD = CXX17",
               sprintf("PKG_CPPFLAGS = -I'%s'", sources),
               "PKG_LIBS = -ldl"),
             file.path(build_dir, "Makevars"))
  old <- setwd(build_dir)
  on.exit(setwd(old))
  status <- system2(file.path(R.home("bin"), "R"),
                    c("CMD", "SHLIB", "-o", "baselines.so", grep("\\.cpp$", baseline_sources, value = TRUE)),
                    stdout = TRUE, stderr = TRUE)
  if (!file.exists("baselines.so")) stop(paste(status, collapse = "\n"))
  dyn.load(file.path(build_dir, "baselines.so"))
}

baseline <- function(name, ...) .Call(name, ..., PACKAGE = "baselines")
