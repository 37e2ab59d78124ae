#' Close the open Tavik project
#'
#' Closes the project opened with [tavik_open()] or [tavik_load_and_open()].
#' The engine library stays loaded, so another project can be opened next.
#' Closing when no project is open does nothing, which makes the function
#' safe in clean-up code.
#'
#' Closing a project makes the engine load its library file again. When that
#' fails (the file was moved or deleted), the project is closed but no engine
#' library is loaded any more: the function then returns `FALSE` with a
#' warning of class `tavik_library_lost` that names the file, and
#' [tavik_load()] starts afresh.
#'
#' @return `TRUE` if a project was closed, `FALSE` if there was none to close,
#'   invisibly.
#' @export
#' @examples
#' tavik_load_and_open(tavik_example_engine(), tavik_example_project())
#' tavik_close()
#' tavik_close() # nothing left to close: FALSE, invisibly
tavik_close <- function() {
  closed <- .Call(tavik4r_CloseProject)
  if (!closed && !is.null(lost_library())) {
    warning(structure(
      class = c("tavik_library_lost", "warning", "condition"),
      list(message = paste0("The project is closed, but no engine library is loaded.",
                            lost_library_note()),
           call = NULL, path = lost_library()$path)
    ))
  }
  invisible(closed)
}
