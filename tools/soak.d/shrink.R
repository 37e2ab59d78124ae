# Shrinking a failing sequence: replays of shorter ones, each in a fresh R
# process, keep whatever still fails the same way (the same kind of
# problem, or a crash). First the shortest failing tail, then delta
# debugging over the operations, then each remaining operation made
# simpler: fewer refusals and at earlier calls, no dropped cache, fewer
# rows.

# Runs in the child, where none of the soak's code is loaded yet.
soak_replay_child <- function(dir, project, ops, skip) {
  for (file in file.path(dir, paste0(c("project", "reference", "engine", "generate", "step",
                                       "run", "shrink"), ".R"))) {
    sys.source(file, envir = globalenv())
  }
  options(soak.skip_known = skip)
  result <- soak_run(project, ops = ops)
  list(problem = result$problem, step = result$step)
}

# Runs ops in a fresh process; the problem they end in, or NULL.
soak_replay <- function(ctx, ops) {
  out <- file.path(ctx$work, "replay.out")
  result <- tryCatch(
    callr::r(soak_replay_child, args = list(ctx$dir, ctx$project, ops, ctx$skip),
             stdout = out, stderr = out, timeout = ctx$replay_timeout),
    error = function(e) e)
  if (inherits(result, "error")) return(soak_process_problem(result, out))
  result$problem
}

# A child process that died or hung: the kind is what counts when shrinking.
soak_process_problem <- function(error, out) {
  tail <- if (file.exists(out)) utils::tail(readLines(out, warn = FALSE), 15L) else character()
  kind <- if (inherits(error, "callr_timeout_error")) "hang" else "crash"
  list(kind = kind, text = paste(c(conditionMessage(error), tail), collapse = "\n"))
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
      if (fewer < 1L || fewer >= nth) next
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

soak_rows <- function(frame, keep) {
  frame <- frame[keep, , drop = FALSE]
  rownames(frame) <- NULL
  frame
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

soak_repro_lines <- function(ops, project, problem, seed) {
  ids <- paste0("\"", names(soak_ids), "\"", collapse = ", ")
  lines <- c(
    sprintf("# tools/soak, seed %s: the shortest sequence found that fails (%s).", seed,
            problem$kind),
    "# Run it with the package under test on the library path:",
    "#   R_LIBS=/path/to/library Rscript repro.R",
    "loadNamespace(\"tavik4r\")",
    "sim <- asNamespace(\"tavik4r\")",
    "invisible(sim$sim_engine_load())",
    sprintf("project <- %s", r_text(project)),
    "engine <- tavik4r::tavik_example_engine()",
    "call <- function(name, ...) .Call(name, ..., PACKAGE = \"tavik4r\")",
    sprintf("fault <- function(entry, nth) sim$sim_fault(entry, nth, %dL, \"%s\")",
            soak_fault_code, soak_fault_text),
    "clear <- function(entry) sim$sim_fault(entry, -1L)",
    "# After each step the soak reads every identifier, and may write one back",
    "# unchanged, which drops the cached sets.",
    sprintf("ids <- c(%s)", ids),
    "check <- function(drop = NULL) {",
    "  if (sim$sim_counter(\"project_open\") == 0) return(invisible(try(call(\"tavik4r_GetData\", \"Cost\"), silent = TRUE)))",
    "  for (id in ids) call(\"tavik4r_GetData\", id)",
    "  if (!is.null(drop)) call(\"tavik4r_SetData\", call(\"tavik4r_GetData\", drop), drop, 0L)",
    "  cat(\"live handles:\", sim$sim_counter(\"live_handles\"), \"\\n\")",
    "}",
    "sim$sim_reset()",
    "call(\"tavik4r_LoadTavikAndOpenProject\", engine, project)",
    "check()"
  )
  for (k in seq_along(ops)) {
    op <- ops[[k]]
    command <- switch(op$kind,
      read = sprintf("call(\"tavik4r_GetData\", %s)", r_text(op$id)),
      write = sprintf("call(\"tavik4r_SetData\", %s, %s, %dL)", r_text(op$frame), r_text(op$id),
                      op$mode),
      scalar = sprintf("call(\"tavik4r_SetData\", %s, %s, 0L)", r_text(op$value), r_text(op$id)),
      close = "call(\"tavik4r_CloseProject\")",
      open = "call(\"tavik4r_OpenProject\", project)",
      load = "call(\"tavik4r_LoadTavik\", engine)",
      load_open = "call(\"tavik4r_LoadTavikAndOpenProject\", engine, project)"
    )
    lines <- c(lines, sprintf("# step %d: %s", k, op_label(op)))
    for (f in op$faults) lines <- c(lines, sprintf("fault(\"%s\", %dL)", f$entry, f$nth))
    if (isTRUE(op$close_fails)) lines <- c(lines, "sim$sim_switch(\"close_fails\")")
    lines <- c(lines, sprintf("print(try(%s))", command))
    if (isTRUE(op$close_fails)) lines <- c(lines, "sim$sim_switch(\"close_fails\", FALSE)")
    for (f in op$faults) lines <- c(lines, sprintf("clear(\"%s\")", f$entry))
    lines <- c(lines, if (is.null(op$drop)) "check()" else sprintf("check(drop = %s)",
                                                                   r_text(op$drop)))
  }
  if (!is.null(problem$id)) lines <- c(lines, sprintf("print(call(\"tavik4r_GetData\", %s))",
                                                     r_text(problem$id)))
  c(lines, paste("#", strsplit(paste("the soak saw:", problem$text), "\n")[[1]]))
}
