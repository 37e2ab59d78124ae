# Shrinking a failing sequence: replays of shorter ones, each in a fresh R
# process, keep whatever still fails the same way (the same kind of
# problem, or a crash). First the shortest failing tail, then delta
# debugging over the operations, then each remaining operation made
# simpler: fewer refusals and at earlier calls, no dropped cache, fewer
# rows.

# Runs in the child, where none of the soak's code is loaded yet.
soak_replay_child <- function(dir, project, ops, skip, record = FALSE) {
  for (file in file.path(dir, paste0(c("project", "reference", "engine", "generate", "step",
                                       "run", "shrink"), ".R"))) {
    sys.source(file, envir = globalenv())
  }
  sys.source(soak_controls_file(dir), envir = globalenv())
  options(soak.skip_known = skip)
  result <- soak_run(project, ops = ops, record = record)
  list(problem = result$problem, step = result$step, transcript = result$transcript)
}

# Runs ops in a fresh process; the problem they end in, or NULL. With
# record = TRUE, the problem comes with the calls made (NULL after a crash).
soak_replay <- function(ctx, ops, record = FALSE) {
  out <- file.path(ctx$work, "replay.out")
  result <- tryCatch(
    callr::r(soak_replay_child, args = list(ctx$dir, ctx$project, ops, ctx$skip, record),
             stdout = out, stderr = out, timeout = ctx$replay_timeout),
    error = function(e) e)
  if (inherits(result, "error")) return(soak_process_problem(result, out))
  if (record && !is.null(result$problem)) result$problem$transcript <- result$transcript
  result$problem
}

# A child process that died or hung: the kind is what counts when shrinking.
# The process's own words on it are kept short: R's crash report, else its
# last lines (a sanitizer writes its reports to files of its own).
soak_process_problem <- function(error, out) {
  said <- if (file.exists(out)) readLines(out, warn = FALSE) else character()
  # The package's own notes of loads refused along the way say nothing here.
  said <- said[nzchar(trimws(said)) & !startsWith(said, "Couldn't load TAVIK library")]
  telling <- grep("caught segfault|address .*cause|irrecoverable|AddressSanitizer|runtime error|Aborted",
                  said, value = TRUE)
  shown <- if (length(telling)) utils::head(telling, 6L) else c(utils::tail(said, 4L),
    "(nothing on its output tells why; under the sanitizers, see their report files)")
  shown <- ifelse(nchar(shown) > 160L, paste0(substr(shown, 1L, 160L), " ..."), shown)
  kind <- if (inherits(error, "callr_timeout_error")) "hang" else "crash"
  list(kind = kind, text = paste(c(strsplit(conditionMessage(error), "\n")[[1]][[1]], shown),
                                 collapse = "\n"))
}

ddmin <- function(items, fails, out_of_time) {
  n <- 2L
  while (length(items) >= 2L && !out_of_time()) {
    chunks <- split(items, cut(seq_along(items), min(n, length(items)), labels = FALSE))
    reduced <- FALSE
    for (chunk in chunks) {
      if (out_of_time()) break
      if (fails(chunk)) {
        items <- chunk
        n <- 2L
        reduced <- TRUE
        break
      }
    }
    if (!reduced && length(chunks) > 2L) {
      for (k in seq_along(chunks)) {
        if (out_of_time()) break
        rest <- unlist(chunks[-k], use.names = FALSE)
        if (fails(rest)) {
          items <- rest
          n <- max(n - 1L, 2L)
          reduced <- TRUE
          break
        }
      }
    }
    if (!reduced) {
      if (n >= length(items)) break
      n <- min(length(items), 2L * n)
    }
  }
  items
}

# The simpler forms of one operation, simplest change first.
simpler_ops <- function(op) {
  out <- list()
  for (k in seq_along(op$faults)) {
    o <- op
    o$faults <- op$faults[-k]
    out <- c(out, list(o))
  }
  for (k in seq_along(op$faults)) {
    nth <- op$faults[[k]]$nth
    for (fewer in unique(c(1L, nth %/% 2L, nth - 1L))) {
      if (fewer < 1L || (nth != 0L && fewer >= nth)) next
      o <- op
      o$faults[[k]]$nth <- fewer
      out <- c(out, list(o))
    }
  }
  if (isTRUE(op$close_fails)) out <- c(out, list(within(op, rm(close_fails))))
  if (!is.null(op$drop)) out <- c(out, list(within(op, rm(drop))))
  if (op$kind == "scalar" && length(op$value) > 1L) {
    out <- c(out, list(within(op, value <- value[1])))
  }
  out
}

soak_shrink <- function(ctx, ops, kind) {
  started <- Sys.time()
  replays <- 0L
  out_of_time <- function() {
    as.numeric(Sys.time() - started, units = "secs") > ctx$shrink_seconds
  }
  fails <- function(candidate) {
    replays <<- replays + 1L
    problem <- soak_replay(ctx, candidate)
    !is.null(problem) && identical(problem$kind, kind)
  }
  # The shortest tail that fails: causes tend to be recent.
  for (len in 2L^(0:30)) {
    if (len >= length(ops) || out_of_time()) break
    tail <- utils::tail(ops, len)
    if (fails(tail)) {
      ops <- tail
      break
    }
  }
  index <- ddmin(seq_along(ops), function(keep) fails(ops[keep]), out_of_time)
  ops <- ops[index]
  # One operation at a time, until no removal or simplification still fails.
  repeat {
    changed <- FALSE
    for (k in rev(seq_along(ops))) {
      if (out_of_time() || k > length(ops)) next
      if (length(ops) > 1L && fails(ops[-k])) {
        ops <- ops[-k]
        changed <- TRUE
        next
      }
      for (simpler in simpler_ops(ops[[k]])) {
        if (out_of_time()) break
        candidate <- ops
        candidate[[k]] <- simpler
        if (fails(candidate)) {
          ops <- candidate
          changed <- TRUE
        }
      }
      if (!is.null(ops[[k]]$frame) && nrow(ops[[k]]$frame) > 1L && !out_of_time()) {
        frame <- ops[[k]]$frame
        rows <- ddmin(seq_len(nrow(frame)), function(keep) {
          candidate <- ops
          candidate[[k]]$frame <- soak_rows(frame, keep)
          fails(candidate)
        }, out_of_time)
        if (length(rows) < nrow(frame)) {
          ops[[k]]$frame <- soak_rows(frame, rows)
          changed <- TRUE
        }
        if (length(rows) == 1L && !out_of_time()) {
          candidate <- ops
          candidate[[k]]$frame <- soak_rows(frame, integer())
          if (fails(candidate)) ops <- candidate
        }
      }
    }
    if (!changed || out_of_time()) break
  }
  list(ops = ops, replays = replays, complete = !out_of_time(),
       seconds = as.numeric(Sys.time() - started, units = "secs"))
}

# --- the reproduction as R lines ------------------------------------------------

r_text <- function(x) {
  if (is.data.frame(x)) {
    columns <- vapply(names(x), function(name) {
      paste0("`", name, "` = ", r_text(x[[name]]))
    }, "")
    return(paste0("data.frame(", paste(columns, collapse = ", "),
                  ", check.names = FALSE, stringsAsFactors = FALSE)"))
  }
  if (is.factor(x)) return(paste0("factor(", r_text(as.character(x)), ")"))
  paste(deparse(x, control = c("keepNA", "keepInteger", "digits17"), width.cutoff = 500L),
        collapse = "")
}

# The reproduction: every call the replay made, as R lines. Without a
# transcript (the replay crashed), the operations with a plain check.
soak_repro_lines <- function(ops, project, problem, seed, engine, controls) {
  ids <- paste0("\"", names(soak_ids), "\"", collapse = ", ")
  lines <- c(
    sprintf("# tools/soak, seed %s: the shortest sequence found that fails (%s).", seed,
            problem$kind),
    "# Run it with the package under test on the library path:",
    "#   R_LIBS=/path/to/library Rscript repro.R",
    "loadNamespace(\"tavik4r\")",
    "# The engine's test controls, from the tests' helper.",
    "sim <- new.env()",
    sprintf("sys.source(%s, envir = sim)", r_text(controls)),
    "invisible(sim$sim_engine_load())",
    sprintf("project <- %s", r_text(project)),
    "engine <- tavik4r::tavik_example_engine()",
    "call <- function(name, ...) .Call(name, ..., PACKAGE = \"tavik4r\")",
    "quiet <- function(expr) invisible(try(expr, silent = TRUE))",
    sprintf("fault <- function(entry, nth) sim$sim_fault(entry, nth, %dL, \"%s\")",
            soak_fault_code, soak_fault_text),
    "clear <- function(entry) sim$sim_fault(entry, -1L)",
    "handles <- function() cat(\"live engine handles:\", sim$sim_counter(\"live_handles\"), \"\\n\")",
    "# The check after each step: the probes write a set's labels to a parameter",
    "# over the set (and read them back), every identifier is read, and one may",
    "# be written back unchanged, which drops the cached sets.",
    "probe <- function(set, labels, read = TRUE) {",
    "  frame <- setNames(data.frame(labels, 1, stringsAsFactors = FALSE), c(set, paste0(\"Probe\", set)))",
    "  quiet(call(\"tavik4r_SetData\", frame, paste0(\"Probe\", set), 0L))",
    "  if (read) quiet(call(\"tavik4r_GetData\", paste0(\"Probe\", set)))",
    "}",
    sprintf("ids <- c(%s)", ids),
    "read_all <- function(last = ids[[length(ids)]]) {",
    "  for (id in ids[seq_len(match(last, ids))]) quiet(call(\"tavik4r_GetData\", id))",
    "}",
    "write_back <- function(id) quiet(call(\"tavik4r_SetData\", call(\"tavik4r_GetData\", id), id, 0L))",
    "sim$sim_reset()"
  )
  transcript <- problem$transcript
  if (is.null(transcript)) {
    lines <- c(lines, "# The replay died, so its calls are not known: the check after each step",
               "# is shown as its reads and write-back, without its probes of the sets.")
    read_all <- lapply(names(soak_ids), function(id) {
      list(type = "call", name = "tavik4r_GetData", args = list(id), role = "check")
    })
    transcript <- c(list(list(type = "call", name = "tavik4r_LoadTavikAndOpenProject",
                              args = list(engine, project), role = "op")), read_all)
    for (k in seq_along(ops)) {
      op <- ops[[k]]
      transcript <- c(transcript, list(list(type = "note", text = sprintf(
        "step %d: %s", k, op_label(op)))), soak_op_calls(op, engine, project), read_all,
        if (!is.null(op$drop)) list(list(type = "call", name = "tavik4r_SetData",
                                         args = list(NULL, op$drop, 0L), role = "check")))
    }
  }
  argument <- function(x) {
    if (identical(x, engine)) return("engine")
    if (identical(x, project)) return("project")
    r_text(x)
  }
  rendered <- character()
  k <- 1L
  while (k <= length(transcript)) {
    entry <- transcript[[k]]
    # The check's reads of every identifier, or of the first ones when it
    # stopped at a difference.
    if (entry$type == "call" && entry$role == "check" && entry$name == "tavik4r_GetData" &&
        identical(entry$args[[1]], names(soak_ids)[[1]])) {
      ahead <- transcript[k - 1L + seq_len(min(length(soak_ids), length(transcript) - k + 1L))]
      read <- vapply(ahead, function(e) {
        if (e$type == "call" && e$role == "check" && e$name == "tavik4r_GetData") e$args[[1]] else ""
      }, "")
      n <- match(FALSE, read == names(soak_ids)[seq_along(read)], nomatch = length(read) + 1L) - 1L
      rendered <- c(rendered, if (n == length(soak_ids)) "read_all()" else
                    sprintf("read_all(%s)", r_text(names(soak_ids)[[n]])))
      k <- k + n
      next
    }
    if (entry$type == "call" && entry$role == "check" && entry$name == "tavik4r_SetData") {
      target <- entry$args[[2]]
      if (target %in% soak_probes) {
        set <- names(soak_probes)[soak_probes == target]
        following <- if (k < length(transcript)) transcript[[k + 1L]]
        read <- !is.null(following) && following$type == "call" &&
          following$name == "tavik4r_GetData" && identical(following$args[[1]], target)
        rendered <- c(rendered, sprintf("probe(%s, %s%s)", r_text(set),
                                        r_text(entry$args[[1]][[1]]),
                                        if (read) "" else ", read = FALSE"))
        k <- k + 1L + read
        next
      }
      if (target %in% soak_table_ids) {
        rendered <- c(rendered, sprintf("write_back(%s)", r_text(target)))
        k <- k + 1L
        next
      }
    }
    rendered <- c(rendered, switch(entry$type,
      note = c("handles()", paste("#", entry$text)),
      fault = sprintf("fault(\"%s\", %dL)", entry$entry, entry$nth),
      clear = sprintf("clear(\"%s\")", entry$entry),
      switch = sprintf("sim$sim_switch(\"close_fails\", %s)", entry$on),
      call = {
        text <- sprintf("call(\"%s\"%s)", entry$name, paste0(vapply(entry$args, function(a) {
          paste0(", ", argument(a))
        }, ""), collapse = ""))
        if (entry$role == "op") sprintf("print(try(%s))", text) else sprintf("quiet(%s)", text)
      }
    ))
    k <- k + 1L
  }
  lines <- c(lines, rendered, "handles()")
  if (!is.null(problem$id)) lines <- c(lines, sprintf("print(call(\"tavik4r_GetData\", %s))",
                                                     r_text(problem$id)))
  c(lines, paste("#", strsplit(paste("the soak saw:", problem$text), "\n")[[1]]))
}

# An operation's calls, for a reproduction without a transcript.
soak_op_calls <- function(op, engine, project) {
  call <- function(name, ...) list(type = "call", name = name, args = list(...), role = "op")
  command <- switch(op$kind,
    read = call("tavik4r_GetData", op$id),
    write = call("tavik4r_SetData", op$frame, op$id, op$mode),
    scalar = call("tavik4r_SetData", op$value, op$id, 0L),
    close = call("tavik4r_CloseProject"),
    open = call("tavik4r_OpenProject", project),
    load = call("tavik4r_LoadTavik", engine),
    load_open = call("tavik4r_LoadTavikAndOpenProject", engine, project)
  )
  c(lapply(op$faults, function(f) list(type = "fault", entry = f$entry, nth = f$nth)),
    if (isTRUE(op$close_fails)) list(list(type = "switch", on = TRUE)),
    list(command),
    if (isTRUE(op$close_fails)) list(list(type = "switch", on = FALSE)),
    lapply(op$faults, function(f) list(type = "clear", entry = f$entry)))
}
