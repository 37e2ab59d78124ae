test_that("without an engine or project the functions say what to call first", {
  result <- run_fresh(function() {
    library(tavik4r)
    class_of <- function(expr) tryCatch({ expr; "no error" }, error = function(e) class(e))
    list(
      open = class_of(tavik_open(tavik_example_project())),
      read = class_of(tavik_read("Discount")),
      write = class_of(tavik_write(0.5, "Discount")),
      close = withVisible(tavik_close()),
      after_load = {
        tavik_load(tavik_example_engine())
        class_of(tavik_read("Discount"))
      }
    )
  })
  expect_equal(result$open, c("tavik_no_engine", "tavik_error", "error", "condition"))
  expect_equal(result$read, c("tavik_no_project", "tavik_error", "error", "condition"))
  expect_equal(result$write, result$read)
  expect_equal(result$after_load, result$read)
  expect_equal(result$close, list(value = FALSE, visible = FALSE))
})

test_that("a project that is missing or unreadable gives tavik_project_error", {
  result <- run_fresh(function() {
    library(tavik4r)
    damaged <- tempfile(fileext = ".tvk")
    writeLines(c("set A = { a }", "parameter X(A) = {", "  a : many", "}"), damaged)
    tavik_load(tavik_example_engine())
    catch <- function(expr) tryCatch(expr, error = function(e) e)
    list(
      missing = catch(tavik_open(file.path(tempdir(), "none.tvk"))),
      damaged = catch(tavik_open(damaged)),
      both_missing = catch(tavik_load_and_open(tavik_example_engine(), "none.tvk"))
    )
  })
  expect_s3_class(result$missing, c("tavik_project_not_found", "tavik_project_error", "tavik_error"))
  expect_match(conditionMessage(result$missing), "tavik_example_project()", fixed = TRUE)
  expect_s3_class(result$damaged, c("tavik_project_error", "tavik_error"))
  expect_match(conditionMessage(result$damaged), "could not open the project")
  # The engine's own reason: file, line and what is wrong there.
  expect_match(conditionMessage(result$damaged), ":3: 'many' is not a number", fixed = TRUE)
  expect_identical(result$damaged$code, 2L)
  expect_match(result$damaged$text, "'many' is not a number", fixed = TRUE)
  expect_s3_class(result$both_missing, "tavik_project_not_found")
})

test_that("opening over an open project closes it, and closing twice is harmless", {
  result <- run_fresh(function() {
    library(tavik4r)
    tavik_load_and_open(tavik_example_engine(), tavik_example_project())
    opened <- withVisible(tavik_open(tavik_example_project()))
    list(opened = opened, discount = tavik_read("Discount"),
         first = tavik_close(), second = tavik_close())
  })
  expect_equal(result$opened, list(value = TRUE, visible = FALSE))
  expect_length(result$discount, 1)
  expect_true(result$first)
  expect_false(result$second)
})

test_that("an open project the engine will not close blocks the next open with a clear error", {
  result <- run_fresh(function() {
    library(tavik4r)
    tavik_load_and_open(tavik_example_engine(), tavik_example_project())
    sim_switch("close_fails")
    error <- tryCatch(tavik_open(tavik_example_project()), error = function(e) e)
    list(error = error, still_open = tavik4r:::project_open())
  })
  expect_s3_class(result$error, c("tavik_project_error", "tavik_error"))
  expect_match(conditionMessage(result$error), "refused to close")
  expect_true(result$still_open)
})
