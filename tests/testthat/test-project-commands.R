# The load and project commands, each scenario in a fresh process because
# the engine state is process-wide.

test_that("nothing loaded: close and open refuse, open says what to do", {
  out <- run_fresh_output(function() {
    call <- function(...) .Call(..., PACKAGE = "tavik4r")
    list(close = call("tavik4r_CloseProject"),
         open = call("tavik4r_OpenProject", tavik4r::tavik_example_project()))
  })
  expect_equal(out$value, list(close = FALSE, open = FALSE))
  expect_equal(out$stdout, "Load Tavik library first..")
})

test_that("a library that does not load is reported and nothing is opened", {
  missing <- file.path(tempdir(), "nowhere", "libtavik3.dll")
  out <- run_fresh_output(function(missing) {
    call <- function(...) .Call(..., PACKAGE = "tavik4r")
    list(load = call("tavik4r_LoadTavik", missing),
         both = call("tavik4r_LoadTavikAndOpenProject", missing,
                     tavik4r::tavik_example_project()),
         state = call("tavik4r_EngineState"))
  }, list(missing = missing))
  expect_equal(out$value$load, FALSE)
  expect_equal(out$value$both, FALSE)
  expect_equal(unname(out$value$state), c(FALSE, FALSE))
  expect_equal(out$stdout, rep(paste0("Couldn't load TAVIK library in ", missing), 2))
})

test_that("the state table: load, open, reopen, reload and close", {
  result <- run_fresh(function() {
    call <- function(...) .Call(..., PACKAGE = "tavik4r")
    engine <- tavik4r::tavik_example_engine()
    project <- tavik4r::tavik_example_project()
    sim_engine_load()
    state <- function() unname(call("tavik4r_EngineState"))
    closed <- function() sim_counter("projects_closed")
    steps <- list()
    steps$load <- c(call("tavik4r_LoadTavik", engine), state())
    steps$close_loaded <- call("tavik4r_CloseProject")
    steps$open <- c(call("tavik4r_OpenProject", project), state())
    before <- closed()
    # Opening over an open project closes it in the engine first.
    steps$reopen <- c(call("tavik4r_OpenProject", project), closed() - before)
    steps$read_after_reopen <- nrow(call("tavik4r_GetData", "Cost"))
    before <- closed()
    steps$reload <- c(call("tavik4r_LoadTavik", engine), state(), closed() - before)
    steps$open_again <- call("tavik4r_LoadTavikAndOpenProject", engine, project)
    steps$close <- c(call("tavik4r_CloseProject"), state())
    steps$close_twice <- call("tavik4r_CloseProject")
    steps
  })
  expect_equal(result$load, c(TRUE, TRUE, FALSE))
  expect_false(result$close_loaded)
  expect_equal(result$open, c(TRUE, TRUE, TRUE))
  expect_equal(result$reopen, c(1, 1))
  expect_equal(result$read_after_reopen, 6L)
  expect_equal(result$reload, c(1, 1, 0, 1))
  expect_true(result$open_again)
  expect_equal(result$close, c(TRUE, TRUE, FALSE))
  expect_false(result$close_twice)
})

test_that("after a close the loaded engine serves the next project, not a bare-name load", {
  out <- run_fresh_output(function() {
    call <- function(...) .Call(..., PACKAGE = "tavik4r")
    project <- tavik4r::tavik_example_project()
    call("tavik4r_LoadTavik", tavik4r::tavik_example_engine())
    call("tavik4r_OpenProject", project)
    call("tavik4r_CloseProject")
    call("tavik4r_OpenProject", project)
    call("tavik4r_GetData", "Capacity")
  })
  expect_equal(out$value$Capacity, c(500L, 350L, 420L))
  expect_false(any(grepl("Couldnt load", out$stdout)))
})

test_that("cached sets give their handles back at close while the project is open", {
  result <- run_fresh(function() {
    call <- function(...) .Call(..., PACKAGE = "tavik4r")
    sim_engine_load()
    deleted <- function() sim_counter("handles_deleted")
    call("tavik4r_LoadTavikAndOpenProject", tavik4r::tavik_example_engine(),
         tavik4r::tavik_example_project())
    call("tavik4r_GetData", "Cost")
    before_close <- deleted()
    call("tavik4r_CloseProject")
    at_close <- deleted() - before_close
    # Loading the engine with a project open drops the sets first, giving
    # their handles back, since the engine may refuse to close the project.
    call("tavik4r_OpenProject", tavik4r::tavik_example_project())
    call("tavik4r_GetData", "Cost")
    before_reload <- deleted()
    call("tavik4r_LoadTavik", tavik4r::tavik_example_engine())
    list(at_close = at_close, at_reload = deleted() - before_reload)
  })
  # Cost runs over Plants (through the index p) and Markets.
  expect_equal(result$at_close, 2)
  expect_equal(result$at_reload, 2)
})

test_that("a close the engine refuses keeps the project open", {
  result <- run_fresh(function() {
    call <- function(...) .Call(..., PACKAGE = "tavik4r")
    sim_engine_load()
    call("tavik4r_LoadTavikAndOpenProject", tavik4r::tavik_example_engine(),
         tavik4r::tavik_example_project())
    sim_switch("close_fails")
    refused <- call("tavik4r_CloseProject")
    state <- unname(call("tavik4r_EngineState"))
    sim_switch("close_fails", FALSE)
    list(refused = refused, state = state, read = nrow(call("tavik4r_GetData", "Cost")),
         closed = call("tavik4r_CloseProject"))
  })
  expect_equal(result, list(refused = FALSE, state = c(TRUE, TRUE), read = 6L, closed = TRUE))
})

test_that("testing a library file changes nothing", {
  result <- run_fresh(function() {
    call <- function(...) .Call(..., PACKAGE = "tavik4r")
    call("tavik4r_LoadTavikAndOpenProject", tavik4r::tavik_example_engine(),
         tavik4r::tavik_example_project())
    list(good = call("tavik4r_TestLoadedApi", tavik4r::tavik_example_engine()),
         bad = call("tavik4r_TestLoadedApi", file.path(tempdir(), "x.dll")),
         state = unname(call("tavik4r_EngineState")),
         read = nrow(call("tavik4r_GetData", "Cost")))
  })
  expect_equal(result, list(good = TRUE, bad = FALSE, state = c(TRUE, TRUE), read = 6L))
})

test_that("argument errors carry the glue's texts, the later argument first", {
  error_of <- function(expr) {
    tryCatch(expr, error = function(e) c(class(e)[1], conditionMessage(e)))
  }
  call <- function(...) .Call(..., PACKAGE = "tavik4r")
  cases <- list(
    list(quote(call("tavik4r_LoadTavik", c("a", "b"))), "expecting a single value"),
    list(quote(call("tavik4r_LoadTavik", 1)), "expecting a string"),
    list(quote(call("tavik4r_LoadTavikAndOpenProject", 1, 2)), "expecting a string"),
    list(quote(call("tavik4r_LoadTavikAndOpenProject", 1, c("a", "b"))), "expecting a single value"),
    list(quote(call("tavik4r_SetData", 1, 2, 1:2)), "expecting a single value"),
    list(quote(call("tavik4r_SetData", 1, "x", "1")), "not compatible with requested type"),
    list(quote(call("tavik4r_SetData", 1, 2, 0L)), "expecting a string")
  )
  for (case in cases) {
    expect_equal(error_of(eval(case[[1]])), c("Rcpp::not_compatible", case[[2]]),
                 info = deparse(case[[1]]))
  }
})

test_that("the mode is checked first, even without an engine", {
  out <- run_fresh_output(function() {
    call <- function(...) .Call(..., PACKAGE = "tavik4r")
    error_of <- function(expr) tryCatch(expr, error = function(e) c(class(e)[1], conditionMessage(e)))
    list(two = error_of(call("tavik4r_SetData", 1, "x", 2L)),
         negative = error_of(call("tavik4r_SetData", 1, "x", -1L)),
         na = error_of(call("tavik4r_SetData", 1, "x", NA)),
         no_engine = error_of(call("tavik4r_GetData", "Cost")))
  })
  mode_error <- c("std::logic_error", "The mode for unknown elements should be either 0 or 1.")
  expect_equal(out$value$two, mode_error)
  expect_equal(out$value$negative, mode_error)
  expect_equal(out$value$na, mode_error)
  expect_equal(out$value$no_engine,
               c("std::logic_error", "You need to load lib Tavik dll & open an Tavik Project first.."))
  expect_equal(out$stdout, "Couldnt load libtavik3.dll")
})
