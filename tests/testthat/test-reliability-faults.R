# Engine refusals injected at each call a command makes. Whatever call is
# refused, the command gives an R error naming the refusal (or FALSE, or
# the same result as without the refusal when the call did not matter),
# never a crash or a hang; the engine holds exactly the handles of the
# cached sets afterwards; the engine's data stays whole, also when the
# engine refused in the middle of writing; and the next command works.
# Each group of commands runs in a fresh process.

# Runs in the fresh process: the command once without a fault to learn the
# calls it makes, then once per refused call.
sweep_faults <- function(command, engine, project) {
  call <- function(name, ...) .Call(name, ..., PACKAGE = "tavik4r")
  # The engine's test controls, looked up once: a case makes dozens of calls.
  engine_dll <- sim_engine_load()
  control <- lapply(c(reset = "TavikSimReset", fault = "TavikSimFault",
                      counter = "TavikSimCounter", calls = "TavikSimCalls"),
                    getNativeSymbolInfo, PACKAGE = engine_dll)
  sim_reset <- function() .C(control$reset, done = 0L)
  sim_fault <- function(entry, nth) {
    .C(control$fault, entry, as.integer(nth), 77L, "injected fault", ok = 0L)
  }
  sim_counter <- function(name) .C(control$counter, name, value = 0)$value
  sim_calls <- function(entry) .C(control$calls, entry, value = 0)$value
  entries <- c(
    "TavikServerProjectOpenW", "TavikProjectClose", "TavikAttributeNameW",
    "TavikValueCard", "TavikAttributeDimension", "TavikValueResetHandle",
    "TavikValueNextW", "TavikAPILastErrorW", "TavikIdentifierHandleCreateW",
    "TavikAttributeDeclarationDomain", "TavikSetOrdinalToElement",
    "TavikSetElementToNameW", "TavikAttributeRootDomain", "TavikAttributeStorage",
    "TavikAttributeType", "TavikIdentifierHandleDelete", "TavikAttributeElementRange",
    "TavikValueRetrieveW", "TavikValueAssignW", "TavikIdentifierEmpty",
    "TavikSetAddElementRecursiveW"
  )
  open <- function() isTRUE(call("tavik4r_LoadTavikAndOpenProject", engine, project))
  attempt <- function(expr) tryCatch(list(value = expr), error = function(e) list(error = e))
  run <- switch(command$kind,
    get = function() call("tavik4r_GetData", command$id),
    set = function() call("tavik4r_SetData", command$data, command$id, command$mode),
    close = function() call("tavik4r_CloseProject"),
    open = function() call("tavik4r_OpenProject", project),
    load = function() call("tavik4r_LoadTavik", engine),
    load_open = function() call("tavik4r_LoadTavikAndOpenProject", engine, project)
  )
  data_command <- command$kind %in% c("get", "set")
  read_back <- function() {
    if (command$kind == "set") call("tavik4r_GetData", command$id)
  }

  # One case: the command (with a refused call unless entry is NULL), then
  # what the engine holds, the next command, and the handles left after
  # the project is closed.
  case <- function(entry = NULL, nth = 0L) {
    stopifnot(open())
    if (!data_command) call("tavik4r_GetData", "Cost")  # sets in the cache
    sim_reset()
    if (!is.null(entry)) sim_fault(entry, nth)
    outcome <- attempt(run())
    if (!is.null(entry)) sim_fault(entry, -1L)
    calls <- vapply(entries, sim_calls, numeric(1))
    held <- attempt(read_back())
    following <- if (data_command) {
      attempt(list(run(), read_back()))
    } else {
      attempt(list(open(), call("tavik4r_GetData", "Cost")))
    }
    # Between commands only the cached sets hold engine handles.
    live <- sim_counter("live_handles")
    call("tavik4r_CloseProject")
    list(outcome = outcome, calls = calls, held = held, following = following, live = live)
  }

  stopifnot(open())
  before <- read_back()
  clean <- case()
  stopifnot(is.null(clean$outcome$error))
  problems <- character()
  if (clean$live != command$handles) {
    problems <- sprintf("%s: %d live engine handles without a refusal, %d expected",
                        command$label, clean$live, command$handles)
  }
  note <- function(entry, nth, what) {
    problems <<- c(problems, sprintf("%s, call %d of %s: %s", command$label, nth, entry, what))
  }
  cases <- 0L
  for (entry in entries[clean$calls > 0]) {
    count <- clean$calls[[entry]]
    picked <- if (count <= 6) seq_len(count) else unique(c(1:3, count %/% 2, count - 1, count))
    for (nth in picked) {
      cases <- cases + 1L
      faulted <- case(entry, nth)
      error <- faulted$outcome$error
      if (is.null(error)) {
        value <- faulted$outcome$value
        if (!identical(value, clean$outcome$value) && !identical(value, FALSE)) {
          note(entry, nth, "a result other than the one without the refusal")
        }
        if (!identical(faulted$held, clean$held)) note(entry, nth, "other data written")
      } else {
        if (!grepl("injected fault|Couldn't find set element with label",
                   conditionMessage(error))) {
          note(entry, nth, paste("an error not naming the refusal:", conditionMessage(error)))
        }
        if (!identical(faulted$held$value, before)) {
          note(entry, nth, "data changed by a failed write")
        }
      }
      if (!identical(faulted$following, clean$following)) {
        note(entry, nth, "the next command did not work")
      }
      # A refused handle deletion leaves that one handle with the engine.
      allowed <- command$handles + (entry == "TavikIdentifierHandleDelete")
      if (faulted$live > allowed || faulted$live < command$handles) {
        note(entry, nth, sprintf("%d live engine handles, %d expected",
                                 faulted$live, command$handles))
      }
    }
  }
  list(cases = cases, problems = problems)
}

expect_no_problems <- function(commands) {
  results <- callr::r(function(sweep, commands, engine, project, controls) {
    sys.source(controls, envir = globalenv())
    loadNamespace("tavik4r")
    lapply(commands, sweep, engine = engine, project = project)
  }, args = list(sweep = sweep_faults, commands = commands, engine = engine_path(),
                 project = project_path(), controls = sim_controls_file()),
  libpath = .libPaths(), timeout = 900)
  for (k in seq_along(commands)) {
    expect_gt(results[[k]]$cases, 0)
    expect_identical(results[[k]]$problems, character(), label = commands[[k]]$label)
  }
}

test_that("refusals while loading, opening and closing", {
  expect_no_problems(list(
    # Each ends with Cost read, whose sets Plants and Markets stay cached.
    list(label = "LoadTavik over an open project", kind = "load", handles = 2),
    list(label = "OpenProject over an open project", kind = "open", handles = 2),
    list(label = "LoadTavikAndOpenProject over an open project", kind = "load_open",
         handles = 2),
    list(label = "CloseProject", kind = "close", handles = 2)
  ))
})

test_that("refusals while reading each kind of identifier", {
  # The sets each read leaves cached, domain and element range.
  ids <- c(Cost = 2, Capacity = 1, Demand = 2, PreferredPlant = 2, PlantManager = 1,
           `Plant::Area::Stock` = 1, Discount = 0, ModelName = 0, HubPlant = 1, StartYear = 1)
  expect_no_problems(lapply(names(ids), function(id) {
    list(label = paste("GetData", id), kind = "get", id = id, handles = ids[[id]])
  }))
})

test_that("refusals while writing tables and scalars", {
  cost <- data.frame(Plants = c("Berlin", "Paris", "Berlin"), Markets = c("m1", "m1", "m4"),
                     Cost = c(1.5, 2, 3))
  demand <- data.frame(Markets = c("m1", "m2"), Years = c(2024L, 2031L), Demand = c(1, 2))
  expect_no_problems(list(
    # Each ends with a read of what was written, whose sets stay cached.
    list(label = "SetData Cost, new label", kind = "set", id = "Cost", data = cost, mode = 1L,
         handles = 2),
    list(label = "SetData Demand, new year", kind = "set", id = "Demand", data = demand,
         mode = 1L, handles = 2),
    list(label = "SetData PreferredPlant", kind = "set", id = "PreferredPlant",
         data = data.frame(Markets = "m3", Plants = "Chicago"), mode = 0L, handles = 2),
    list(label = "SetData Discount", kind = "set", id = "Discount", data = 2.5, mode = 0L,
         handles = 0),
    list(label = "SetData HubPlant", kind = "set", id = "HubPlant", data = "Chicago", mode = 0L,
         handles = 1)
  ))
})
