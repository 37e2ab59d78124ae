# Errors a user can act on carry a class of their own, so calling code can
# catch them with tryCatch(..., tavik_no_project = ...). Errors raised by the
# compiled entry points are left as they are.
tavik_abort <- function(message, class, ..., call = NULL) {
  condition <- structure(
    list(message = message, call = call, ...),
    class = c(class, "tavik_error", "error", "condition")
  )
  stop(condition)
}
