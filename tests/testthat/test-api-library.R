test_that("a library file that does not exist says so and what to give instead", {
  missing <- file.path(tempdir(), "nowhere", "libtavik3.dll")
  error <- expect_error(tavik_load(missing), class = "tavik_library_not_found")
  expect_s3_class(error, "tavik_error")
  expect_match(conditionMessage(error), missing, fixed = TRUE)
  expect_match(conditionMessage(error), "tavik_example_engine()", fixed = TRUE)
  expect_error(tavik_load(tempdir()), class = "tavik_library_not_found")
  expect_error(tavik_load_and_open(missing, project_path()), class = "tavik_library_not_found")
})

test_that("a file that is not a loadable library gives the system's reason", {
  text_file <- not_a_library()
  error <- expect_error(tavik_load(text_file), class = "tavik_library_load_error")
  expect_s3_class(error, "tavik_error")
  expect_match(error$reason, "Couldn't load library", fixed = TRUE)
  expect_match(conditionMessage(error), error$reason, fixed = TRUE)
  expect_identical(error$path, normalizePath(text_file))
})

test_that("tavik_library_loads tells loadable files from others", {
  text_file <- not_a_library()
  expect_true(tavik_library_loads(engine_path()))
  expect_false(tavik_library_loads(text_file))
  expect_false(tavik_library_loads(file.path(tempdir(), "none.dll")))
})

test_that("a library that fails to load leaves the open project in place", {
  result <- run_fresh(function() {
    library(tavik4r)
    bad <- tempfile(fileext = ".dll")
    writeLines("not a library", bad)
    tavik_load_and_open(tavik_example_engine(), tavik_example_project())
    error <- tryCatch(tavik_load(bad), error = function(e) class(e)[[1]])
    list(error = error, discount = tavik_read("Discount"), closed = tavik_close())
  })
  expect_equal(result$error, "tavik_library_load_error")
  expect_length(result$discount, 1)
  expect_true(result$closed)
})

test_that("a library without the engine's entry points is refused, naming the missing ones", {
  result <- run_fresh(function(fixture) {
    library(tavik4r)
    libm <- Sys.glob(c("/lib/x86_64-linux-gnu/libm.so.6", "/usr/lib/x86_64-linux-gnu/libm.so.6",
                       "/lib64/libm.so.6", "/usr/lib/libm.so.6"))
    catch <- function(expr) tryCatch(expr, error = function(e) e)
    tavik_load_and_open(tavik_example_engine(), tavik_example_project())
    list(
      fixture = catch(tavik_load(fixture)),
      fixture_loads = tavik_library_loads(fixture),
      libm = if (length(libm)) catch(tavik_load(libm[[1]])),
      libm_loads = if (length(libm)) tavik_library_loads(libm[[1]]),
      discount = tavik_read("Discount")
    )
  }, list(fixture = engine_without_value_card()))
  expect_s3_class(result$fixture, c("tavik_library_load_error", "tavik_error"))
  expect_identical(result$fixture$missing, "TavikValueCard")
  expect_match(conditionMessage(result$fixture), "lacks the engine entry point TavikValueCard.",
               fixed = TRUE)
  expect_false(result$fixture_loads)
  expect_identical(result$discount, 0.05)  # the engine and project in use stay
  skip_if(is.null(result$libm), "no C math library found")
  expect_s3_class(result$libm, "tavik_library_load_error")
  expect_true(all(c("TavikServerProjectOpenW", "TavikValueCard") %in% result$libm$missing))
  expect_match(conditionMessage(result$libm), "not a Tavik engine library: it lacks the engine entry points TavikServerProjectOpenW")
  expect_false(result$libm_loads)
})
