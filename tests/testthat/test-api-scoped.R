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
