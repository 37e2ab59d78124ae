#' Write data into an engine identifier
#'
#' Replaces all data of an identifier of the open project. For an identifier
#' over sets, give a data frame with one column per index, in the order of
#' the identifier's sets, followed by the value column; columns are matched
#' by position, not by name. For a scalar identifier, give a single value.
#'
#' @param data A data frame shaped like the one [tavik_read()] returns for
#'   the identifier, or a single value for a scalar identifier.
#' @param identifier Name of the identifier.
#' @param add_missing What to do with a label that a set of the identifier
#'   does not have: `FALSE` (the default) makes it an error, `TRUE` adds the
#'   label to the set.
#' @return `data`, invisibly. With no project open the error has the class
#'   `tavik_no_project`, a wrong argument gives `tavik_argument_error`.
#'   Errors of the engine, such as a label missing from a set, come with the
#'   engine's message and class. Every row is checked before anything is
#'   written, so data that can't be written leaves the identifier and its
#'   sets as they were. When the engine refuses a value in the middle of
#'   writing, the identifier's previous data is written back and the error
#'   says so (or, should the engine refuse that too, says what the identifier
#'   now holds). Labels that `add_missing = TRUE` added to a set stay there:
#'   the engine can't remove them.
#' @seealso [tavik_read()].
#' @export
#' @examples
#' tavik_load_and_open(tavik_example_engine(), tavik_example_project())
#'
#' cost <- tavik_read("Cost")
#' cost$Cost <- cost$Cost * 1.1
#' tavik_write(cost, "Cost")
#'
#' tavik_write(0.07, "Discount")
#' tavik_read("Discount")
#'
#' tavik_close()
tavik_write <- function(data, identifier, add_missing = FALSE) {
  check_writable(data, "data")
  check_string(identifier, "identifier")
  check_flag(add_missing, "add_missing")
  require_project()
  .Call(tavik4r_SetData, data, identifier, as.integer(add_missing))
  invisible(data)
}
