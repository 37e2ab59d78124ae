test_that("with_tavik_project returns the code's value and closes, also on error", {
  result <- run_fresh(function() {
    library(tavik4r)
    open_now <- function() tavik4r:::project_open()
    value <- with_tavik_project(tavik_example_engine(), tavik_example_project(),
                                list(inside = open_now(), discount = tavik_read("Discount")))
    after_value <- open_now()
    error <- tryCatch(
      with_tavik_project(tavik_example_engine(), tavik_example_project(), stop("in code")),
      error = conditionMessage
    )
    list(value = value, after_value = after_value, error = error, after_error = open_now())
  })
  expect_true(result$value$inside)
  expect_length(result$value$discount, 1)
  expect_false(result$after_value)
  expect_equal(result$error, "in code")
  expect_false(result$after_error)
})

test_that("local_tavik_project closes when the calling function exits or fails", {
  result <- run_fresh(function() {
    library(tavik4r)
    open_now <- function() tavik4r:::project_open()
    use <- function(fail) {
      local_tavik_project(tavik_example_engine(), tavik_example_project())
      if (fail) stop("in function")
      open_now()
    }
    inside <- use(FALSE)
    after_return <- open_now()
    try(use(TRUE), silent = TRUE)
    list(inside = inside, after_return = after_return, after_error = open_now())
  })
  expect_equal(result, list(inside = TRUE, after_return = FALSE, after_error = FALSE))
})

test_that("the scoped helpers leave an open project alone and can't be nested", {
  result <- run_fresh(function() {
    library(tavik4r)
    engine <- tavik_example_engine()
    project <- tavik_example_project()
    catch <- function(expr) tryCatch(expr, error = function(e) e)
    tavik_load_and_open(engine, project)
    tavik_write(0.5, "Discount")  # a change the caller has not saved
    use <- function() {
      local_tavik_project(engine, project)
      "ran"
    }
    refused <- list(with = catch(with_tavik_project(engine, project, "ran")), local = catch(use()))
    kept <- tavik_read("Discount")
    tavik_close()
    nested <- catch(with_tavik_project(engine, project, {
      tavik_write(0.25, "Discount")
      inner <- catch(with_tavik_project(engine, project, "ran"))
      list(inner = inner, discount = tavik_read("Discount"))
    }))
    list(refused = refused, kept = kept, nested = nested,
         closed = !tavik4r:::project_open())
  })
  for (error in result$refused) {
    expect_s3_class(error, c("tavik_project_already_open", "tavik_error"))
    expect_match(conditionMessage(error), "already open.*tavik_close\\(\\)")
  }
  expect_identical(result$kept, 0.5)
  expect_s3_class(result$nested$inner, "tavik_project_already_open")
  expect_identical(result$nested$discount, 0.25)
  expect_true(result$closed)
})

test_that("an R error during a transfer reaches the caller as that error", {
  result <- run_fresh(function() {
    library(tavik4r)
    project <- tempfile(fileext = ".tvp")
    writeLines(c("set A = { a1..a1000 }", "set B = { b1..b1000 }", "parameter Big(A, B)",
                 "generate Big"), project)
    with_tavik_project(tavik_example_engine(), project, {
      setTimeLimit(elapsed = 0.001, transient = TRUE)
      on.exit(setTimeLimit())
      Sys.sleep(0.01)
      tryCatch(tavik_read("Big"), error = function(e) class(e),
               interrupt = function(i) "interrupt")
    })
  })
  expect_identical(result, c("simpleError", "error", "condition"))
})
