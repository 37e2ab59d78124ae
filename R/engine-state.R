# Internal views of the process-wide engine state, used to turn a bare FALSE
# from an entry point into an error that tells the user what to do.

engine_state <- function() {
  .Call(tavik4r_EngineState)
}

engine_loaded <- function() {
  isTRUE(engine_state()[["engine_loaded"]])
}

project_open <- function() {
  isTRUE(engine_state()[["project_open"]])
}

# "" when the library at `path` loads, otherwise the system's reason.
library_load_error <- function(path) {
  .Call(tavik4r_LibraryLoadError, path)
}

require_project <- function() {
  if (!project_open()) {
    tavik_abort(
      "No Tavik project is open. Open one with tavik_open() or tavik_load_and_open() first.",
      "tavik_no_project"
    )
  }
  invisible(TRUE)
}
