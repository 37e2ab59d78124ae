#' The simulated engine shipped with the package
#'
#' The package comes with a simulated Tavik engine: a shared library named
#' `libtavik3.dll` (on every platform) that reads project files of its own
#' text format (see [tavik_project_format]) and behaves like a sparse
#' modelling engine. Use it to try the package without the real engine.
#'
#' @section Test controls:
#' Besides the engine's entry points, the simulated engine exports a few C
#' functions of its own that the package's tests use to steer it; the real
#' engine has none of them, and the package never calls them:
#' `TavikSimFault()` makes the nth (or every) call of an entry point fail
#' with a given code and text, `TavikSimSwitch()` turns misbehaviours on
#' and off (a refused close, out-of-range element numbers, ...),
#' `TavikSimCounter()` and `TavikSimCalls()` report live handles, opened
#' and closed projects and the calls of each entry point, and
#' `TavikSimReset()` clears them all. Their R front ends are in the
#' package's sources, `tests/testthat/helper-simengine.R`.
#'
#' @return The path of the installed simulated engine library.
#' @seealso [tavik_example_project()] for the example projects,
#'   [tavik_load()] to load the engine.
#' @export
#' @examples
#' engine <- tavik_example_engine()
#' basename(engine)
#' file.exists(engine)
tavik_example_engine <- function() {
  path <- system.file("engine", "libtavik3.dll", package = "tavik4r")
  if (!nzchar(path)) {
    stop("The simulated engine is not installed with tavik4r; reinstall the package.",
         call. = FALSE)
  }
  path
}

#' Example projects for the simulated engine
#'
#' Returns the path of a project file shipped with the package:
#' * `"transport"`: a small transport model with plants, markets and years,
#'   costs over two sets, capacities, an element parameter, string and
#'   scalar identifiers and a scoped identifier (`Plant::Area::Stock`).
#' * `"bench1e6"`: generated identifiers of a million values each (double,
#'   integer over an integer set, string, element) and empty targets.
#' * `"bench1e7"`: one generated identifier of ten million values.
#'
#' @param name Name of the example project.
#' @return The path of the project file.
#' @seealso [tavik_project_format] for writing projects of your own,
#'   [tavik_example_engine()].
#' @export
#' @examples
#' project <- tavik_example_project("transport")
#' basename(project)
#' cat(head(readLines(project), 12), sep = "\n")
tavik_example_project <- function(name = "transport") {
  if (!is.character(name) || length(name) != 1L || is.na(name)) {
    stop("`name` must be a single string.", call. = FALSE)
  }
  available <- example_project_names()
  if (!name %in% available) {
    stop(sprintf("No example project '%s'. Available: %s.", name,
                 paste(available, collapse = ", ")), call. = FALSE)
  }
  system.file("projects", paste0(name, ".tvp"), package = "tavik4r")
}

example_project_names <- function() {
  folder <- system.file("projects", package = "tavik4r")
  sort(sub("\\.tvp$", "", list.files(folder, pattern = "\\.tvp$")))
}

#' Project files of the simulated engine
#'
#' The simulated engine ([tavik_example_engine()]) opens project files in a
#' small text format. A project declares sets with their elements, indices,
#' parameters and variables (numeric, integer, string or element valued,
#' with or without index sets) and their data; `generate` fills an
#' identifier with deterministic data for large tests. For example:
#'
#' ```
#' set Plants = { Amsterdam, Berlin, "New York" }
#' set Markets = { m1..m3 }
#' set Years subset of Integers = { 2024..2026 }
#' index p in Plants
#' parameter Cost(p, Markets) = {
#'   Amsterdam, m1 : 2.5
#'   Berlin, m3 : 4
#' }
#' string parameter ModelName = "Transport"
#' parameter Big(Plants, Markets)
#' generate Big density=0.5 seed=1
#' ```
#'
#' The complete description is the file `FORMAT.md` next to the example
#' projects: `system.file("projects", "FORMAT.md", package = "tavik4r")`.
#'
#' @name tavik_project_format
#' @seealso [tavik_example_project()]
#' @examples
#' format_file <- system.file("projects", "FORMAT.md", package = "tavik4r")
#' cat(head(readLines(format_file), 20), sep = "\n")
NULL
