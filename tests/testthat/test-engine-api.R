api_call <- function(api, operation, argument = NULL) {
  test_hook("tavik4r_test_api_call", api, operation, argument)
}

test_that("an unloadable path gives no API", {
  expect_null(test_hook("tavik4r_test_api_new", file.path(tempdir(), "none.dll")))
})

test_that("two APIs for one path are independent", {
  result <- run_fresh(function() {
    hook <- function(...) .Call(..., PACKAGE = "tavik4r")
    call <- function(api, op, arg = NULL) hook("tavik4r_test_api_call", api, op, arg)
    first <- hook("tavik4r_test_api_new", tavik4r::tavik_example_engine())
    second <- hook("tavik4r_test_api_new", tavik4r::tavik_example_engine())
    opened <- call(first, "open", tavik4r::tavik_example_project())
    call(second, "release")
    list(distinct = !identical(first, second), opened = all(opened != 0),
         usable = call(first, "handle", "Cost")[1] != 0,
         closed = call(first, "close", opened[2]))
  })
  expect_equal(result, list(distinct = TRUE, opened = TRUE, usable = TRUE, closed = 1L))
})

test_that("closing a project reloads the library and forgets resolved entry points", {
  run_fresh(function() {
    hook <- function(...) .Call(..., PACKAGE = "tavik4r")
    api <- hook("tavik4r_test_api_new", tavik4r::tavik_example_engine())
    opened <- hook("tavik4r_test_api_call", api, "open", tavik4r::tavik_example_project())
    before <- hook("tavik4r_test_api_call", api, "cached", NULL)
    closed <- hook("tavik4r_test_api_call", api, "close", opened[2])
    after <- hook("tavik4r_test_api_call", api, "cached", NULL)
    card <- hook("tavik4r_test_api_call", api, "value_card", 1L)
    again <- hook("tavik4r_test_api_call", api, "cached", NULL)
    stopifnot(before[1], closed == 1L, !any(after), again[6],
              sum(again) == 1)
    TRUE
  }) |> expect_true()
})

test_that("a close the engine refuses is reported and does not reload", {
  run_fresh(function() {
    tavik4r:::sim_engine_load()
    hook <- function(...) .Call(..., PACKAGE = "tavik4r")
    api <- hook("tavik4r_test_api_new", tavik4r::tavik_example_engine())
    opened <- hook("tavik4r_test_api_call", api, "open", tavik4r::tavik_example_project())
    tavik4r:::sim_fault("TavikProjectClose", nth = 0L, code = 7L, text = "busy")
    closed <- hook("tavik4r_test_api_call", api, "close", opened[2])
    after <- hook("tavik4r_test_api_call", api, "cached", NULL)
    list(closed = closed, still_cached = after[1] && after[2])
  }) |> expect_equal(list(closed = 0L, still_cached = TRUE))
})

test_that("a failed Reload leaves every operation failing", {
  api <- test_hook("tavik4r_test_api_new", engine_path())
  expect_false(api_call(api, "reload", file.path(tempdir(), "gone.dll")))
  expect_equal(api_call(api, "value_card", 1L)[1], 0L)
  expect_equal(api_call(api, "handle", "Cost")[1], 0L)
})

test_that("a missing entry point makes exactly that operation fail", {
  fixture <- engine_without_value_card()
  skip_if(fixture == "", "engine fixture without TavikValueCard not installed")
  result <- run_fresh(function(fixture) {
    hook <- function(...) .Call(..., PACKAGE = "tavik4r")
    call <- function(api, op, arg = NULL) hook("tavik4r_test_api_call", api, op, arg)
    api <- hook("tavik4r_test_api_new", fixture)
    opened <- call(api, "open", tavik4r::tavik_example_project())
    list(opened = opened[1] != 0,
         card = c(call(api, "value_card", 1L)[1], call(api, "value_card", 1L)[1]),
         other = call(api, "handle", "Plants")[1] != 0)
  }, list(fixture = fixture))
  expect_equal(result, list(opened = TRUE, card = c(0L, 0L), other = TRUE))
})

test_that("engine errors read the engine's last error, or name the context", {
  message <- function(reports, code, text, context = "TavikSpace::getAttributeType") {
    test_hook("tavik4r_test_exception_message", context, reports, code, text)
  }
  expect_identical(message(1L, 12L, "no such identifier"), "tavikerror 12: no such identifier")
  expect_identical(message(1L, -3L, "bad"), "tavikerror -3: bad")
  expect_identical(message(1L, 0L, ""), "tavikerror 0: ")
  expect_identical(message(0L, 5L, "ignored"), "[TavikSpace::getAttributeType]::unknown tavikerror")
})

test_that("an engine refusal reaches the exception text", {
  result <- run_fresh(function() {
    hook <- function(...) .Call(..., PACKAGE = "tavik4r")
    call <- function(api, op, arg = NULL) hook("tavik4r_test_api_call", api, op, arg)
    api <- hook("tavik4r_test_api_new", tavik4r::tavik_example_engine())
    call(api, "open", tavik4r::tavik_example_project())
    list(refused = call(api, "handle", "NoSuchIdentifier")[1],
         message = call(api, "exception", "ctx"))
  })
  expect_equal(result$refused, 0L)
  expect_match(result$message, "^tavikerror -?[0-9]+: .+")
})
