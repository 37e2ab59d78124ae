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
#' * [tavik_describe()] tells what an identifier is: its kind, the type of
#'   its values, its sets, its range and how many values it holds.
#' * [tavik_read()] gives the data of an identifier as a data frame (one
#'   column per index set, then the values), a scalar as a vector of length
#'   1, and a set as its labels. [tavik_write()] replaces the data of an
#'   identifier, or with `replace = FALSE` changes only the given tuples,
#'   after checking every label and value.
#' * [tavik_library_loads()] tests an engine library file.
#'
#' The engine holds one project at a time for the whole R process.
#' `vignette("tavik4r")` walks through a session.
#'
#' @section The simulated engine:
#' Without the real engine, use the simulated engine shipped with the
#' package, [tavik_example_engine()], and its example projects,
#' [tavik_example_project()]. [tavik_project_format] describes the project
#' files it reads, for writing projects of your own. `demo("transport",
#' package = "tavik4r")` walks through a session.
#'
#' @section Errors:
#' Every error the functions raise inherits from `tavik_error`, with a class
#' that says what went wrong and fields to act on:
#' * `tavik_argument_error`: a wrong argument;
#' * `tavik_library_not_found` and `tavik_library_load_error` (fields `path`,
#'   `reason`, `missing`): an engine library that is missing, does not load
#'   or lacks engine entry points;
#' * `tavik_no_engine`, `tavik_no_project`: call [tavik_load()] or
#'   [tavik_open()] first;
#' * `tavik_project_error` (fields `path`, `code`, `text`), with
#'   `tavik_project_not_found` for a missing file: a project the engine
#'   can't open, with the engine's reason;
#' * `tavik_project_already_open`: [with_tavik_project()] and
#'   [local_tavik_project()] leave an open project alone;
#' * `tavik_unknown_identifier` (fields `identifier`, `code`, `text`);
#' * `tavik_label_error` (fields `identifier`, `set`, `column`, `row`,
#'   `label`): a label not in its set;
#' * `tavik_data_error` (fields `identifier`, `column`, `row`, `value`,
#'   `problem`): data that does not fit the identifier;
#' * `tavik_engine_error` (fields `identifier`, `code`, `text`,
#'   `restored`): the engine refused.
#'
#' Where an underlying condition exists, such as the engine's fault record
#' or a C++ exception, it is the field `parent`. Errors that R itself raises
#' during a transfer (an interrupt, a time limit, memory) reach the caller as
#' they are.
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
