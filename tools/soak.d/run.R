# Running operations in this process: a soak run generates them from the
# seed until its step or time budget is spent; a replay runs given ones.
# Both stop at the first problem. Every operation goes to the log file
# before it runs, so a crash still leaves the sequence that caused it.

soak_tally <- function() {
  list(ops = integer(), fired = integer(), faults_armed = 0L, steps_fired = 0L,
       two_faults = 0L, every_call = 0L, close_switch = 0L, notes = integer(), errors = 0L)
}

bump <- function(counts, keys) {
  for (key in keys) counts[[key]] <- (if (is.na(counts[key])) 0L else counts[[key]]) + 1L
  counts
}

op_label <- function(op) {
  switch(op$kind, write = if (op$mode == 1L) "write mode 1" else "write mode 0",
         scalar = "scalar write", read = "read", op$kind)
}

soak_count <- function(tally, op, notes) {
  tally$ops <- bump(tally$ops, op_label(op))
  tally$faults_armed <- tally$faults_armed + length(op$faults)
  tally$two_faults <- tally$two_faults + (length(op$faults) > 1L)
  tally$every_call <- tally$every_call + sum(vapply(op$faults, function(f) f$nth == 0L, NA))
  tally$close_switch <- tally$close_switch + isTRUE(op$close_fails)
  tally$fired <- bump(tally$fired, sub("^Tavik", "", notes$fired))
  tally$steps_fired <- tally$steps_fired + (length(notes$fired) > 0L)
  tally$notes <- bump(tally$notes, notes$notes)
  tally$errors <- tally$errors + notes$error
  tally
}

# Runs ops (a list, or NULL to generate them) from a freshly opened
# project. Returns the steps run, the tally and the first problem with the
# step it came at.
soak_run <- function(project, ops = NULL, seed = 1L, steps = Inf, seconds = Inf,
                     log_file = NULL, record = FALSE) {
  eng <- soak_engine(project, record)
  eng$reset()
  if (!eng$start()) stop("the engine could not open the soak project ", project)
  st <- soak_initial_state()
  tally <- soak_tally()
  calls_seen <- list()
  log <- if (!is.null(log_file)) file(log_file, open = "wb")
  if (!is.null(log)) on.exit(close(log), add = TRUE)
  generating <- is.null(ops)
  if (generating) set.seed(seed) else steps <- length(ops)
  started <- Sys.time()
  first <- soak_check(eng, st, list(), list())
  if (!is.null(first$problem)) {
    return(list(steps = 0L, tally = tally, problem = first$problem, step = 0L,
                transcript = eng$transcript()))
  }
  st <- first$st
  step <- 0L
  while (step < steps) {
    if (generating && as.numeric(Sys.time() - started, units = "secs") >= seconds) break
    step <- step + 1L
    op <- if (generating) soak_generate(st, calls_seen) else ops[[step]]
    if (!is.null(log)) {
      serialize(op, log)
      flush(log)
    }
    eng$note(sprintf("step %d: %s", step, op_label(op)))
    result <- soak_step(eng, st, op)
    tally <- soak_count(tally, op, result$notes)
    if (!is.null(result$problem)) {
      return(list(steps = step, tally = tally, problem = result$problem, step = step,
                  seconds = as.numeric(Sys.time() - started, units = "secs"),
                  transcript = eng$transcript()))
    }
    if (generating && length(op$faults) == 0L && !isTRUE(op$close_fails)) {
      made <- result$notes$calls
      key <- soak_calls_key(st, op)
      seen <- calls_seen[[key]]
      calls_seen[[key]] <- if (is.null(seen)) made else pmax(seen, made)
    }
    st <- result$st
  }
  list(steps = step, tally = tally, problem = NULL,
       seconds = as.numeric(Sys.time() - started, units = "secs"))
}

# The operations a run's log file holds (all of them, also after a crash).
soak_read_log <- function(log_file) {
  ops <- list()
  if (!file.exists(log_file)) return(ops)
  con <- file(log_file, open = "rb")
  on.exit(close(con))
  repeat {
    op <- tryCatch(unserialize(con), error = function(e) NULL)
    if (is.null(op)) break
    ops[[length(ops) + 1L]] <- op
  }
  ops
}
