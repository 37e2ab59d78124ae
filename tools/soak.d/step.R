# One step: an operation with its faults armed, its outcome judged against
# the reference, then the check that the engine holds exactly the
# reference's data and no more engine handles than the cached sets and
# refused deletions explain.
#
# A step returns the new reference state, a problem (NULL, or kind and
# text; the kind tells failures apart while shrinking) and notes for the
# log.

soak_bad_names <- c(NoSuch = "tavikerror 5: unknown identifier 'NoSuch'",
                    Plants = "unsported identifier type for 'Plants'",
                    p = "unsported identifier type for 'p'")
soak_no_project <- "tavikerror 1: no project open"

show_value <- function(x) {
  if (is.data.frame(x)) {
    if (nrow(x) == 0L) return(sprintf("no rows (%s)", paste(names(x), collapse = ", ")))
    shown <- utils::capture.output(print(utils::head(x, 12L), right = FALSE))
    if (nrow(x) > 12L) shown <- c(shown, sprintf("... %d rows", nrow(x)))
    return(paste(shown, collapse = "\n"))
  }
  paste(deparse(x), collapse = " ")
}

problem <- function(kind, ...) list(kind = kind, text = paste0(...))

# How what a read gave differs from the reference: the rows only one of
# them has, or where the order parts.
show_difference <- function(got, expected) {
  if (!is.data.frame(got) || !is.data.frame(expected) ||
      !identical(names(got), names(expected)) ||
      !identical(lapply(got, class), lapply(expected, class))) {
    return(sprintf("\n%s\nexpected\n%s", show_value(got), show_value(expected)))
  }
  rows <- function(x) if (nrow(x)) do.call(paste, c(unname(lapply(x, format_cells)), sep = " | ")) else character()
  a <- rows(got)
  b <- rows(expected)
  only <- function(x, y, frame) {
    keep <- !x %in% y
    if (any(keep)) show_value(soak_rows(frame, which(keep))) else "none"
  }
  if (setequal(a, b) && length(a) == length(b)) {
    at <- which(a != b)[[1]]
    return(sprintf(" the same %d rows in another order, from row %d:\n%s\nexpected order\n%s",
                   length(a), at, show_value(got), show_value(expected)))
  }
  sprintf(" %d rows, expected %d; rows only the engine has:\n%s\nrows only the reference has:\n%s",
          length(a), length(b), only(a, b, got), only(b, a, expected))
}

format_cells <- function(x) ifelse(is.na(x), "<NA>", encodeString(as.character(x)))

# The data a "now holds" message claims, or a problem when it makes no
# sense for the write.
claimed_data <- function(st, op, message, plan) {
  meta <- soak_ids[[op$id]]
  old <- st$data[[op$id]]
  scalar <- length(meta$dims) == 0L
  previous <- if (scalar) 1L else nrow(old)
  m <- regmatches(message, regexec("now holds the first ([0-9]+) rows? of the ([0-9]+) written\\.$",
                                   message))[[1]]
  if (length(m)) {
    if (scalar) return(problem("claim", "a scalar write claims written rows: ", message))
    cells <- frame_cells(st, meta, op$frame)
    written <- as.integer(m[[2]])
    if (as.integer(m[[3]]) != length(cells$value) || written > length(cells$value)) {
      return(problem("claim", "the message counts other rows than the frame has: ", message))
    }
    return(list(data = rows_data(meta, cells$keys, cells$value, seq_len(written))))
  }
  m <- regmatches(message, regexec("now holds ([0-9]+) values? of its ([0-9]+) previous ones?\\.$",
                                   message))[[1]]
  if (length(m)) {
    kept <- as.integer(m[[2]])
    if (as.integer(m[[3]]) != previous || kept > previous) {
      return(problem("claim", sprintf("the identifier held %d values before, the message says: ",
                                      previous), message))
    }
    if (scalar) return(list(data = if (kept == 1L) old else value_default(meta)))
    ordered <- expected_read(st, op$id)
    data <- old[0, , drop = FALSE]
    if (kept > 0L) {
      data <- ordered[seq_len(kept), , drop = FALSE]
      names(data) <- names(old)
    }
    return(list(data = data))
  }
  if (grepl("now holds another value\\.$", message) && scalar) return(list(data = plan$data))
  problem("claim", "a message saying what the identifier holds that the soak can't read: ",
          message)
}

# --- judging an operation -----------------------------------------------------

# Labels a write that failed after a refusal added: as many of the pending
# ones, in order, as the engine took (a refused add is the last call).
adds_after_refusal <- function(plan, delta, add_refused) {
  pending <- plan$pending
  k <- delta[["TavikSetAddElementRecursiveW"]]
  if (k > 0 && (add_refused || (k <= nrow(pending) && pending$label[[k]] == ""))) k <- k - 1
  pending[seq_len(min(k, nrow(pending))), , drop = FALSE]
}

judge_data_op <- function(st, op, outcome, fired, delta) {
  error <- outcome$error
  faulted <- any(fired)
  id <- op$id
  lo <- hi <- st$cache
  if (!st$open || id %in% names(soak_bad_names)) {
    expected <- if (!st$open) soak_no_project else soak_bad_names[[id]]
    if (is.null(error)) {
      return(list(st = st, problem = problem("missing error", "expected the error '", expected,
                                             "', got ", show_value(outcome$value))))
    }
    if (!faulted && conditionMessage(error) != expected) {
      return(list(st = st, problem = problem("wrong message", "expected the error '", expected,
                                             "', got '", conditionMessage(error), "'")))
    }
    return(list(st = st, lo = lo, hi = hi, notes = "expected error"))
  }
  sets <- soak_sets_of(id)
  if (op$kind == "read") {
    hi <- union(st$cache, sets)
    if (is.null(error)) {
      expected <- expected_read(st, id)
      if (!identical(outcome$value, expected)) {
        return(list(st = st, problem = problem(
          "wrong result", "read of ", id, " returned", show_difference(outcome$value, expected))))
      }
      st$cache <- hi
      return(list(st = st, lo = hi, hi = hi))
    }
    if (!faulted) {
      return(list(st = st, problem = problem("unexpected error", "read of ", id, ": ",
                                             conditionMessage(error))))
    }
    return(list(st = st, lo = lo, hi = hi, notes = "fault error"))
  }

  table <- op$kind == "write"
  plan <- if (table) plan_write(st, id, op$frame, op$mode) else plan_scalar(st, id, op$value)
  hi <- union(st$cache, sets)
  if (is.null(error)) {
    if (!is.null(plan$error)) {
      return(list(st = st, problem = problem(
        "missing error", sprintf("the write of %s went through; expected the error '%s'", id,
                                 show_message(plan$error)))))
    }
    if (table) st <- apply_adds(st, plan$adds)
    st$data[[id]] <- plan$data
    st$cache <- if (table) character() else hi
    return(list(st = st, lo = st$cache, hi = st$cache))
  }
  message <- conditionMessage(error)
  if (!faulted) {
    if (is.null(plan$error)) {
      return(list(st = st, problem = problem("unexpected error", "write of ", id, ": ", message)))
    }
    if (!message_matches(message, plan$error)) {
      return(list(st = st, problem = problem("wrong message", "write of ", id, ": expected '",
                                             show_message(plan$error), "', got '", message, "'")))
    }
    if (table) st <- apply_adds(st, plan$adds)
    # A failed write that added labels drops the cached sets.
    st$cache <- if (table && nrow(plan$adds) > 0L) character() else hi
    return(list(st = st, lo = st$cache, hi = st$cache, notes = "expected error"))
  }
  # A refused call: the identifier keeps its data, and says so when the
  # write had begun; only a refused restore (two refusals) changes it.
  notes <- "fault error"
  restored <- regmatches(message, regexec("its previous data is restored \\(([0-9]+) values?\\)\\.$",
                                          message))[[1]]
  if (length(restored)) {
    previous <- if (table) nrow(st$data[[id]]) else 1L
    if (as.integer(restored[[2]]) != previous) {
      return(list(st = st, problem = problem(
        "claim", sprintf("%s held %d values, the message says: %s", id, previous, message))))
    }
    notes <- c(notes, "restored")
  }
  if (grepl("now holds", message, fixed = TRUE)) {
    # The restore fails only after a second refusal: a fault on every call,
    # two faults, or one and the engine's own refusal of the value.
    refusals <- sum(fired) + any(vapply(op$faults, function(f) f$nth == 0L, NA)) +
      is.list(plan$error)
    if (refusals < 2L) {
      return(list(st = st, problem = problem(
        "claim", "one refusal, yet the restore failed too: ", message)))
    }
    claim <- claimed_data(st, op, message, plan)
    if (!is.null(claim$kind)) return(list(st = st, problem = claim))
    st$data[[id]] <- claim$data
    st$claim <- message
    notes <- c(notes, "now holds")
  }
  added <- 0L
  if (table && nrow(plan$pending) > 0L) {
    add_refused <- any(fired[vapply(op$faults, function(f) f$entry, "") ==
                               "TavikSetAddElementRecursiveW"])
    adds <- adds_after_refusal(plan, delta, add_refused)
    added <- nrow(adds)
    st <- apply_adds(st, adds)
  }
  # A failed write that added labels drops the cached sets: the engine may
  # have added them to sets the cache holds besides the write's own.
  if (added > 0L) {
    st$cache <- character()
    return(list(st = st, lo = character(), hi = character(), notes = notes))
  }
  st$cache <- hi
  list(st = st, lo = lo, hi = hi, notes = notes)
}

# An expected message is a text, or the start and end of one.
message_matches <- function(message, expected) {
  if (is.character(expected)) return(identical(message, expected))
  startsWith(message, expected$prefix) && endsWith(message, expected$suffix)
}

show_message <- function(expected) {
  if (is.character(expected)) expected else paste0(expected$prefix, "...", expected$suffix)
}

judge_project_op <- function(st, op, outcome, fired, delta) {
  entries <- vapply(op$faults, function(f) f$entry, "")
  close_refused <- any(fired[entries == "TavikProjectClose"]) ||
    (isTRUE(op$close_fails) && delta[["TavikProjectClose"]] > 0)
  open_refused <- any(fired[entries == "TavikServerProjectOpenW"])
  was_open <- st$open
  keep <- function(st) {
    st$cache <- character()
    st
  }
  closed <- function(st) {
    st$open <- FALSE
    st$cache <- character()
    st$leaked <- 0
    st
  }
  result <- switch(op$kind,
    close = if (!was_open) list(FALSE, st) else if (close_refused) list(FALSE, keep(st))
            else list(TRUE, closed(st)),
    load = if (was_open && close_refused) list(FALSE, keep(st)) else list(TRUE, closed(st)),
    open = ,
    load_open = if (was_open && close_refused) list(FALSE, keep(st))
                else if (open_refused) list(FALSE, closed(st))
                else list(TRUE, soak_reset_project(st))
  )
  if (!is.null(outcome$error)) {
    return(list(st = st, problem = problem("unexpected error", op$kind, ": ",
                                           conditionMessage(outcome$error))))
  }
  if (!identical(outcome$value, result[[1]])) {
    return(list(st = st, problem = problem("wrong result", sprintf(
      "%s returned %s, expected %s", op$kind, show_value(outcome$value), result[[1]]))))
  }
  st <- result[[2]]
  # Handles the engine refused to delete go with the project it closes.
  list(st = st, lo = st$cache, hi = st$cache, deletes_kept = was_open && close_refused,
       notes = c(if (close_refused && was_open) "close refused", if (open_refused) "open refused"))
}

# --- the step -----------------------------------------------------------------

soak_step <- function(eng, st, op) {
  entries <- vapply(op$faults, function(f) f$entry, "")
  watched <- soak_entries
  before <- eng$calls(watched)
  for (f in op$faults) eng$fault(f$entry, f$nth)
  if (isTRUE(op$close_fails)) eng$close_fails(TRUE)
  outcome <- tryCatch(list(value = soak_command(eng, op)), error = function(e) list(error = e))
  if (isTRUE(op$close_fails)) eng$close_fails(FALSE)
  for (f in op$faults) eng$clear(f$entry)
  delta <- eng$calls(watched) - before
  fired <- vapply(op$faults, function(f) delta[[f$entry]] >= max(f$nth, 1L), NA)
  refused_deletes <- sum(vapply(seq_along(op$faults), function(k) {
    f <- op$faults[[k]]
    if (f$entry != "TavikIdentifierHandleDelete") return(0)
    if (f$nth == 0L) delta[[f$entry]] else as.numeric(fired[[k]])
  }, numeric(1)))

  judged <- if (op$kind %in% c("read", "write", "scalar")) {
    judge_data_op(st, op, outcome, fired, delta)
  } else {
    judge_project_op(st, op, outcome, fired, delta)
  }
  notes <- list(fired = entries[fired], notes = judged$notes,
                error = !is.null(outcome$error), calls = delta)
  if (!is.null(judged$problem)) return(list(st = st, problem = judged$problem, notes = notes))
  st <- judged$st
  if (!isFALSE(judged$deletes_kept) && st$open) st$leaked <- st$leaked + refused_deletes

  # Handles right after the command, within what it may have cached.
  live <- eng$counter("live_handles")
  if (!st$open) {
    if (live != 0) return(list(st = st, problem = problem(
      "handles", sprintf("%d live engine handles with no project open", live)), notes = notes))
  } else if (live < length(judged$lo) + st$leaked || live > length(judged$hi) + st$leaked) {
    return(list(st = st, notes = notes, problem = problem("handles", sprintf(
      "%d live engine handles after %s; the cached sets and refused deletions explain %s",
      live, op$kind, if (length(judged$lo) == length(judged$hi)) length(judged$hi) + st$leaked
                     else sprintf("%d to %d", length(judged$lo) + st$leaked,
                                  length(judged$hi) + st$leaked)))))
  }
  checked <- soak_check(eng, st, op, soak_tried_labels(st, op))
  # The reference took the write's word for what the identifier holds.
  if (!is.null(checked$problem) && !is.null(st$claim)) {
    checked$problem$text <- paste0(checked$problem$text, "\nafter the write's error said: ",
                                   st$claim)
  }
  checked$st$claim <- NULL
  list(st = checked$st, problem = checked$problem, notes = notes)
}

# The labels of a mode 1 write, by set (a subset's go to its root too);
# NULL when the sets need no look: they change only through mode 1 writes
# and a project opened again.
soak_tried_labels <- function(st, op) {
  if (op$kind %in% c("open", "load_open")) return(list())
  if (op$kind != "write" || op$mode != 1L || !op$id %in% soak_table_ids) return(NULL)
  meta <- soak_ids[[op$id]]
  if (ncol(op$frame) != length(meta$dims) + 1L) return(NULL)
  cells <- frame_cells(st, meta, op$frame)
  tried <- list()
  for (k in seq_along(meta$dims)) {
    set <- meta$dims[[k]]
    for (s in c(set, st$sets[[set]]$root)) tried[[s]] <- unique(c(tried[[s]], cells$keys[[k]]))
  }
  tried
}

# The engine's sets against the reference's, through the probe parameters:
# every label the reference has, in the reference's order, and none of
# the tried labels the reference lacks.
soak_probe_sets <- function(eng, st, tried) {
  for (set in names(soak_probes)) {
    probe <- soak_probes[[set]]
    members <- set_members(st, set)
    ordered <- members[order(set_rank(st, set, members))]
    expected <- data.frame(ordered, 1, stringsAsFactors = FALSE)
    names(expected) <- c(set, probe)
    failed <- tryCatch({
      eng$call("tavik4r_SetData", soak_rows(expected, rev(seq_along(ordered))), probe, 0L)
      NULL
    }, error = conditionMessage)
    if (!is.null(failed)) {
      return(problem("set", "writing every label the reference has for ", set, " failed: ",
                     failed))
    }
    got <- tryCatch(eng$call("tavik4r_GetData", probe), error = function(e) e)
    if (inherits(got, "error")) {
      return(problem("unexpected error", "read of ", probe, ": ", conditionMessage(got)))
    }
    if (!identical(got, expected)) {
      return(problem("set", "the labels of ", set, ":", show_difference(got, expected)))
    }
    for (label in setdiff(tried[[set]], members)) {
      refused <- tryCatch({
        eng$call("tavik4r_SetData", setNames(data.frame(label, 1, stringsAsFactors = FALSE),
                                             c(set, probe)), probe, 0L)
        "no error"
      }, error = conditionMessage)
      if (refused != missing_label(label, set)) {
        return(problem("set", sprintf("%s has the label %s, which the reference lacks (a write of it gave: %s)",
                                      set, encodeString(as.character(label), quote = "\""),
                                      refused)))
      }
    }
  }
  NULL
}

# Reads every identifier (no fault armed) and compares with the reference;
# then, if the operation asks for it, writes one identifier's data back
# unchanged, which drops the cached sets, so the next operation finds
# none cached. Sets are probed first when they may have changed.
soak_check <- function(eng, st, op, tried = NULL) {
  open <- eng$counter("project_open") == 1
  if (open != st$open) {
    return(list(st = st, problem = problem(
      "state", if (st$open) "the engine has no project open, the reference has"
               else "the engine has a project open, the reference has none")))
  }
  if (!st$open) {
    got <- tryCatch({
      eng$call("tavik4r_GetData", "Cost")
      "no error"
    }, error = conditionMessage)
    if (got != soak_no_project) {
      return(list(st = st, problem = problem(
        "wrong message", "read with no project open: expected '", soak_no_project,
        "', got '", got, "'")))
    }
    return(list(st = st))
  }
  if (!is.null(tried)) {
    found <- soak_probe_sets(eng, st, tried)
    if (!is.null(found)) return(list(st = st, problem = found))
  }
  for (id in names(soak_ids)) {
    got <- tryCatch(eng$call("tavik4r_GetData", id), error = function(e) e)
    if (inherits(got, "error")) {
      return(list(st = st, problem = problem("unexpected error", "check read of ", id, ": ",
                                             conditionMessage(got))))
    }
    expected <- expected_read(st, id)
    if (!identical(got, expected)) {
      found <- problem("wrong data", id, " holds", show_difference(got, expected))
      found$id <- id
      return(list(st = st, problem = found))
    }
  }
  st$cache <- soak_all_sets()
  live <- eng$counter("live_handles")
  if (live != length(st$cache) + st$leaked) {
    return(list(st = st, problem = problem("handles", sprintf(
      "%d live engine handles after reading every identifier, expected %d (%d sets, %d kept by refused deletions)",
      live, length(st$cache) + st$leaked, length(st$cache), st$leaked))))
  }
  if (!is.null(op$drop)) {
    again <- tryCatch({
      eng$call("tavik4r_SetData", expected_read(st, op$drop), op$drop, 0L)
      NULL
    }, error = conditionMessage)
    if (!is.null(again)) {
      return(list(st = st, problem = problem("unexpected error", "writing back what ", op$drop,
                                             " holds: ", again)))
    }
    st$cache <- character()
    live <- eng$counter("live_handles")
    if (live != st$leaked) {
      return(list(st = st, problem = problem("handles", sprintf(
        "%d live engine handles after a write dropped the cached sets, expected %d",
        live, st$leaked))))
    }
  }
  list(st = st)
}
