#' Open a Tavik project
#'
#' Opens a project in the loaded engine, so that its identifiers can be read
#' with [tavik_read()] and written with [tavik_write()]. A project that is
#' already open is closed first: the engine holds one project at a time.
#'
#' @param project Path of the project file. Use [tavik_example_project()] for
#'   the example projects shipped with the package; [tavik_project_format]
#'   describes the format the simulated engine reads.
#' @return `TRUE`, invisibly. Failures are errors: `tavik_no_engine` when no
#'   engine library is loaded, `tavik_project_error` when the file does not
#'   exist (with the subclass `tavik_project_not_found`) or the engine cannot
#'   open it; then the message gives the engine's own reason, which is also
#'   in the fields `code` and `text`. All have the class `tavik_error`.
#' @seealso [tavik_load_and_open()], [tavik_close()], [with_tavik_project()].
#' @export
#' @examples
#' tavik_load(tavik_example_engine())
#' tavik_open(tavik_example_project())
#' tavik_read("Discount")
#' tavik_close()
#'
#' # A project the engine can't read: the error gives the engine's reason.
#' damaged <- tempfile(fileext = ".tvp")
#' writeLines(c("set A = { a }", "parameter X(A) = { a : many }"), damaged)
#' try(tavik_open(damaged))
#' unlink(damaged)
tavik_open <- function(project) {
  path <- existing_project(project)
  if (!engine_loaded()) {
    tavik_abort(
      paste0(
        "No Tavik engine library is loaded. Load one with tavik_load() first.",
        lost_library_note()
      ),
      "tavik_no_engine"
    )
  }
  # Opening over an open project would leave it open in the engine and keep
  # the old project's sets cached.
  if (project_open() && !tavik_close()) {
    tavik_abort(
      paste0(
        "The engine refused to close the open project, so no other project can be opened.\n",
        "Load the engine again with tavik_load() to start afresh."
      ),
      "tavik_project_error",
      path = path
    )
  }
  if (!.Call(tavik4r_OpenProject, path)) {
    abort_project_open(path)
  }
  invisible(TRUE)
}

#' Load the engine library and open a project
#'
#' [tavik_load()] followed by [tavik_open()], in one call. Both arguments are
#' checked before anything is loaded.
#'
#' @inheritParams tavik_load
#' @inheritParams tavik_open
#' @return `TRUE`, invisibly. Failures are the errors of [tavik_load()] and
#'   [tavik_open()].
#' @seealso [with_tavik_project()] and [local_tavik_project()], which also
#'   close the project again.
#' @export
#' @examples
#' tavik_load_and_open(tavik_example_engine(), tavik_example_project())
#' head(tavik_read("Cost"))
#' tavik_close()
tavik_load_and_open <- function(library, project) {
  check_string(library, "library")
  check_string(project, "project")
  library_path <- existing_library(library)
  project_path <- existing_project(project)
  # Two steps rather than one combined call, so a failure names its cause.
  tavik_load(library_path)
  tavik_open(project_path)
}

existing_project <- function(project) {
  check_string(project, "project")
  if (!file.exists(project)) {
    tavik_abort(
      sprintf(
        paste0(
          "Can't find the project '%s'.\n",
          "Give the path of a project file, or tavik_example_project() for the example."
        ),
        project
      ),
      c("tavik_project_not_found", "tavik_project_error"),
      path = project
    )
  }
  normalizePath(project)
}

# The engine records why it could not read a project (for the simulated
# engine: the file, the line and the reason); the error passes it on.
abort_project_open <- function(path) {
  engine <- .Call(tavik4r_EngineLastError)
  said <- if (is.null(engine) || !nzchar(engine$text)) {
    "Check that the file is a project this engine can read and that it is not damaged."
  } else {
    sprintf("The engine says (error %d): %s", engine$code, engine$text)
  }
  tavik_abort(
    sprintf("The engine could not open the project '%s'.\n%s", path, said),
    "tavik_project_error",
    path = path,
    code = if (is.null(engine)) NA_integer_ else engine$code,
    text = if (is.null(engine)) NA_character_ else engine$text
  )
}
