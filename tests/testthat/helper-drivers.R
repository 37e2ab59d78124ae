# The C++ test drivers, built from the package's sources: tests/engine
# drives the simulated engine through its entry points, tests/binding the
# package's engine binding (loader, API, engine errors, text). Both share
# the checks and the temporary folder of tests/common.

# The binding's sources that compile without R.
binding_sources <- c("engine/TextConversion.cpp", "engine/TavikException.cpp",
                     "engine/LibraryHandle.cpp", "engine/TavikLoader.cpp",
                     "engine/LoadedTavikAPI.cpp")

# The driver of the folder tests/<folder>, built once per test run.
driver_program <- function(folder, sources = character()) {
  src <- package_sources()
  skip_if(!nzchar(src), "the package's sources are not available")
  files <- function(dir) {
    file.path("..", "tests", dir, list.files(file.path(src, "..", "tests", dir), "\\.cpp$"))
  }
  build_from_sources(paste0("tavik-", folder, "-driver"),
                     c(files(folder), files("common"), sources), libs = "-ldl")
}

# Runs one section of a driver as
#   program <library> <projects folder> <section> [extra ...]
# It passes when the driver ran every check of the section without a
# failure and removed its temporary folder; a section the driver can't run
# here is skipped.
expect_driver_section <- function(program, section, library = engine_path(),
                                  extra = character()) {
  scratch <- tempfile("driver-tmp-")
  dir.create(scratch)
  on.exit(unlink(scratch, recursive = TRUE), add = TRUE)
  projects <- dirname(project_path("transport"))
  out <- suppressWarnings(system2(program, shQuote(c(library, projects, section, extra)),
                                  stdout = TRUE, stderr = TRUE,
                                  env = paste0("TMPDIR=", shQuote(scratch))))
  status <- attr(out, "status") %||% 0L
  left <- list.files(scratch, pattern = "^tavik-driver-")
  expect(status == 0L && any(grepl("^checks [0-9]+ failures 0$", out)) && !length(left),
         paste0(basename(program), " section '", section, "':\n", paste(out, collapse = "\n"),
                if (length(left)) paste("\nleft behind:", paste(left, collapse = ", "))))
  skipped <- sub("^SKIP ", "", grep("^SKIP ", out, value = TRUE))
  if (length(skipped)) skip(paste(skipped, collapse = "; "))
}

`%||%` <- function(a, b) if (is.null(a)) b else a
