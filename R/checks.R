# Argument checks shared by the exported functions. They run before any
# engine call so a wrong argument never reaches the compiled code.

check_string <- function(x, arg) {
  if (!is.character(x) || length(x) != 1L || is.na(x)) {
    tavik_abort(
      sprintf("`%s` must be a single string, not %s.", arg, describe(x)),
      "tavik_argument_error"
    )
  }
  invisible(x)
}

check_names <- function(x, arg) {
  if (!is.character(x) || length(x) == 0L || anyNA(x)) {
    tavik_abort(
      sprintf(
        "`%s` must be a character vector of identifier names without NA, not %s.",
        arg, describe(x)
      ),
      "tavik_argument_error"
    )
  }
  invisible(x)
}

check_flag <- function(x, arg) {
  if (!isTRUE(x) && !isFALSE(x)) {
    tavik_abort(
      sprintf("`%s` must be TRUE or FALSE, not %s.", arg, describe(x)),
      "tavik_argument_error"
    )
  }
  invisible(x)
}

# A data frame for an indexed identifier, or one value for a scalar one.
check_writable <- function(x, arg) {
  if (is.data.frame(x)) {
    if (ncol(x) == 0L) {
      tavik_abort(
        sprintf("`%s` has no columns; give one column per index and a value column.", arg),
        "tavik_argument_error"
      )
    }
    return(invisible(x))
  }
  if (!is.atomic(x) || length(x) != 1L || !is.null(dim(x))) {
    tavik_abort(
      sprintf(
        "`%s` must be a data frame, or a single value for a scalar identifier, not %s.",
        arg, describe(x)
      ),
      "tavik_argument_error"
    )
  }
  invisible(x)
}

describe <- function(x) {
  if (is.null(x)) {
    return("NULL")
  }
  if (is.data.frame(x)) {
    return("a data frame")
  }
  if (is.atomic(x) && length(x) == 1L && is.na(x)) {
    return("NA")
  }
  kind <- class(x)[[1L]]
  article <- if (grepl("^[aeiouAEIOU]", kind)) "an" else "a"
  if (is.atomic(x)) {
    return(sprintf("%s %s vector of length %d", article, kind, length(x)))
  }
  paste(article, kind)
}

# One of `choices`; the default (all of them) means the first.
check_choice <- function(x, choices, arg) {
  if (identical(x, choices)) {
    return(choices[[1L]])
  }
  if (!is.character(x) || length(x) != 1L || is.na(x) || !x %in% choices) {
    shown <- if (is.character(x) && length(x) == 1L && !is.na(x)) sprintf("\"%s\"", x) else describe(x)
    tavik_abort(
      sprintf("`%s` must be %s, not %s.", arg,
              paste0("\"", choices, "\"", collapse = " or "), shown),
      "tavik_argument_error"
    )
  }
  x
}
