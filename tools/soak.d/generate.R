# Random operations, drawn with R's generator from the reference state:
# reads, table writes in mode 0 and 1 (edited or fresh data, new labels,
# repeated tuples, zeros, empty labels, columns of other R types), scalar
# writes, closes, opens and library loads, each with a chance of engine
# refusals at one of the calls it makes.
#
# calls_seen holds the most calls of each engine call that an operation
# without refusals made, by soak_calls_key(); refusals aim within that
# count, and more often at the calls that move data.

pick <- function(x) x[[sample.int(length(x), 1L)]]
chance <- function(p) stats::runif(1) < p

long_text <- function(stem) paste(rep(stem, length.out = 62L), collapse = "")

soak_label_pools <- list(
  Plants = c("Oslo", "S\u00e3o Paulo", "Krak\u00f3w", "Lyon", "Den Haag", "Z\u00fcrich West",
             "\"Quoted\" Works", long_text("Hafen\u00e9"), paste0("p", 1:40)),
  Markets = c(paste0("m", 4:40), "\u00dcbersee", long_text("markt")),
  Years = c(2010:2040, -3:3, 100000L)
)
soak_texts <- c("x", "B. Schmidt", "Gr\u00fc\u00dfe aus Z\u00fcrich", "a \"quoted\" text",
                "tab\there", "two\nlines", long_text("Text mit \u00c4 "), paste0("s", 1:30))

# Faults of the package that are known and not fixed yet, which a run can
# be told to steer clear of (--skip-known), so that it looks for others.
soak_known <- c()
soak_skipping <- function(known) known %in% getOption("soak.skip_known", character())

new_label <- function(st, set) {
  s <- st$sets[[set]]
  pool <- if (s$type == "subset") {
    c(st$sets[[s$root]]$labels, soak_label_pools[[s$root]])
  } else {
    soak_label_pools[[set]]
  }
  pool <- pool[!set_has(st, set, pool)]
  if (length(pool) == 0L) return(pick(set_members(st, set)))
  pick(pool)
}

gen_label <- function(st, set, fresh) {
  members <- set_members(st, set)
  if (length(members) == 0L || chance(fresh)) new_label(st, set) else pick(members)
}

gen_value <- function(st, meta, zero = 0.15, outside = 0.03) {
  if (meta$value == "element") {
    if (chance(outside)) return(new_label(st, meta$range))
    members <- set_members(st, meta$range)
    return(if (length(members)) pick(members) else new_label(st, meta$range))
  }
  if (chance(zero)) return(switch(meta$value, double = 0, integer = 0L, string = ""))
  switch(meta$value,
    double = if (chance(0.02)) NA_real_ else pick(c(-800:-1, 1:800)) / 8,
    integer = if (chance(0.02)) NA_integer_ else pick(c(-1000:-1, 1:1000)),
    string = pick(soak_texts)
  )
}

gen_frame <- function(st, id, mode) {
  meta <- soak_ids[[id]]
  n <- length(meta$dims)
  fresh <- if (mode == 1L) 0.15 else 0.03
  new_row <- function() {
    c(lapply(meta$dims, function(set) gen_label(st, set, fresh)), list(gen_value(st, meta)))
  }
  style <- sample(c("edit", "fresh", "empty"), 1L, prob = c(0.5, 0.42, 0.08))
  rows <- list()
  if (style == "edit") {
    current <- expected_read(st, id)
    for (r in seq_len(nrow(current))) {
      if (!chance(0.75)) next
      row <- lapply(current, `[[`, r)
      if (chance(0.5)) row[[n + 1L]] <- gen_value(st, meta)
      rows[[length(rows) + 1L]] <- row
    }
    for (k in seq_len(sample(0:3, 1L))) rows[[length(rows) + 1L]] <- new_row()
  } else if (style == "fresh") {
    count <- if (chance(0.8)) sample(1:8, 1L) else sample(9:40, 1L)
    for (k in seq_len(count)) rows[[length(rows) + 1L]] <- new_row()
  }
  # Repeated tuples: the last row for a tuple is the one that counts.
  if (length(rows) && chance(0.25)) {
    for (k in seq_len(sample(1:2, 1L))) {
      row <- rows[[sample.int(length(rows), 1L)]]
      row[[n + 1L]] <- gen_value(st, meta, zero = 0.3)
      rows <- append(rows, list(row), after = sample(0:length(rows), 1L))
    }
  }
  if (length(rows) > 1L && chance(0.5)) rows <- rows[sample.int(length(rows))]
  columns <- lapply(seq_len(n + 1L), function(k) {
    cells <- lapply(rows, `[[`, k)
    if (k <= n) {
      if (set_is_int(st, meta$dims[[k]])) as.integer(unlist(cells)) else as.character(unlist(cells))
    } else {
      template <- value_default(meta)
      if (length(cells)) unlist(cells) else template[0]
    }
  })
  # An empty label: refused in mode 0, and by the engine when mode 1 adds it.
  label_dims <- which(!vapply(meta$dims, set_is_int, NA, st = st))
  if (length(rows) && length(label_dims) && chance(0.03)) {
    k <- pick(label_dims)
    columns[[k]][[sample.int(length(rows), 1L)]] <- ""
  }
  for (k in seq_len(n + 1L)) {
    if (is.character(columns[[k]]) && chance(0.12)) columns[[k]] <- factor(columns[[k]])
    if (k <= n && is.integer(columns[[k]]) && chance(0.1)) columns[[k]] <- as.double(columns[[k]])
  }
  names(columns) <- if (chance(0.1)) letters[seq_len(n + 1L)] else read_names(meta, id)
  if (chance(0.02)) {
    columns <- if (chance(0.5)) columns[-length(columns)] else c(columns, list(extra = columns[[1]]))
  }
  data.frame(columns, stringsAsFactors = FALSE, check.names = FALSE)
}

gen_scalar_value <- function(st, id) {
  meta <- soak_ids[[id]]
  value <- gen_value(st, meta, zero = 0.2, outside = 0.15)
  # Any longer vector: its first value is written.
  if (chance(0.08)) value <- c(value, gen_value(st, meta))
  value
}

# Operations alike in the calls they make: same kind, same identifier,
# sets cached or not, project open or not.
soak_calls_key <- function(st, op) {
  paste(op$kind, if (is.null(op$id)) "" else op$id, length(st$cache) == 0L, st$open)
}

soak_data_moving <- c("TavikValueAssignW", "TavikIdentifierEmpty", "TavikSetAddElementRecursiveW",
                      "TavikValueNextW", "TavikValueCard", "TavikValueResetHandle",
                      "TavikValueRetrieveW")

gen_faults <- function(kind, seen) {
  entries <- if (kind %in% c("read", "write", "scalar")) soak_data_entries else soak_project_entries
  seen <- if (is.null(seen)) setNames(numeric(length(entries)), entries) else seen[entries]
  seen[is.na(seen)] <- 0
  weight <- ifelse(entries %in% soak_data_moving, 4, 1)
  one <- function(exclude) {
    aimed <- any(seen > 0) && chance(0.85)
    choices <- setdiff(if (aimed) entries[seen > 0] else entries, exclude)
    if (length(choices) == 0L) return(NULL)
    entry <- sample(choices, 1L, prob = weight[match(choices, entries)])
    calls <- max(1, seen[[entry]])
    nth <- if (chance(0.1)) 0L else if (chance(0.4)) sample.int(min(3, calls), 1L)
           else sample.int(calls + 1L, 1L)
    # The engine ends the values by refusing the next one, so a refusal of
    # every ValueNextW looks like an identifier without data (its count is
    # only a hint): not a refusal the package can see.
    if (entry == "TavikValueNextW" && nth == 0L) nth <- 1L
    list(entry = entry, nth = as.integer(nth))
  }
  first <- one(character())
  if (is.null(first)) return(list())
  faults <- list(first)
  if (chance(0.12)) {
    second <- one(first$entry)
    pair <- c(first$entry, second$entry)
    if (!is.null(second)) faults <- c(faults, list(second))
  }
  faults
}

soak_generate <- function(st, calls_seen) {
  kinds <- c("read", "write0", "write1", "scalar", "close", "open", "load", "load_open", "bad")
  weights <- if (st$open) {
    c(0.15, 0.19, 0.24, 0.15, 0.025, 0.03, 0.02, 0.025, 0.03)
  } else {
    c(0.05, 0.04, 0.04, 0.02, 0.05, 0.35, 0.05, 0.35, 0.05)
  }
  kind <- sample(kinds, 1L, prob = weights)
  op <- switch(kind,
    read = list(kind = "read", id = pick(names(soak_ids))),
    write0 = ,
    write1 = {
      id <- pick(soak_table_ids)
      mode <- if (kind == "write1") 1L else 0L
      list(kind = "write", id = id, frame = gen_frame(st, id, mode), mode = mode)
    },
    scalar = {
      id <- pick(soak_scalar_ids)
      list(kind = "scalar", id = id, value = gen_scalar_value(st, id))
    },
    bad = if (chance(0.6)) {
      list(kind = "read", id = pick(names(soak_bad_names)))
    } else {
      list(kind = "write", id = pick(names(soak_bad_names)),
           frame = data.frame(Plants = "Berlin", v = 1), mode = pick(0:1))
    },
    list(kind = kind)
  )
  project_op <- op$kind %in% c("close", "open", "load", "load_open")
  op$faults <- if (chance(if (project_op) 0.3 else 0.35)) {
    gen_faults(op$kind, calls_seen[[soak_calls_key(st, op)]])
  } else {
    list()
  }
  if (project_op && st$open && chance(0.15)) op$close_fails <- TRUE
  # The check after the operation drops the cached sets half of the time.
  if (chance(0.5)) op$drop <- pick(soak_table_ids)
  op
}
