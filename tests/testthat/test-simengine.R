# The simulated engine through its exported entry points: a C++ driver
# (tests/engine) loads the installed library as the package does and runs
# checks by section.

engine_driver <- function() driver_program("engine")

run_driver <- function(section, library = engine_path()) {
  expect_driver_section(engine_driver(), section, library)
}

test_that("projects open and close; handles die with the project", {
  run_driver("project")
})

test_that("identifiers answer names, types, storage, dimensions and domains", {
  run_driver("identifiers")
})

test_that("sets number their elements, name them and take new ones", {
  run_driver("sets")
})

test_that("values are read in tuple order, retrieved and assigned sparsely", {
  run_driver("values")
})

test_that("the value store matches a reference model under random writes", {
  run_driver("store")
})

test_that("generated data is deterministic and lies in its sets", {
  run_driver("generate")
})

test_that("bad arguments are refused with an error, never a crash", {
  run_driver("arguments")
})

test_that("fault switches, injected failures and counters work", {
  run_driver("faults")
})

test_that("the documented project format reads; malformed files are refused", {
  run_driver("format")
})

test_that("the bundled example projects open", {
  run_driver("bundled")
})

test_that("the fixture engine lacks exactly TavikValueCard", {
  run_driver("exports-without-valuecard", engine_without_value_card())
})

test_that("R's test controls reach the engine instance the package uses", {
  result <- run_fresh(function() {
    sim_engine_load()
    sim_reset()
    tavik4r::tavik_load_and_open(tavik4r::tavik_example_engine(),
                                 tavik4r::tavik_example_project("transport"))
    opened <- sim_counter("projects_opened")
    before <- sim_calls("TavikValueNextW")
    rows <- nrow(tavik4r::tavik_read("Cost"))
    nexts <- sim_calls("TavikValueNextW") - before
    sim_fault("TavikValueResetHandle", nth = 1L, code = 7L, text = "reset refused")
    failed <- tryCatch({ tavik4r::tavik_read("Cost"); "" },
                       error = function(e) conditionMessage(e))
    tavik4r::tavik_close()
    list(opened = opened, rows = rows, nexts = nexts, failed = failed,
         closed = sim_counter("projects_closed"),
         live = sim_counter("live_handles"),
         unknown = tryCatch(sim_switch("nope"), error = conditionMessage))
  })
  expect_equal(result$opened, 1)
  expect_gt(result$nexts, result$rows)  # each row, and the end of the data
  expect_match(result$failed, "tavikerror 7: reset refused", fixed = TRUE)
  expect_equal(result$closed, 1)
  expect_equal(result$live, 0)
  expect_match(result$unknown, "unknown engine switch 'nope'")
})

test_that("example paths are found, unknown names list the available ones", {
  expect_true(file.exists(tavik_example_engine()))
  expect_true(file.exists(tavik_example_project()))
  expect_equal(basename(tavik_example_project("bench1e6")), "bench1e6.tvp")
  expect_error(tavik_example_project("nope"), "Available: bench1e6, bench1e7, transport")
  expect_error(tavik_example_project(1), "single string")
})
