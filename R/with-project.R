#' Use a project for a block of code
#'
#' `with_tavik_project()` loads the engine library, opens the project, runs
#' `code` and closes the project again, also when `code` fails.
#' `local_tavik_project()` does the same for the rest of the calling
#' function: the project is closed when that function returns or fails.
#'
#' Both refuse to start while a project is open, with an error of class
#' `tavik_project_already_open`: the engine holds one project at a time, so
#' they would have to close the caller's project (and lose what it has not
#' saved). Close it first with [tavik_close()], or use the open project
#' directly. For the same reason they can't be nested.
#'
#' @inheritParams tavik_load
#' @inheritParams tavik_open
#' @param code Code to run while the project is open.
#' @param envir The frame whose exit closes the project; by default the
#'   function that calls `local_tavik_project()`.
#' @return `with_tavik_project()` returns the value of `code`;
#'   `local_tavik_project()` returns `TRUE`, invisibly. Failures are the
#'   errors of [tavik_load()] and [tavik_open()], and
#'   `tavik_project_already_open`.
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
#'
#' # A project that is open already is left alone:
#' tavik_load_and_open(tavik_example_engine(), tavik_example_project())
#' try(total_demand())
#' tavik_close()
with_tavik_project <- function(library, project, code) {
  open_scoped(library, project)
  on.exit(tavik_close(), add = TRUE)
  force(code)
}

#' @rdname with_tavik_project
#' @export
local_tavik_project <- function(library, project, envir = parent.frame()) {
  if (!is.environment(envir)) {
    tavik_abort(sprintf("`envir` must be an environment, not %s.", describe(envir)),
                "tavik_argument_error")
  }
  open_scoped(library, project)
  # Registers the close as an exit handler of `envir`'s function call.
  do.call(base::on.exit, list(as.call(list(tavik_close)), TRUE, FALSE), envir = envir)
  invisible(TRUE)
}

open_scoped <- function(library, project) {
  check_string(library, "library")
  check_string(project, "project")
  if (project_open()) {
    tavik_abort(
      paste0(
        "A Tavik project is already open, and the engine holds one at a time.\n",
        "Close it with tavik_close() first, or work with the open project directly: ",
        "closing it here would lose its unsaved changes."
      ),
      "tavik_project_already_open"
    )
  }
  tavik_load_and_open(library, project)
}
