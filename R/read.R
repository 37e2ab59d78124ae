#' Read the data of engine identifiers
#'
#' Reads an identifier of the open project. An identifier over one or more
#' sets becomes a data frame with one column per index, named after its set
#' (a set used twice gives `Cities` and `Cities.1`), and a value column
#' named after the identifier (after the range set, for element values),
#' with one row per stored value. A scalar identifier becomes a vector of
#' length 1; an element scalar with no element reads as `NA`. A set, or an
#' index, reads as its labels in the engine's order.
#'
#' Labels of sets that are subsets of `Integers` come as integers, other
#' labels and texts as strings in UTF-8. The engine stores data sparsely:
#' zeros, empty texts and tuples without an element are not stored, so they
#' have no row.
#'
#' @param identifier Name of the identifier, as the engine knows it (a scoped
#'   name such as `"Plant::Area::Stock"` works too). Several names read
#'   several identifiers.
#' @return For one name, the identifier's data frame, length-1 vector or
#'   set labels (a character vector, or an integer vector for a set of
#'   integers). For several names, a list of these, named by the
#'   identifiers.
#'
#'   Errors, all inheriting from `tavik_error`: `tavik_no_project` with no
#'   project open, `tavik_unknown_identifier` for a name the project does
#'   not have, `tavik_engine_error` when the engine refuses the read (its
#'   `code` and `text` fields hold the engine's own).
#' @seealso [tavik_describe()] to learn what an identifier is,
#'   [tavik_write()].
#' @export
#' @examples
#' tavik_load_and_open(tavik_example_engine(), tavik_example_project())
#' tavik_read("Cost")
#' tavik_read("Discount")
#' tavik_read("Plants")
#' tavik_read("Years")
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
  description <- describe_identifier(identifier, "read")
  data <- engine_call(
    if (is_set_type(description$type)) {
      .Call(tavik4r_ReadSet, identifier)
    } else {
      .Call(tavik4r_ReadData, identifier)
    },
    identifier, "read"
  )
  if (is_fault(data)) {
    abort_fault(data, identifier, "read")
  }
  data
}
