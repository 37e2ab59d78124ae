# The test controls of the simulated engine (its TavikSim... functions).
# They reach the engine library through R's own loading of the same file,
# which shares the library instance the package uses; counters and faults
# live there. The R processes the tests start see none of the helpers: they
# source this file (sim_controls_file()), as tools/soak does. Nothing here
# needs the other helpers or the package's namespace, which a test may unload.

# This file, for the R processes the tests start.
sim_controls_file <- function() normalizePath(test_path("helper-simengine.R"))

# The engine library as R sees it, loaded once. Loading it again through
# dyn.load() would unload and reload it, losing its state.
sim_engine_load <- function(path = system.file("engine", "libtavik3.dll", package = "tavik4r",
                                               mustWork = TRUE)) {
  path <- normalizePath(path, mustWork = TRUE)
  for (dll in getLoadedDLLs()) {
    if (identical(normalizePath(dll[["path"]], mustWork = FALSE), path)) {
      return(invisible(dll))
    }
  }
  invisible(dyn.load(path, local = TRUE, now = TRUE))
}

sim_call <- function(name, ...) {
  symbol <- getNativeSymbolInfo(name, sim_engine_load())
  .C(symbol, ...)
}

# The nth call (nth >= 1) or every call (nth = 0) of an entry point, named
# with or without its "Tavik" prefix, fails with code and text; a negative
# nth removes the fault.
sim_fault <- function(entry, nth = 1L, code = 99L, text = "injected fault") {
  out <- sim_call("TavikSimFault", as.character(entry), as.integer(nth),
                  as.integer(code), enc2utf8(as.character(text)), ok = 0L)
  if (out$ok != 1L) stop(sprintf("unknown engine entry point '%s'", entry), call. = FALSE)
  invisible(TRUE)
}

# Switches: "silent_last_error", "close_fails", "ordinal_out_of_range",
# "next_out_of_range", "add_nonconsecutive", "write_back_length", "card_more",
# "card_fewer".
sim_switch <- function(name, on = TRUE) {
  out <- sim_call("TavikSimSwitch", as.character(name), as.integer(isTRUE(on)), ok = 0L)
  if (out$ok != 1L) stop(sprintf("unknown engine switch '%s'", name), call. = FALSE)
  invisible(TRUE)
}

# Counters: "live_handles", "handles_created", "handles_deleted",
# "projects_opened", "projects_closed", "refusals", "project_open".
sim_counter <- function(name) {
  value <- sim_call("TavikSimCounter", as.character(name), value = 0)$value
  if (value < 0) stop(sprintf("unknown engine counter '%s'", name), call. = FALSE)
  value
}

# Calls of an entry point since the last reset.
sim_calls <- function(entry) {
  value <- sim_call("TavikSimCalls", as.character(entry), value = 0)$value
  if (value < 0) stop(sprintf("unknown engine entry point '%s'", entry), call. = FALSE)
  value
}

# Clears faults, switches and counters (an open project stays open).
sim_reset <- function() {
  invisible(sim_call("TavikSimReset", done = 0L)$done == 1L)
}
