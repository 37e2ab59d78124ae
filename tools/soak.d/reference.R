# The reference: what the engine should hold after each operation, kept in
# plain R. A state is a list:
#   open    whether a project is open
#   sets    the sets' labels (root sets in element order), subset members,
#           integer set members
#   data    per identifier: a data frame of keys k1..kn and values v, in no
#           particular order, or a scalar's value (NA for no element)
#   cache   names of the sets the package should hold engine handles for
#   leaked  handles the engine kept because it refused to delete them

soak_ids <- soak_identifiers()
soak_table_ids <- names(Filter(function(m) length(m$dims) > 0L, soak_ids))
soak_scalar_ids <- setdiff(names(soak_ids), soak_table_ids)

soak_initial_state <- function() {
  list(open = TRUE, sets = soak_sets(),
       data = lapply(soak_ids, function(m) m$data), cache = character(), leaked = 0)
}

# Every set an identifier's reads and writes cache: domain and value range.
soak_sets_of <- function(id) unique(c(soak_ids[[id]]$dims, soak_ids[[id]]$range))
soak_all_sets <- function() unique(unlist(lapply(names(soak_ids), soak_sets_of)))

# --- sets ---------------------------------------------------------------------

set_is_int <- function(st, set) st$sets[[set]]$type == "int"

set_has <- function(st, set, labels) {
  s <- st$sets[[set]]
  switch(s$type, root = labels %in% s$labels, subset = labels %in% s$members,
         int = labels %in% s$members)
}

# Element numbers grow with the order labels came to their root set;
# integers are their own order.
set_rank <- function(st, set, labels) {
  s <- st$sets[[set]]
  switch(s$type, root = match(labels, s$labels),
         subset = match(labels, st$sets[[s$root]]$labels), int = as.numeric(labels))
}

# A label added to a subset joins its root set too.
set_add <- function(st, set, label) {
  s <- st$sets[[set]]
  if (s$type == "root") {
    if (!label %in% s$labels) st$sets[[set]]$labels <- c(s$labels, label)
  } else {
    if (s$type == "subset" && !label %in% st$sets[[s$root]]$labels) {
      st$sets[[s$root]]$labels <- c(st$sets[[s$root]]$labels, label)
    }
    if (!label %in% s$members) st$sets[[set]]$members <- c(s$members, label)
  }
  st
}

set_members <- function(st, set) {
  s <- st$sets[[set]]
  if (s$type == "root") s$labels else s$members
}

# --- values -------------------------------------------------------------------

value_default <- function(meta) {
  switch(meta$value, double = 0, integer = 0L, string = "",
         element = if (soak_sets()[[meta$range]]$type == "int") NA_integer_ else NA_character_)
}

# Zeros, empty texts and no element are not stored.
value_is_zero <- function(meta, v) {
  if (meta$value == "element") return(is.na(v))
  if (meta$value == "string") return(!is.na(v) & v == "")
  !is.na(v) & v == 0
}

# --- reads ----------------------------------------------------------------------

read_names <- function(meta, id) {
  make.unique(c(meta$dims, if (meta$value == "element") meta$range else id))
}

# What a read of the identifier returns: rows in ascending tuple order.
expected_read <- function(st, id) {
  meta <- soak_ids[[id]]
  data <- st$data[[id]]
  if (length(meta$dims) == 0L) return(data)
  n <- length(meta$dims)
  if (nrow(data) > 0L) {
    ranks <- lapply(seq_len(n), function(k) set_rank(st, meta$dims[[k]], data[[k]]))
    data <- data[do.call(order, unname(ranks)), , drop = FALSE]
  }
  names(data) <- read_names(meta, id)
  rownames(data) <- NULL
  data
}

soak_rows <- function(frame, keep) {
  frame <- frame[keep, , drop = FALSE]
  rownames(frame) <- NULL
  frame
}

# --- writes -------------------------------------------------------------------

missing_label <- function(label, set) {
  sprintf("Couldn't find set element with label %s in Set %s", label, set)
}

# The cells of a frame by position, as the identifier takes them.
frame_cells <- function(st, meta, frame) {
  columns <- unclass(as.data.frame(frame, stringsAsFactors = FALSE))
  keys <- lapply(seq_along(meta$dims), function(k) {
    column <- columns[[k]]
    if (set_is_int(st, meta$dims[[k]])) as.integer(column) else as.character(column)
  })
  value <- columns[[length(meta$dims) + 1L]]
  value <- switch(meta$value, double = as.double(value), integer = as.integer(value),
                  string = as.character(value),
                  element = if (set_is_int(st, meta$range)) as.integer(value) else as.character(value))
  list(keys = keys, value = value)
}

# The data written rows give an emptied identifier: a later row for a tuple
# replaces an earlier one, and zeros are not stored.
rows_data <- function(meta, keys, value, rows = seq_along(value)) {
  keys <- lapply(keys, `[`, rows)
  value <- value[rows]
  n <- length(value)
  data <- as.data.frame(setNames(c(keys, list(value)), c(paste0("k", seq_along(keys)), "v")),
                        stringsAsFactors = FALSE)
  if (n == 0L) return(data)
  tag <- do.call(paste, c(lapply(keys, as.character), sep = "\r"))
  last <- !duplicated(tag, fromLast = TRUE)
  keep <- last & !value_is_zero(meta, value)
  data <- data[keep, , drop = FALSE]
  rownames(data) <- NULL
  data
}

# What a table write without refusals does: an error message (and the
# labels added before it), or the new data and the labels added.
#   error   NULL or the expected message
#   adds    data frame (set, label) of labels added, in order
#   pending every label mode 1 would add, in order, and whether the engine
#           takes it (an empty label it refuses)
#   data    the identifier's data afterwards
plan_write <- function(st, id, frame, mode) {
  meta <- soak_ids[[id]]
  n <- length(meta$dims)
  none <- data.frame(set = character(), label = character(), stringsAsFactors = FALSE)
  fail <- function(message, adds = none, pending = none) {
    list(error = message, adds = adds, pending = pending, data = st$data[[id]])
  }
  if (ncol(frame) != n + 1L) {
    return(fail(sprintf(paste("Identifier Dimension/Data Frame Column mismatch:  %s has",
                              "%d+1 dimensions, inserted data frame has %d columns"),
                        id, n, ncol(frame))))
  }
  cells <- frame_cells(st, meta, frame)
  rows <- length(cells$value)
  pending_set <- character()
  pending_label <- character()
  known <- lapply(seq_len(n), function(k) set_has(st, meta$dims[[k]], cells$keys[[k]]))
  value_known <- if (meta$value == "element") set_has(st, meta$range, cells$value)
  for (r in seq_len(rows)) {
    for (k in seq_len(n)) {
      if (known[[k]][[r]]) next
      label <- as.character(cells$keys[[k]][[r]])
      set <- meta$dims[[k]]
      if (mode == 0L) return(fail(missing_label(label, set)))
      if (!any(pending_set == set & pending_label == label)) {
        pending_set <- c(pending_set, set)
        pending_label <- c(pending_label, label)
      }
    }
    if (!is.null(value_known) && !value_known[[r]]) {
      return(fail(missing_label(as.character(cells$value[[r]]), meta$range)))
    }
  }
  pending <- data.frame(set = pending_set, label = pending_label, stringsAsFactors = FALSE)
  refused <- which(pending$label == "")
  if (length(refused)) {
    first <- refused[[1]]
    return(fail(missing_label("", pending$set[[first]]),
                adds = pending[seq_len(first - 1L), , drop = FALSE], pending = pending))
  }
  list(error = NULL, adds = pending, pending = pending,
       data = rows_data(meta, cells$keys, cells$value))
}

# A scalar write without refusals. An element value must be in the range
# set; the integer one is only found out by the engine, which refuses the
# write after the package took a copy, hence another message.
plan_scalar <- function(st, id, value) {
  meta <- soak_ids[[id]]
  old <- st$data[[id]]
  v <- value[[1]]
  if (meta$value == "element") {
    int <- set_is_int(st, meta$range)
    v <- if (int) as.integer(v) else as.character(v)
    if (!set_has(st, meta$range, v)) {
      message <- if (int) {
        list(prefix = sprintf("The engine refused the write of %s (tavikerror 8: ", id),
             suffix = "; its previous data is restored (1 value).")
      } else {
        missing_label(v, meta$range)
      }
      return(list(error = message, data = old))
    }
    return(list(error = NULL, data = v))
  }
  v <- switch(meta$value, double = as.double(v), integer = as.integer(v),
              string = as.character(v))
  if (value_is_zero(meta, v)) v <- value_default(meta)
  list(error = NULL, data = v)
}

# Applies the labels a write added to the reference's sets.
apply_adds <- function(st, adds) {
  for (r in seq_len(nrow(adds))) {
    label <- adds$label[[r]]
    if (set_is_int(st, adds$set[[r]])) label <- as.integer(label)
    st <- set_add(st, adds$set[[r]], label)
  }
  st
}

soak_reset_project <- function(st) {
  st$open <- TRUE
  st$sets <- soak_sets()
  st$data <- lapply(soak_ids, function(m) m$data)
  st$cache <- character()
  st$leaked <- 0
  st
}
