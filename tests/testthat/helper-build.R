# Programs and libraries built from the package's sources for the checks
# that need them (drivers of the engine and the binding, engine fixtures).
# They exist only where the tests run: nothing test-only is installed.

# The package's src folder: the source tree when the tests run from it, the
# unpacked tarball under R CMD check; "" when neither is there.
package_sources <- function() {
  candidates <- c(test_path("..", "..", "src"),
                  test_path("..", "..", "00_pkg_src", "tavik4r", "src"))
  found <- candidates[file.exists(file.path(candidates, "engine", "TavikContract.h"))]
  if (length(found)) normalizePath(found[[1]]) else ""
}

# R's C++ compiler and its standard flag, as `R CMD config` reports them.
cxx_command <- function() {
  r <- file.path(R.home("bin"), "R")
  cxx <- strsplit(trimws(system2(r, c("CMD", "config", "CXX17"), stdout = TRUE)), "[[:space:]]+")[[1]]
  std <- system2(r, c("CMD", "config", "CXX17STD"), stdout = TRUE)
  c(cxx, std)
}

# Builds output from sources (paths under src) once per test run; skips when
# the sources or a compiler are missing.
build_from_sources <- function(output, sources, flags = character(), libs = character()) {
  target <- file.path(tempdir(), output)
  if (file.exists(target)) return(target)
  skip_on_os("windows")
  src <- package_sources()
  skip_if(!nzchar(src), "the package's sources are not available")
  cxx <- cxx_command()
  skip_if(!nzchar(Sys.which(cxx[[1]])), "no C++ compiler")
  dir.create(dirname(target), recursive = TRUE, showWarnings = FALSE)
  args <- c(cxx[-1], "-O1", paste0("-I", src), flags, "-o", target,
            file.path(src, sources), libs)
  log <- suppressWarnings(system2(cxx[[1]], args, stdout = TRUE, stderr = TRUE))
  if (!is.null(attr(log, "status"))) {
    stop(output, " does not build:\n", paste(log, collapse = "\n"), call. = FALSE)
  }
  target
}

# The simulated engine's sources, from the build file that lists them.
simengine_sources <- function() {
  src <- package_sources()
  skip_if(!nzchar(src), "the package's sources are not available")
  lines <- readLines(file.path(src, "Makevars.sources"))
  text <- paste(sub("\\\\$", "", lines), collapse = " ")
  listed <- regmatches(text, regexpr("SIMENGINE_SOURCES *=[^=]*?(?= [A-Z_]+ *=|$)", text, perl = TRUE))
  files <- strsplit(trimws(sub("SIMENGINE_SOURCES *=", "", listed)), "[[:space:]]+")[[1]]
  files[grepl("\\.cpp$", files)]
}

# The simulated engine built without TavikValueCard, for checks of a library
# that lacks an entry point.
engine_without_value_card <- function() {
  build_from_sources(file.path("no-valuecard", "libtavik3.dll"), simengine_sources(),
                     c("-fPIC", "-shared", "-fvisibility=hidden", "-O0",
                       "-DTAVIK_SIM_WITHOUT_VALUECARD"))
}
