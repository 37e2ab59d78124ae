# The package's entry points and the simulated engine's test controls, as
# the soak calls them. The controls are looked up once: a step makes
# dozens of calls.

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

soak_engine <- function(project) {
  loadNamespace("tavik4r")
  # R holds the engine library too, so its state (faults, counters) lives
  # on when the package unloads and loads it again.
  dll <- asNamespace("tavik4r")$sim_engine_load()
  control <- lapply(c(reset = "TavikSimReset", fault = "TavikSimFault",
                      switch = "TavikSimSwitch", counter = "TavikSimCounter",
                      calls = "TavikSimCalls"),
                    getNativeSymbolInfo, PACKAGE = dll)
  engine <- tavik4r::tavik_example_engine()
  call <- function(name, ...) .Call(name, ..., PACKAGE = "tavik4r")
  list(
    engine = engine,
    project = project,
    call = call,
    fault = function(entry, nth) {
      .C(control$fault, entry, as.integer(nth), soak_fault_code, soak_fault_text, ok = 0L)
    },
    clear = function(entry) .C(control$fault, entry, -1L, 0L, "", ok = 0L),
    close_fails = function(on) .C(control$switch, "close_fails", as.integer(on), ok = 0L),
    counter = function(name) .C(control$counter, name, value = 0)$value,
    calls = function(entries) {
      vapply(entries, function(e) .C(control$calls, e, value = 0)$value, numeric(1))
    },
    reset = function() .C(control$reset, done = 0L),
    start = function() isTRUE(call("tavik4r_LoadTavikAndOpenProject", engine, project))
  )
}

# Runs an operation's command; its faults are armed around it by the caller.
soak_command <- function(eng, op) {
  switch(op$kind,
    read = eng$call("tavik4r_GetData", op$id),
    write = eng$call("tavik4r_SetData", op$frame, op$id, op$mode),
    scalar = eng$call("tavik4r_SetData", op$value, op$id, 0L),
    close = eng$call("tavik4r_CloseProject"),
    open = eng$call("tavik4r_OpenProject", eng$project),
    load = eng$call("tavik4r_LoadTavik", eng$engine),
    load_open = eng$call("tavik4r_LoadTavikAndOpenProject", eng$engine, eng$project),
    stop("unknown operation ", op$kind)
  )
}
