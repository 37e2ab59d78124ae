# Which column of a data frame is which for tavik_write(): the label
# columns in the identifier's order, then the value column.

# Column indices of `data` in the identifier's order. Label columns named
# after the identifier's sets (as tavik_read() names them) are taken by
# name, whatever their order; with no such names, by position.
column_order <- function(column_names, description, identifier) {
  dimension <- description$dimension
  positional <- seq_len(dimension + 1L)
  expected <- description$columns[seq_len(dimension)]
  set_named <- !is.na(column_names) & column_names %in% c(expected, description$sets)
  if (!any(set_named)) {
    return(positional)
  }
  found <- column_names[set_named]
  if (length(found) != dimension || anyDuplicated(found) || !all(expected %in% found)) {
    abort_data(
      identifier,
      sprintf(
        paste0(
          "the columns named after its sets (%s) don't match its domain, which needs ",
          "one label column for each of %s.\n",
          "Name the label columns %s, in any order, or give them names that are not ",
          "set names to take them by position."
        ),
        listing(found), listing(description$sets), listing(expected)
      ),
      problem = "columns"
    )
  }
  labels <- match(expected, column_names)
  c(labels, setdiff(positional, labels))
}

# The data frame's width and column lengths must fit the identifier.
check_frame_shape <- function(data, description, identifier) {
  dimension <- description$dimension
  if (!is.data.frame(data)) {
    abort_data(
      identifier,
      sprintf(
        "it runs over %s: give a data frame with the columns %s, not %s.",
        listing(description$sets), listing(description$columns), describe(data)
      ),
      problem = "shape"
    )
  }
  if (length(data) != dimension + 1L) {
    abort_data(
      identifier,
      sprintf(
        paste0(
          "it runs over %d set%s (%s), so the data frame needs %d columns, one per set ",
          "and the values (%s), not %d."
        ),
        dimension, if (dimension == 1L) "" else "s", listing(description$sets),
        dimension + 1L, listing(description$columns), length(data)
      ),
      problem = "shape"
    )
  }
  rows <- lengths(unclass(data), use.names = FALSE)
  uneven <- which(rows != rows[[1L]])
  if (length(uneven)) {
    abort_data(
      identifier,
      sprintf("the data frame's columns differ in length: '%s' has %d rows, '%s' has %d.",
              names(data)[[1L]], rows[[1L]], names(data)[[uneven[[1L]]]], rows[[uneven[[1L]]]]),
      column = names(data)[[uneven[[1L]]]], problem = "shape"
    )
  }
  invisible(data)
}

listing <- function(x) {
  if (length(x)) paste(x, collapse = ", ") else "none"
}
