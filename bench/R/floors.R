# The floors: the work a transfer can't avoid, done without the package.
#
# Read floor = the engine's own iteration (bench_iterate) + the same data
# frame assembled by bench_floor_read: label columns from ready R strings
# (one per label, as a read keeps them), numbers copied, and text values made
# as new R strings from ready UTF-8 bytes.
#
# Write floor = R's hashed match() of every label column against its set's
# labels (factor columns: match() of the levels, then the factor's codes) +
# the engine's own IdentifierEmpty and one ValueAssignW per row, with every
# value taken from the R column (texts converted from UTF-8 to wide text).

# What bench_floor_read builds from. Label columns: ready R strings and
# zero-based codes; text values: their UTF-8 bytes outside R's string cache;
# numbers as they are.
read_floor_specs <- function(frame, text_values) {
  last <- ncol(frame)
  lapply(seq_len(last), function(k) {
    column <- frame[[k]]
    if (k == last && text_values) {
      baseline("bench_text_bytes", column)
    } else if (is.character(column)) {
      table <- unique(column)
      list(table, match(column, table) - 1L)
    } else {
      column
    }
  })
}

# The set tables of a write target, each label table of the same type as
# the frame column it is matched with (an integer set against integers).
write_floor_tables <- function(engine, target, frame) {
  tables <- baseline("bench_set_tables", engine, target)
  for (k in seq_along(tables)) {
    if (is.integer(frame[[k]])) tables[[k]]$labels <- as.integer(tables[[k]]$labels)
  }
  tables
}

# A label column looked up: (codes, element map) for bench_write_floor.
lookup_labels <- function(column, table) {
  if (is.factor(column)) {
    list(column, table$elements[match(levels(column), table$labels)])
  } else {
    list(match(column, table$labels), table$elements)
  }
}

# One write at the floor; tables come from write_floor_tables(). With one
# table more than label columns, the value column holds elements too.
write_floor <- function(engine, target, frame, tables) {
  last <- ncol(frame)
  keys <- lapply(seq_len(last - 1L), function(k) lookup_labels(frame[[k]], tables[[k]]))
  values <- frame[[last]]
  if (length(tables) == last) values <- lookup_labels(values, tables[[last]])
  baseline("bench_write_floor", engine, target, keys, values)
}

with_factor_labels <- function(frame) {
  last <- ncol(frame)
  for (k in seq_len(last - 1L)) {
    if (is.character(frame[[k]])) {
      frame[[k]] <- factor(frame[[k]], levels = unique(frame[[k]]))
    }
  }
  frame
}

# The write floor must do the package's work, not a shortcut: rows in
# reverse order with their values moved on by one, written by the package
# and by the floor, must leave the same data. Element numbers known
# beforehand, or values taken from anywhere but the R column, fail here.
check_write_floor <- function(engine, target, frame, tables) {
  n <- nrow(frame)
  last <- ncol(frame)
  probe <- frame[rev(seq_len(n)), , drop = FALSE]
  probe[[last]] <- probe[[last]][c(seq_len(n)[-1], 1L)]
  for (data in list(probe, with_factor_labels(probe))) {
    tavik_write(data, target)
    expected <- tavik_read(target)
    write_floor(engine, target, data, tables)
    if (!identical(tavik_read(target), expected)) {
      stop("the write floor of ", target, " does not write what the package writes")
    }
  }
}
