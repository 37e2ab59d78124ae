#' tavik4r: read and write Tavik modelling engine data from R
#'
#' The package loads the Tavik engine's run-time library (`libtavik3.dll`)
#' into R, opens an engine project and moves the data of its identifiers
#' between the engine and R.
#'
#' @section Working with a project:
#' * [tavik_load()] loads the engine library, [tavik_open()] opens a project,
#'   [tavik_load_and_open()] does both, and [tavik_close()] closes the
#'   project again. [with_tavik_project()] and [local_tavik_project()] close
#'   it for you.
#' * [tavik_read()] gives the data of an identifier as a data frame (one
#'   column per index set, then the values) or, for a scalar, as a vector of
#'   length 1. [tavik_write()] replaces the data of an identifier.
#' * [tavik_library_loads()] tests an engine library file.
#'
#' The engine holds one project at a time for the whole R process.
#'
#' @section The simulated engine:
#' Without the real engine, use the simulated engine shipped with the
#' package, [tavik_example_engine()], and its example projects,
#' [tavik_example_project()]. [tavik_project_format] describes the project
#' files it reads, for writing projects of your own. `demo("transport",
#' package = "tavik4r")` walks through a session.
#'
#' @section Errors:
#' Failures you can act on are errors with classes of their own, all
#' inheriting from `tavik_error`: `tavik_argument_error`,
#' `tavik_library_not_found`, `tavik_library_load_error`, `tavik_no_engine`,
#' `tavik_project_error` (with `tavik_project_not_found` for a missing
#' file) and `tavik_no_project`. Errors reported by the engine keep the
#' engine's message, and their first class names the failure, such as
#' `Tavik::TavikException`.
#'
#' @section Standard output:
#' The engine binding writes a few diagnostic lines, such as the path of an
#' engine library it could not load, on the process's standard output. They
#' bypass R's console, so `capture.output()` and `sink()` do not see them.
#'
"_PACKAGE"

#' @useDynLib tavik4r, .registration = TRUE
#' @importFrom Rcpp sourceCpp
NULL
