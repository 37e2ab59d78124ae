# Wrong arguments are refused in R, before any engine call, so these run
# whatever the engine state is.
test_that("wrong arguments give tavik_argument_error with the argument named", {
  cases <- list(
    list(quote(tavik_load(1)), "`library` must be a single string, not a numeric vector of length 1."),
    list(quote(tavik_load(c("a", "b"))), "`library` must be a single string, not a character vector of length 2."),
    list(quote(tavik_library_loads(NULL)), "`library` must be a single string, not NULL."),
    list(quote(tavik_open(NA_character_)), "`project` must be a single string, not NA."),
    list(quote(tavik_load_and_open("x", 2L)), "`project` must be a single string"),
    list(quote(tavik_read(character())), "`identifier` must be a character vector of identifier names"),
    list(quote(tavik_read(c("Cost", NA))), "`identifier` must be a character vector of identifier names"),
    list(quote(tavik_write(list(1, 2), "Cost")), "`data` must be a data frame, or a single value for a scalar identifier, not a list."),
    list(quote(tavik_write(1:2, "Discount")), "`data` must be a data frame, or a single value for a scalar identifier, not an integer vector of length 2."),
    list(quote(tavik_write(matrix(1), "Discount")), "`data` must be a data frame"),
    list(quote(tavik_write(data.frame(), "Cost")), "`data` has no columns"),
    list(quote(tavik_write(1, c("a", "b"))), "`identifier` must be a single string"),
    list(quote(tavik_write(1, "Discount", add_missing = NA)), "`add_missing` must be TRUE or FALSE, not NA."),
    list(quote(tavik_write(1, "Discount", add_missing = c(TRUE, FALSE))), "`add_missing` must be TRUE or FALSE"),
    list(quote(tavik_write(1, "Discount", add_missing = 1)), "`add_missing` must be TRUE or FALSE"),
    list(quote(tavik_write(1, "Discount", replace = "yes")), "`replace` must be TRUE or FALSE, not a character vector of length 1."),
    list(quote(tavik_write(1, "Discount", na = "zero")), "`na` must be \"error\" or \"drop\", not \"zero\"."),
    list(quote(tavik_write(1, "Discount", na = c("drop", "error"))), "`na` must be \"error\" or \"drop\", not a character vector of length 2."),
    list(quote(tavik_describe(1)), "`identifier` must be a character vector of identifier names"),
    list(quote(local_tavik_project("x", "y", envir = 1)), "`envir` must be an environment, not a numeric vector of length 1.")
  )
  for (case in cases) {
    error <- expect_error(eval(case[[1]]), class = "tavik_argument_error")
    expect_true(startsWith(conditionMessage(error), case[[2]]), label = deparse(case[[1]]))
    expect_s3_class(error, "tavik_error")
  }
})
