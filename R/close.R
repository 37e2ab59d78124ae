#' Close the open Tavik project
#'
#' Closes the project opened with [tavik_open()] or [tavik_load_and_open()].
#' The engine library stays loaded, so another project can be opened next.
#' Closing when no project is open does nothing, which makes the function
#' safe in clean-up code.
#'
#' @return `TRUE` if a project was closed, `FALSE` if there was none to close,
#'   invisibly.
#' @export
#' @examples
#' tavik_load_and_open(tavik_example_engine(), tavik_example_project())
#' tavik_close()
#' tavik_close() # nothing left to close: FALSE, invisibly
tavik_close <- function() {
  invisible(.Call(tavik4r_CloseProject))
}
