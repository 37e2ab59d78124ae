# Errors a user can act on carry a class of their own, so calling code can
# catch them with tryCatch(..., tavik_label_error = ...) and read their
# fields. Every error the exported functions raise inherits "tavik_error";
# where an underlying condition exists it stays reachable as `parent`.
tavik_abort <- function(message, class, ..., call = NULL) {
  condition <- structure(
    list(message = message, call = call, ...),
    class = c(class, "tavik_error", "error", "condition")
  )
  stop(condition)
}

# The compiled routines report faults in the caller's data and engine
# refusals as records of class "tavik_fault" rather than as errors.
is_fault <- function(x) inherits(x, "tavik_fault")

# A fault record as a condition, kept as the `parent` of the error raised
# for it.
fault_condition <- function(fault) {
  fields <- unclass(fault)
  structure(
    c(list(message = fields$message, call = NULL), fields[names(fields) != "message"]),
    class = c("tavik_fault", "error", "condition")
  )
}

# Runs a compiled routine. A C++ exception that reaches R (an Rcpp
# condition, class "C++Error") becomes a tavik_engine_error for
# `identifier`; R's own conditions (interrupts, time limits, memory) pass
# through as they are.
engine_call <- function(expr, identifier, action) {
  tryCatch(expr, "C++Error" = function(e) {
    tavik_abort(
      sprintf("Can't %s '%s': %s", action, identifier, conditionMessage(e)),
      "tavik_engine_error",
      identifier = identifier, code = NA_integer_, text = conditionMessage(e),
      restored = FALSE, parent = e
    )
  })
}

# Raises the error for a fault record that no more specific handler took.
abort_fault <- function(fault, identifier, action) {
  parent <- fault_condition(fault)
  switch(fault$kind,
    identifier = tavik_abort(
      sprintf(
        "Can't %s '%s': the open project has no such identifier (engine error %d: %s).",
        action, identifier, fault$code, fault$text
      ),
      "tavik_unknown_identifier",
      identifier = identifier, code = fault$code, text = fault$text, parent = parent
    ),
    shape = ,
    text = tavik_abort(
      sprintf("Can't %s '%s': %s", action, identifier, fault$message),
      "tavik_data_error",
      identifier = identifier, column = NA_character_, row = fault$row,
      value = NULL, problem = fault$kind, parent = parent
    ),
    tavik_abort(
      refusal_message(fault, identifier, action),
      "tavik_engine_error",
      identifier = identifier,
      code = if (fault$kind == "refused") fault$code else NA_integer_,
      text = if (fault$kind == "refused") fault$text else fault$message,
      restored = isTRUE(fault$restored), parent = parent
    )
  )
}

refusal_message <- function(fault, identifier, action) {
  # The record of a refused write already names the identifier and says
  # whether the previous data is back.
  if (startsWith(fault$message, "The engine refused")) {
    return(fault$message)
  }
  sprintf("The engine refused to %s '%s': %s", action, identifier, fault$message)
}
