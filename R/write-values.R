# The checks tavik_write() makes on each column before anything reaches the
# engine, so that a wrong type or an NA is an error naming the column, the
# row and the value, not a silent conversion. They are vectorised: a write
# of millions of rows spends its time in the engine, not here.
#
# Column kinds: "label" (a label set: character or factor), "integer_label"
# (a set of integers: whole numbers), "double" and "integer" (numbers or
# logicals), "string" (character or factor), "any" (a storage the checks
# don't know: only NA is refused).

value_kind <- function(description) {
  switch(description$storage %|% "any",
    element = if (isTRUE(description$integer_range)) "integer_label" else "label",
    description$storage %|% "any"
  )
}

`%|%` <- function(x, y) if (is.na(x)) y else x

# `where` names the column ("column 'Cost'") or says "the value" for a
# scalar; `target` says what takes the values ("the set Plants", "Cost").
check_kind <- function(x, kind, identifier, where, target, column = NA_character_) {
  plain_number <- (is.double(x) || is.integer(x)) && !is.object(x)
  ok <- switch(kind,
    label = , string = is.character(x) || is.factor(x),
    integer_label = plain_number,
    double = , integer = plain_number || (is.logical(x) && !is.object(x)),
    TRUE
  )
  if (ok) {
    return(invisible(x))
  }
  wanted <- switch(kind,
    label = "has text labels: give character or factor values (as.character() converts numbers)",
    string = "takes texts: give character or factor values",
    integer_label = paste0("is a set of integers: give integer or whole-number values",
                           if (is.factor(x) || is.character(x)) {
                             " (as.integer(as.character(x)) converts labels that are numbers)"
                           }),
    integer = "takes integers: give integer, whole-number or logical values",
    double = paste0("takes numbers: give numeric or logical values",
                    if (is.factor(x)) {
                      " (a factor would be written as its codes; as.numeric(as.character(x)) converts its labels)"
                    })
  )
  abort_data(
    identifier,
    sprintf("%s holds %s values, but %s %s.", where, type_name(x), target, wanted),
    column = column, problem = "type"
  )
}

type_name <- function(x) {
  if (is.object(x)) paste(class(x), collapse = "/") else typeof(x)
}

# Positions that count as NA: NA and NaN, and a factor's NA level.
na_mask <- function(x) {
  if (is.factor(x) && anyNA(levels(x))) {
    return(is.na(levels(x)[x]))
  }
  is.na(x)
}

# anyNA() on a factor goes through is.na() and a logical vector of its
# length; its codes answer without one.
has_na <- function(x) {
  if (is.factor(x)) {
    return(anyNA(unclass(x)) || anyNA(levels(x)))
  }
  anyNA(x)
}

# Whole numbers within the 32-bit integers, as integers.
check_whole <- function(x, kind, identifier, where, target, column, rows) {
  if (!is.double(x)) {
    return(if (is.logical(x)) as.integer(x) else x)
  }
  # A conversion that does not give the number back is a fraction or beyond
  # the 32-bit range (NA); NA in `x` was refused or dropped before.
  whole <- suppressWarnings(as.integer(x))
  bad <- is.na(whole) | whole != x
  if (any(bad)) {
    i <- which(bad)[[1L]]
    what <- if (kind == "integer") sprintf("%s takes integers", target) else
      sprintf("%s is a set of integers", target)
    problem <- if (is.finite(x[[i]]) && abs(trunc(x[[i]])) <= .Machine$integer.max) {
      sprintf("%s has %s%s, but %s: round the values first", where,
              format(x[[i]], digits = 15), row_note(rows, i), what)
    } else {
      sprintf("%s has %s%s, beyond the 32-bit integers (at most %d in size), but %s", where,
              format(x[[i]], digits = 15), row_note(rows, i), .Machine$integer.max, what)
    }
    abort_data(identifier, paste0(problem, "."), column = column, row = user_row(rows, i),
               value = x[[i]], problem = "integer")
  }
  whole
}

# `rows` maps the rows left after na = "drop" to the user's rows (NULL when
# none were dropped); row numbers in messages are always the user's.
user_row <- function(rows, i) {
  if (is.na(i)) NA_integer_ else if (is.null(rows)) as.integer(i) else rows[[i]]
}

row_note <- function(rows, i) {
  if (identical(rows, NA)) "" else sprintf(" in row %d", user_row(rows, i))
}

abort_data <- function(identifier, problem_text, column = NA_character_, row = NA_integer_,
                       value = NULL, problem, parent = NULL) {
  tavik_abort(
    sprintf("Can't write '%s': %s", identifier, problem_text),
    "tavik_data_error",
    identifier = identifier, column = column, row = row, value = value,
    problem = problem, parent = parent
  )
}

abort_label <- function(identifier, set, label, column, row, value_column, add_missing,
                        parent = NULL) {
  place <- if (is.na(column)) "" else if (is.na(row)) sprintf(" in column '%s'", column) else
    sprintf(" in column '%s' (row %d)", column, row)
  message <- if (value_column) {
    sprintf(
      paste0("Can't write '%s': the value '%s'%s is not a label of its range set %s. ",
             "Element values must be labels the set already has: writes never add them ",
             "to a range set."),
      identifier, label, place, set
    )
  } else {
    sprintf("Can't write '%s': the label '%s'%s is not in the set %s.%s",
            identifier, label, place, set,
            if (add_missing) "" else " Correct it, or add it to the set with add_missing = TRUE.")
  }
  tavik_abort(message, "tavik_label_error",
              identifier = identifier, set = set, column = column, row = row, label = label,
              parent = parent)
}

# Element values of a set of integers must be in their range set: the
# engine's refusal would name internal element numbers instead.
check_in_range <- function(x, description, identifier, column, rows) {
  set <- description$range
  labels <- engine_call(.Call(tavik4r_ReadSet, set), set, "read")
  if (is_fault(labels)) {
    abort_fault(labels, set, "read")
  }
  outside <- !(x %in% labels)
  if (any(outside)) {
    i <- which(outside)[[1L]]
    abort_label(identifier, set, as.character(x[[i]]), column,
                if (identical(rows, NA)) NA_integer_ else user_row(rows, i),
                value_column = TRUE, add_missing = FALSE)
  }
  invisible(x)
}
