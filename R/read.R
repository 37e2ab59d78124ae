#' Read the data of engine identifiers
#'
#' Reads an identifier of the open project. An identifier over one or more
#' sets becomes a data frame with one column per index, named after its set,
#' and a value column named after the identifier, with one row per stored
#' value. A scalar identifier becomes a vector of length 1. Labels of sets
#' that are subsets of `Integers` come as integers, other labels as strings.
#'
#' @param identifier Name of the identifier, as the engine knows it (a scoped
#'   name such as `"Plant::Area::Stock"` works too). Several names read
#'   several identifiers.
#' @return For one name, the identifier's data frame or length-1 vector. For
#'   several names, a list of these, named by the identifiers.
#'   With no project open the error has the class `tavik_no_project`. Errors
#'   of the engine, such as an unknown identifier, come with the engine's
#'   message and class (for example `Tavik::TavikException`).
#' @seealso [tavik_write()].
#' @export
#' @examples
#' tavik_load_and_open(tavik_example_engine(), tavik_example_project())
#' tavik_read("Cost")
#' tavik_read("Discount")
#' str(tavik_read(c("Capacity", "Demand")))
#' tavik_close()
tavik_read <- function(identifier) {
  check_names(identifier, "identifier")
  require_project()
  if (length(identifier) == 1L) {
    return(read_one(identifier))
  }
  data <- lapply(identifier, read_one)
  names(data) <- identifier
  data
}

read_one <- function(identifier) {
  .Call(tavik4r_GetData, identifier)
}
