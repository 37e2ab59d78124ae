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

# The library a close unloaded and could not load again (path and reason),
# or NULL.
lost_library <- function() {
  lost <- .Call(tavik4r_LostLibrary)
  if (length(lost)) as.list(lost) else NULL
}

# Why no engine is loaded when a close lost it, for the messages below.
lost_library_note <- function() {
  lost <- lost_library()
  if (is.null(lost)) {
    return("")
  }
  sprintf(
    paste0(
      "\nClosing the last project unloaded the engine library '%s', and loading it ",
      "again failed: %s"
    ),
    lost$path, lost$reason
  )
}

# "" when the library at `path` loads, otherwise the system's reason.
library_load_error <- function(path) {
  .Call(tavik4r_LibraryLoadError, path)
}

require_project <- function() {
  if (!project_open()) {
    tavik_abort(
      paste0(
        "No Tavik project is open. Open one with tavik_open() or tavik_load_and_open() first.",
        lost_library_note()
      ),
      "tavik_no_project"
    )
  }
  invisible(TRUE)
}
