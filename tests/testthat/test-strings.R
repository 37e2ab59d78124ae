test_that("empty and non-ASCII strings convert both ways", {
  expect_equal(test_hook("tavik4r_test_string_roundtrip", ""),
               list(wide_length = 0L, back = ""))
  skip_if_not(l10n_info()$`UTF-8`, "needs a UTF-8 locale")
  expect_equal(test_hook("tavik4r_test_string_roundtrip", "S\u00e3o Paulo \u20ac"),
               list(wide_length = 11L, back = "S\u00e3o Paulo \u20ac"))
})

test_that("a character the locale cannot represent fails the conversion", {
  result <- run_fresh(function() {
    Sys.setlocale("LC_CTYPE", "C")
    tryCatch(.Call("tavik4r_test_w2a_codepoint", 0xE9L, PACKAGE = "tavik4r"),
             error = function(e) c(class(e)[1], conditionMessage(e)))
  })
  expect_equal(result, c("std::runtime_error", "wcstombs: conversion failed"))
})
