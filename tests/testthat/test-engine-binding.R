# The package's engine binding without R around it: a C++ driver
# (tests/binding) built from the binding's sources runs its checks by
# section against the installed simulated engine.

binding_driver <- function() driver_program("binding", binding_sources)

test_that("a fresh loader resolves nothing; its name table holds the 26 entry points", {
  expect_driver_section(binding_driver(), "loader-table")
})

test_that("loads keep the failure's path and reason; another load forgets resolved addresses", {
  expect_driver_section(binding_driver(), "loader-load")
})

test_that("APIs are independent, a close reloads the library, a failed reload fails all", {
  expect_driver_section(binding_driver(), "api")
})

test_that("an entry point the library lacks is null on every call, the rest resolve", {
  expect_driver_section(binding_driver(), "missing", extra = engine_without_value_card())
})

test_that("engine errors read the engine's last error, or name the context", {
  expect_driver_section(binding_driver(), "exception")
})

test_that("the locale's conversions take empty and non-ASCII text, and fail outside it", {
  expect_driver_section(binding_driver(), "locale-text")
})

test_that("UTF-8 converts both ways without the locale; invalid sequences are refused", {
  expect_driver_section(binding_driver(), "utf8")
})
