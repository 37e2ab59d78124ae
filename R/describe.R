#' Describe an engine identifier
#'
#' Tells what an identifier of the open project is before you read or write
#' it: its kind, the type of its values, the sets it runs over and how many
#' values it holds, as the engine reports them.
#'
#' @inheritParams tavik_read
#' @return For one name, a list of class `tavik_description` with
#' * `name`, `full_name`: the identifier's name without and with its scope
#'   (`"Stock"`, `"Plant::Area::Stock"`);
#' * `kind`: `"set"`, `"index"`, `"parameter"`, `"variable"`,
#'   `"element parameter"`, `"element variable"` or `"string parameter"`;
#'   `type` holds the engine's own code;
#' * `storage`: the type of the values: `"double"`, `"integer"`, `"string"`
#'   or `"element"` (a label of the range set); `NA` for sets and indices;
#' * `dimension`: the number of sets the identifier runs over, 0 for a
#'   scalar (and 1 for a set or an index);
#' * `domain`: the domain as declared (index or set names, such as `"p"`);
#'   `sets`: the set each dimension runs over; `roots`: the root set of
#'   each; `integer_sets`: whether each is a set of integers (its labels
#'   are read and written as integers). For a set or an index these
#'   describe the set itself;
#' * `range`: the range set of an element parameter or variable (`NA`
#'   otherwise), and `integer_range` whether it is a set of integers;
#' * `count`: the number of stored values (of elements, for a set or an
#'   index), `NA` if the engine does not say;
#' * `columns`: the names of the columns [tavik_read()] gives and
#'   [tavik_write()] matches: one per set, a set used twice getting `.1`,
#'   then the value column, named after the identifier (after the range set
#'   for element values). Empty for scalars, sets and indices.
#'
#' For several names, a list of these, named by the identifiers.
#'
#' An unknown name is an error of class `tavik_unknown_identifier`; with no
#' project open the error has the class `tavik_no_project`.
#' @seealso [tavik_read()], [tavik_write()].
#' @export
#' @examples
#' tavik_load_and_open(tavik_example_engine(), tavik_example_project())
#' tavik_describe("Cost")
#' tavik_describe("Years")
#' tavik_describe("PreferredPlant")$range
#' tavik_describe("Cost")$columns
#' tavik_close()
tavik_describe <- function(identifier) {
  check_names(identifier, "identifier")
  require_project()
  if (length(identifier) == 1L) {
    return(new_description(describe_identifier(identifier)))
  }
  descriptions <- lapply(identifier, function(name) new_description(describe_identifier(name)))
  names(descriptions) <- identifier
  descriptions
}

# The engine's view of an identifier (the list of the Describe routine), or
# a classed error.
describe_identifier <- function(identifier, action = "describe") {
  description <- engine_call(.Call(tavik4r_Describe, identifier), identifier, action)
  if (is_fault(description)) {
    abort_fault(description, identifier, action)
  }
  description
}

identifier_kinds <- c(
  "1" = "set", "2" = "set", "60" = "index", "30" = "parameter", "40" = "variable",
  "31" = "element parameter", "70" = "element variable", "32" = "string parameter"
)

is_set_type <- function(type) type %in% c(1L, 2L, 60L)

# The type of the values: what the checks of tavik_write() go by.
value_storage <- function(type, storage) {
  if (type %in% c(31L, 70L)) {
    return("element")
  }
  if (type == 32L) {
    return("string")
  }
  if (type %in% c(30L, 40L)) {
    return(switch(as.character(storage), "1" = "double", "2" = , "3" = "integer",
                  "4" = "string", NA_character_))
  }
  NA_character_
}

# The column names of the identifier's data frame, as the read routine
# makes them.
identifier_columns <- function(description) {
  if (is_set_type(description$type) || description$dimension == 0L) {
    return(character())
  }
  value <- if (nzchar(description$range)) description$range else description$name
  make.unique(c(description$sets, value), sep = ".")
}

new_description <- function(d) {
  kind <- identifier_kinds[as.character(d$type)]
  set_like <- is_set_type(d$type)
  structure(list(
    name = d$name,
    full_name = d$full_name,
    kind = if (is.na(kind)) sprintf("unknown (engine type %d)", d$type) else unname(kind),
    type = d$type,
    storage = value_storage(d$type, d$storage),
    dimension = if (set_like) 1L else d$dimension,
    domain = d$declared,
    sets = d$sets,
    roots = d$roots,
    integer_sets = d$integer_sets,
    range = if (nzchar(d$range)) d$range else NA_character_,
    integer_range = d$integer_range,
    count = if (d$count < 0) NA_real_ else d$count,
    columns = identifier_columns(d)
  ), class = "tavik_description")
}

#' @export
format.tavik_description <- function(x, ...) {
  listing <- function(v) if (length(v)) paste(v, collapse = ", ") else "none"
  stored <- if (is.na(x$count)) "unknown" else format(x$count, big.mark = ",")
  heading <- sprintf("<tavik %s> %s", x$kind, x$full_name)
  if (is_set_type(x$type)) {
    labels <- if (isTRUE(x$integer_sets)) "integers" else "text labels"
    return(c(
      heading,
      if (x$kind == "index") sprintf("  over:     %s", x$sets),
      sprintf("  root:     %s", listing(x$roots)),
      sprintf("  elements: %s (%s)", stored, labels)
    ))
  }
  c(
    heading,
    sprintf("  values:   %s, %s stored", x$storage, stored),
    if (!is.na(x$range)) sprintf("  range:    %s", x$range),
    if (x$dimension == 0L) "  scalar" else c(
      sprintf("  domain:   %s", listing(x$domain)),
      sprintf("  sets:     %s", listing(x$sets)),
      sprintf("  columns:  %s", listing(x$columns))
    )
  )
}

#' @export
print.tavik_description <- function(x, ...) {
  cat(format(x, ...), sep = "\n")
  invisible(x)
}
