#' Use a project for a block of code
#'
#' `with_tavik_project()` loads the engine library, opens the project, runs
#' `code` and closes the project again, also when `code` fails.
#' `local_tavik_project()` does the same for the rest of the calling
#' function: the project is closed when that function returns or fails.
#'
#' @inheritParams tavik_load
#' @inheritParams tavik_open
#' @param code Code to run while the project is open.
#' @param envir The frame whose exit closes the project; by default the
#'   function that calls `local_tavik_project()`.
#' @return `with_tavik_project()` returns the value of `code`;
#'   `local_tavik_project()` returns `TRUE`, invisibly.
#' @seealso [tavik_load_and_open()], [tavik_close()].
#' @export
#' @examples
#' with_tavik_project(tavik_example_engine(), tavik_example_project(), {
#'   sum(tavik_read("Capacity")$Capacity)
#' })
#'
#' total_demand <- function() {
#'   local_tavik_project(tavik_example_engine(), tavik_example_project())
#'   sum(tavik_read("Demand")$Demand)
#' }
#' total_demand()
with_tavik_project <- function(library, project, code) {
  tavik_load_and_open(library, project)
  on.exit(tavik_close(), add = TRUE)
  force(code)
}

#' @rdname with_tavik_project
#' @export
local_tavik_project <- function(library, project, envir = parent.frame()) {
  tavik_load_and_open(library, project)
  # Registers the close as an exit handler of `envir`'s function call.
  do.call(base::on.exit, list(as.call(list(tavik_close)), TRUE, FALSE), envir = envir)
  invisible(TRUE)
}
