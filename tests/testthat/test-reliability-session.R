# A long session: engine handles stay at what the cached sets explain, an R
# error inside a transfer leaks nothing, a close that loses the library
# leaves a session that can start again, and unloading closes the project.

frame <- function(...) data.frame(..., check.names = FALSE)

live_handles <- function() sim_counter("live_handles")

# The extra project and a parameter of a million values, long enough to be
# checked for interrupts several times while it is read.
huge_project <- function() {
  path <- file.path(tempdir(), "huge.tvp")
  if (!file.exists(path)) {
    writeLines(c(readLines(extra_project()), "set H1 = { h1..h1000 }",
                 "parameter Huge(H1, B)", "generate Huge"), path)
  }
  path
}

test_that("live handles stay at the cached sets over many reads and writes", {
  open_project()
  cost <- get_data("Cost")
  for (i in 1:100) {
    set_data(get_data("Cost"), "Cost")
    set_data(get_data("PreferredPlant"), "PreferredPlant")
    get_data("Discount")
    set_data(0.05, "Discount")
  }
  # A successful write of a table drops the cached sets and their handles.
  expect_equal(live_handles(), 0)
  get_data("Cost")
  expect_equal(live_handles(), 2)  # Plants and Markets
  get_data("Demand")
  expect_equal(live_handles(), 3)  # and Years
  # A refused write keeps the cache as it was.
  expect_error(set_data(frame(Plants = "Paris", Capacity = 1L), "Capacity", 0L))
  expect_equal(live_handles(), 3)
  expect_identical(get_data("Cost"), cost)
  close_project()
  expect_equal(live_handles(), 0)
})

test_that("an R error inside a transfer leaks no handle and no R memory", {
  result <- run_fresh(function(engine, project) {
    call <- function(...) .Call(..., PACKAGE = "tavik4r")
    sim_engine_load()
    call("tavik4r_LoadTavikAndOpenProject", engine, project)
    big <- call("tavik4r_GetData", "Big")
    integers <- transform(big, Big = as.integer(Big))  # coerced when written
    attempt <- function(expr) tryCatch({
      expr
      "done"
    }, error = function(e) conditionMessage(e))
    # Fill R's vector heap up to a limit, so that every transfer's first
    # large allocation fails.
    mem.maxVSize(gc()[2, 4] + 20)
    filler <- list()
    repeat {
      chunk <- tryCatch(numeric(2^16), error = function(e) NULL)
      if (is.null(chunk)) break
      filler[[length(filler) + 1L]] <- chunk
    }
    invisible(gc())
    handles <- sim_counter("live_handles")
    memory <- gc()[2, 2]
    outcomes <- c(replicate(20, attempt(call("tavik4r_GetData", "Big"))),
                  replicate(20, attempt(call("tavik4r_SetData", integers, "Big", 0L))))
    grown <- gc()[2, 2] - memory
    leaked <- sim_counter("live_handles") - handles
    mem.maxVSize(Inf)
    rm(filler)
    list(outcomes = unique(outcomes), grown = grown, leaked = leaked,
         kept = identical(call("tavik4r_GetData", "Big"), big))
  }, list(engine = engine_path(), project = extra_project()))
  expect_identical(result$outcomes, "vector memory exhausted (limit reached?)")
  expect_equal(result$leaked, 0)
  expect_lt(result$grown, 0.5)  # in Mb; one leaked read would be 2.4
  expect_true(result$kept)
})

test_that("R errors raised during a transfer reach the caller as errors", {
  result <- run_fresh(function(engine, project) {
    call <- function(...) .Call(..., PACKAGE = "tavik4r")
    sim_engine_load()
    call("tavik4r_LoadTavikAndOpenProject", engine, project)
    call("tavik4r_GetData", "Population")
    call("tavik4r_GetData", "Huge")
    handles <- sim_counter("live_handles")
    caught <- function(expr) tryCatch(expr, error = function(e) class(e)[1],
                                      interrupt = function(i) "interrupt")
    # Under options(warn = 2) R's coercion warnings are errors.
    old <- options(warn = 2)
    coerced <- c(
      value = caught(call("tavik4r_SetData", data.frame(Cities = "Basel", Population = 3e10),
                          "Population", 0L)),
      mode = caught(call("tavik4r_SetData", data.frame(Cities = "Basel", Population = 1L),
                         "Population", 3e10)))
    options(old)
    # A time limit stops a long read with its own error, not an interrupt.
    limited <- local({
      setTimeLimit(elapsed = 0.001, transient = TRUE)
      on.exit(setTimeLimit())
      Sys.sleep(0.01)
      caught(call("tavik4r_GetData", "Huge"))
    })
    list(coerced = coerced, limited = limited,
         leaked = sim_counter("live_handles") - handles,
         random = is.numeric(runif(1)))
  }, list(engine = engine_path(), project = huge_project()))
  expect_identical(result$coerced, c(value = "simpleError", mode = "simpleError"))
  expect_identical(result$limited, "simpleError")
  expect_equal(result$leaked, 0)
  expect_true(result$random)
})

test_that("a close that cannot load the library again leaves a session that starts again", {
  result <- run_fresh_output(function(engine, project) {
    call <- function(...) .Call(..., PACKAGE = "tavik4r")
    attempt <- function(expr) tryCatch(expr, error = function(e) conditionMessage(e))
    folder <- tempfile("engine")
    dir.create(folder)
    moved <- file.path(folder, "libtavik3.dll")
    file.copy(engine, moved)
    call("tavik4r_LoadTavikAndOpenProject", moved, project)
    unlink(moved)
    closed <- call("tavik4r_CloseProject")
    list(closed = closed, state = unname(call("tavik4r_EngineState")),
         lost = call("tavik4r_LostLibrary")[["path"]],
         read = attempt(call("tavik4r_GetData", "Cost")),
         open = call("tavik4r_OpenProject", project),
         again = call("tavik4r_LoadTavikAndOpenProject", engine, project),
         cost = nrow(call("tavik4r_GetData", "Cost")),
         after = length(call("tavik4r_LostLibrary")))
  }, list(engine = engine_path(), project = project_path()))
  value <- result$value
  expect_false(value$closed)
  expect_identical(value$state, c(FALSE, FALSE))
  expect_match(value$lost, "libtavik3.dll$")
  expect_match(value$read, paste0("^The engine library ", value$lost, " is not loaded: closing ",
                                  "the last project unloaded it and loading it again failed"))
  expect_false(value$open)
  expect_true(value$again)
  expect_equal(value$cost, 6L)
  expect_equal(value$after, 0L)
  expect_false(any(grepl("Couldnt load libtavik3.dll", result$stdout)))
})

test_that("unloading the package closes the open project first", {
  result <- run_fresh(function(engine, project) {
    # The test controls hold the engine library past the package's unload.
    dll <- sim_engine_load()
    counter <- function(name) .C(getNativeSymbolInfo("TavikSimCounter", dll), name, value = 0)$value
    tavik4r::tavik_load_and_open(engine, project)
    tavik4r::tavik_read("Cost")
    unloadNamespace("tavik4r")
    closed <- c(counter("projects_closed"), counter("project_open"))
    # The engine is ready for the next session.
    loadNamespace("tavik4r")
    opened <- .Call("tavik4r_LoadTavikAndOpenProject", engine, project, PACKAGE = "tavik4r")
    list(closed = closed, opened = opened)
  }, list(engine = engine_path(), project = project_path()))
  expect_identical(result, list(closed = c(1, 0), opened = TRUE))
})

close_project()
