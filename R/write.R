#' Write data into an engine identifier
#'
#' Writes a data frame into an identifier of the open project, or a single
#' value into a scalar. By default the write replaces all data of the
#' identifier; with `replace = FALSE` it assigns the given tuples and leaves
#' all others as they are.
#'
#' @section Columns:
#' Give one label column per set of the identifier and a value column, as
#' [tavik_read()] returns them. When the label columns are named after the
#' identifier's sets (`Plants`, `Markets`; a set used twice as `Cities` and
#' `Cities.1`), they are matched by name, in any order, and the remaining
#' column holds the values. When no column is named after one of its sets,
#' columns are taken by position: the label columns in the order of the
#' identifier's sets, then the values. Columns named after some of its sets
#' but not covering them exactly are an error. [tavik_describe()] gives the
#' names in `columns`.
#'
#' @section Types:
#' Values are checked before anything is written and never converted
#' silently:
#' * labels of a set of text labels: character or factor (a factor by its
#'   labels); labels of a set of integers (a subset of `Integers`): integers
#'   or whole numbers;
#' * numeric values: numbers or logicals (`TRUE` is 1, `FALSE` 0); integer
#'   values: integers, logicals or whole numbers within the 32-bit range;
#'   not a factor, `Date`, `POSIXct`, `difftime`, complex or text;
#' * string values: character or factor; element values: labels of the range
#'   set (integers for a set of integers), which a write never adds to it.
#'
#' Texts may be in any encoding R marks (UTF-8, latin1, the native one);
#' texts marked as `"bytes"` are refused.
#'
#' @section Missing values:
#' `NA` (and `NaN`) is not a value the engine can hold. With `na = "error"`
#' (the default) an `NA` label, value or text is an error naming the column
#' and the row. With `na = "drop"` such rows are left out of the write: with
#' `replace = TRUE` their tuples end up with no value, with `replace =
#' FALSE` they keep what they had. For a scalar, `"drop"` writes nothing.
#'
#' @section Sparse data:
#' The engine stores only values that mean something: a zero, an empty text
#' `""` and no element are "no value". They are not stored, and writing one
#' removes the tuple, also with `replace = FALSE`. So a zero in the data
#' frame does not give a row of `tavik_read()`. A tuple given twice keeps
#' the value of its last row. An element value can't be written as "no
#' element" (`""` is not a label of the range set): to remove such a tuple,
#' leave it out of a write with `replace = TRUE`.
#'
#' @section All or nothing:
#' Every row is checked before anything is written, so data that can't be
#' written leaves the identifier and its sets as they were. When the engine
#' refuses a value in the middle of writing, the identifier's previous data
#' is written back and the error says so (its `restored` field is `TRUE`;
#' should the engine refuse that too, the message says what the identifier
#' now holds). Labels that `add_missing = TRUE` added to a set stay there:
#' the engine can't remove them.
#'
#' @param data A data frame shaped like the one [tavik_read()] returns for
#'   the identifier, or a single value for a scalar identifier.
#' @param identifier Name of the identifier.
#' @param add_missing What to do with a label that a set of the identifier
#'   does not have: `FALSE` (the default) makes it an error, `TRUE` adds the
#'   label to the set.
#' @param replace `TRUE` (the default) replaces all data of the identifier
#'   by `data`; `FALSE` writes only the tuples in `data` and leaves all
#'   others as they are (a zero or `""` there removes the tuple).
#' @param na What an `NA` in `data` means: `"error"` (the default) or
#'   `"drop"` (leave the row out).
#' @return `data`, invisibly. Errors, all inheriting from `tavik_error`:
#' * `tavik_argument_error`: a wrong argument, or an identifier that can't be
#'   written (a set or an index);
#' * `tavik_no_project`: no project is open;
#' * `tavik_unknown_identifier`: the project has no such identifier;
#' * `tavik_data_error`: the data does not fit: fields `identifier`,
#'   `column` (the column's name), `row`, `value` and `problem` (`"shape"`,
#'   `"columns"`, `"type"`, `"na"`, `"integer"` or `"text"`);
#' * `tavik_label_error`: a label that the set lacks, or an element value
#'   that is not in the range set: fields `identifier`, `set`, `column`,
#'   `row` and `label`, as you wrote them;
#' * `tavik_engine_error`: the engine refused: fields `identifier`, `code`
#'   and `text` (the engine's own) and `restored`.
#'
#' Row numbers are those of `data`; where the engine reported the error,
#' its record is the `parent` field.
#' @seealso [tavik_read()], [tavik_describe()].
#' @export
#' @examples
#' tavik_load_and_open(tavik_example_engine(), tavik_example_project())
#'
#' cost <- tavik_read("Cost")
#' cost$Cost <- cost$Cost * 1.1
#' tavik_write(cost, "Cost")
#'
#' # Columns named after the sets are matched by name:
#' tavik_write(cost[, c("Markets", "Plants", "Cost")], "Cost")
#'
#' # Change one value and leave the others as they are; a zero removes one:
#' tavik_write(data.frame(Plants = c("Berlin", "Chicago"), Markets = c("m1", "m4"),
#'                        Cost = c(1.5, 0)), "Cost", replace = FALSE)
#' tavik_read("Cost")
#'
#' # A mistake is an error that names the column and the row:
#' bad <- data.frame(Plants = c("Berlin", NA), Markets = "m1", Cost = 1)
#' try(tavik_write(bad, "Cost"))
#' tavik_write(bad, "Cost", replace = FALSE, na = "drop")
#'
#' tavik_write(0.07, "Discount")
#' tavik_read("Discount")
#'
#' tavik_close()
tavik_write <- function(data, identifier, add_missing = FALSE, replace = TRUE,
                        na = c("error", "drop")) {
  check_writable(data, "data")
  check_string(identifier, "identifier")
  check_flag(add_missing, "add_missing")
  check_flag(replace, "replace")
  na <- check_choice(na, c("error", "drop"), "na")
  require_project()
  description <- new_description(describe_identifier(identifier, "write"))
  if (is_set_type(description$type)) {
    tavik_abort(
      sprintf(
        paste0("`identifier` names the %s %s: tavik_write() writes parameters and variables. ",
               "Labels join a set when an identifier over it is written with add_missing = TRUE."),
        description$kind, identifier
      ),
      "tavik_argument_error"
    )
  }
  prepared <- if (description$dimension == 0L) {
    prepare_scalar(data, description, identifier, na)
  } else {
    prepare_frame(data, description, identifier, na)
  }
  if (!is.null(prepared$data)) {
    fault <- engine_call(
      .Call(tavik4r_WriteData, prepared$data, identifier, as.integer(add_missing),
            as.integer(replace)),
      identifier, "write"
    )
    if (is_fault(fault)) {
      abort_write_fault(fault, prepared, identifier, add_missing)
    }
  }
  invisible(data)
}

# The data frame as the write routine takes it: columns in the identifier's
# order, each checked and converted, NA rows dropped if asked. `columns`,
# `rows` and `original` let a fault be reported in the user's terms.
prepare_frame <- function(data, description, identifier, na) {
  check_frame_shape(data, description, identifier)
  order <- column_order(names(data), description, identifier)
  columns <- unclass(data)[order]
  names <- names(data)[order]
  dimension <- description$dimension
  kinds <- c(ifelse(description$integer_sets, "integer_label", "label"), value_kind(description))
  targets <- c(sprintf("the set %s", description$sets),
               if (is.na(description$range)) identifier else sprintf("the range set %s", description$range))
  wheres <- sprintf("column '%s'", names)
  for (i in seq_along(columns)) {
    check_kind(columns[[i]], kinds[[i]], identifier, wheres[[i]], targets[[i]], names[[i]])
  }

  rows <- NULL
  with_na <- vapply(columns, has_na, logical(1))
  if (any(with_na)) {
    if (na == "error") {
      i <- which(with_na)[[1L]]
      row <- which(na_mask(columns[[i]]))[[1L]]
      abort_data(
        identifier,
        sprintf(
          "%s has NA in row %d.\nGive %s, leave the row out, or use na = \"drop\".",
          wheres[[i]], row,
          if (i <= dimension) "the label" else "a value (a zero or \"\" removes the tuple)"
        ),
        column = names[[i]], row = row, value = columns[[i]][row], problem = "na"
      )
    }
    keep <- !Reduce(`|`, lapply(columns[with_na], na_mask))
    rows <- which(keep)
    columns <- lapply(columns, `[`, keep)
  }

  original <- columns
  for (i in seq_along(columns)) {
    if (kinds[[i]] %in% c("integer_label", "integer")) {
      columns[[i]] <- check_whole(columns[[i]], kinds[[i]], identifier, wheres[[i]],
                                  targets[[i]], names[[i]], rows)
    }
  }
  value <- dimension + 1L
  if (kinds[[value]] == "integer_label") {
    check_in_range(columns[[value]], description, identifier, names[[value]], rows)
  }
  frame <- structure(columns, names = names, class = "data.frame",
                     row.names = .set_row_names(length(columns[[1L]])))
  list(data = frame, names = names, rows = rows, original = original)
}

prepare_scalar <- function(data, description, identifier, na) {
  if (is.data.frame(data)) {
    abort_data(identifier, "it is a scalar: give a single value, not a data frame.",
               problem = "shape")
  }
  kind <- value_kind(description)
  target <- if (is.na(description$range)) identifier else sprintf("the range set %s", description$range)
  check_kind(data, kind, identifier, "the value", target)
  if (has_na(data)) {
    if (na == "drop") {
      return(list(data = NULL))
    }
    abort_data(
      identifier,
      paste0("the value is NA. Give a value (a zero or \"\" removes it), ",
             "or use na = \"drop\" to leave the scalar as it is."),
      value = data, problem = "na"
    )
  }
  value <- if (is.factor(data)) as.character(data) else data
  if (kind %in% c("integer_label", "integer")) {
    value <- check_whole(value, kind, identifier, "the value", target, NA_character_, NA)
  }
  if (kind == "integer_label") {
    check_in_range(value, description, identifier, NA_character_, NA)
  }
  list(data = value, names = NA_character_, rows = NA, original = list(data))
}

# A fault of the write routine, in the user's terms: the column's name, the
# user's row and the label as written.
abort_write_fault <- function(fault, prepared, identifier, add_missing) {
  column <- fault$column
  row <- fault$row
  scalar <- identical(prepared$rows, NA)
  name <- if (scalar || is.na(column)) NA_character_ else prepared$names[[column]]
  user <- if (scalar || is.na(row)) NA_integer_ else user_row(prepared$rows, row)
  written <- if (scalar) {
    prepared$original[[1L]]
  } else if (!is.na(column) && !is.na(row)) {
    prepared$original[[column]][[row]]
  }
  if (fault$kind == "label") {
    label <- if (is.null(written)) fault$label else as.character(written)
    value_column <- scalar || (!is.na(column) && column == length(prepared$names))
    abort_label(identifier, fault$set, label, name, user, value_column, add_missing,
                parent = fault_condition(fault))
  }
  if (fault$kind == "text" && !is.na(name)) {
    reason <- sub("^[^:]*\\): ", "", fault$message)
    abort_data(identifier, sprintf("the text in column '%s' (row %d) can't be written: %s",
                                   name, user, reason),
               column = name, row = user, value = written, problem = "text",
               parent = fault_condition(fault))
  }
  abort_fault(fault, identifier, "write")
}
