# What users install: the package library registers the seven entry points
# and the routines its R functions call, and the engine folder holds the
# simulated engine alone. The tests' drivers and fixtures are built by the
# tests, the engine's R test controls live in the tests' helpers.

test_that("the package library registers the entry points and the routines the R code calls", {
  ns <- asNamespace("tavik4r")
  code <- unlist(lapply(ls(ns, all.names = TRUE), function(name) deparse(get(name, ns))))
  called <- unlist(regmatches(code, gregexpr("tavik4r_[A-Za-z]+", code)))
  entry_points <- paste0("tavik4r_", c("LoadTavik", "OpenProject", "LoadTavikAndOpenProject",
                                       "CloseProject", "TestLoadedApi", "GetData", "SetData"))
  registered <- names(getDLLRegisteredRoutines("tavik4r")$.Call)
  expect_setequal(registered, union(entry_points, called))
  expect_false(any(grepl("^sim_", ls(ns, all.names = TRUE))))
})

test_that("the installed engine folder holds the simulated engine alone", {
  expect_identical(list.files(dirname(tavik_example_engine()), all.files = TRUE, no.. = TRUE),
                   "libtavik3.dll")
})

test_that("the package library exports its registered routines and R_init_tavik4r alone", {
  skip_if(Sys.which("nm") == "", "nm is not installed")
  skip_on_os("windows")
  library_file <- getLoadedDLLs()[["tavik4r"]][["path"]]
  symbols <- system2("nm", c("-D", "--defined-only", shQuote(library_file)), stdout = TRUE)
  exported <- vapply(strsplit(trimws(symbols), " +"), function(f) f[length(f)], "")
  expect_setequal(exported,
                  c("R_init_tavik4r", names(getDLLRegisteredRoutines("tavik4r")$.Call)))
})
