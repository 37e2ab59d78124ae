# The package's entry points and the simulated engine's test controls, as
# the soak calls them. The controls are looked up once: a step makes
# dozens of calls.

# The tests' helper of the engine's test controls (sim_engine_load() and
# the rest), which the processes that run steps source; dir is tools/soak.d.
soak_controls_file <- function(dir) {
  normalizePath(file.path(dir, "..", "..", "tests", "testthat", "helper-simengine.R"),
                mustWork = TRUE)
}

soak_fault_text <- "soak fault"
soak_fault_code <- 77L

# Engine calls a refusal can hit, by the commands that make them.
soak_data_entries <- c(
  "TavikAttributeNameW", "TavikValueCard", "TavikAttributeDimension",
  "TavikValueResetHandle", "TavikValueNextW", "TavikAPILastErrorW",
  "TavikIdentifierHandleCreateW", "TavikAttributeDeclarationDomain",
  "TavikSetOrdinalToElement", "TavikSetElementToNameW", "TavikAttributeRootDomain",
  "TavikAttributeStorage", "TavikAttributeType", "TavikIdentifierHandleDelete",
  "TavikAttributeElementRange", "TavikValueRetrieveW", "TavikValueAssignW",
  "TavikIdentifierEmpty", "TavikSetAddElementRecursiveW"
)
soak_project_entries <- c("TavikServerProjectOpenW", "TavikProjectClose",
                          "TavikIdentifierHandleDelete")
soak_entries <- union(soak_data_entries, soak_project_entries)

# With record = TRUE every command and control call is also kept, in
# order, for the reproduction of a failure (eng$transcript()).
soak_engine <- function(project, record = FALSE) {
  loadNamespace("tavik4r")
  # R holds the engine library too, so its state (faults, counters) lives
  # on when the package unloads and loads it again.
  dll <- sim_engine_load()
  control <- lapply(c(reset = "TavikSimReset", fault = "TavikSimFault",
                      switch = "TavikSimSwitch", counter = "TavikSimCounter",
                      calls = "TavikSimCalls"),
                    getNativeSymbolInfo, PACKAGE = dll)
  engine <- tavik4r::tavik_example_engine()
  kept <- new.env()
  kept$lines <- list()
  keep <- function(...) {
    if (record) kept$lines[[length(kept$lines) + 1L]] <- list(...)
  }
  call <- function(name, ..., role = "check") {
    keep(type = "call", name = name, args = list(...), role = role)
    .Call(name, ..., PACKAGE = "tavik4r")
  }
  list(
    engine = engine,
    project = project,
    call = call,
    fault = function(entry, nth) {
      keep(type = "fault", entry = entry, nth = as.integer(nth))
      .C(control$fault, entry, as.integer(nth), soak_fault_code, soak_fault_text, ok = 0L)
    },
    clear = function(entry) {
      keep(type = "clear", entry = entry)
      .C(control$fault, entry, -1L, 0L, "", ok = 0L)
    },
    close_fails = function(on) {
      keep(type = "switch", on = on)
      .C(control$switch, "close_fails", as.integer(on), ok = 0L)
    },
    note = function(text) keep(type = "note", text = text),
    transcript = function() kept$lines,
    counter = function(name) .C(control$counter, name, value = 0)$value,
    calls = function(entries) {
      vapply(entries, function(e) .C(control$calls, e, value = 0)$value, numeric(1))
    },
    reset = function() .C(control$reset, done = 0L),
    start = function() {
      isTRUE(call("tavik4r_LoadTavikAndOpenProject", engine, project, role = "op"))
    }
  )
}

# Runs an operation's command; its faults are armed around it by the caller.
soak_command <- function(eng, op) {
  run <- function(name, ...) eng$call(name, ..., role = "op")
  switch(op$kind,
    read = run("tavik4r_GetData", op$id),
    write = run("tavik4r_SetData", op$frame, op$id, op$mode),
    scalar = run("tavik4r_SetData", op$value, op$id, 0L),
    close = run("tavik4r_CloseProject"),
    open = run("tavik4r_OpenProject", eng$project),
    load = run("tavik4r_LoadTavik", eng$engine),
    load_open = run("tavik4r_LoadTavikAndOpenProject", eng$engine, eng$project),
    stop("unknown operation ", op$kind)
  )
}
