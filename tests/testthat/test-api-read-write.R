test_that("several names read into a list named by identifier", {
  result <- run_fresh(function() {
    library(tavik4r)
    with_tavik_project(tavik_example_engine(), tavik_example_project(), list(
      many = tavik_read(c("Cost", "Discount", "Cost")),
      cost = tavik_read("Cost"),
      discount = tavik_read("Discount")
    ))
  })
  expect_named(result$many, c("Cost", "Discount", "Cost"))
  expect_identical(result$many[[1]], result$cost)
  expect_identical(result$many[[2]], result$discount)
  expect_identical(result$many[[3]], result$cost)
})

test_that("writes return their input invisibly and are read back", {
  result <- run_fresh(function() {
    library(tavik4r)
    with_tavik_project(tavik_example_engine(), tavik_example_project(), {
      cost <- tavik_read("Cost")
      cost[[3]] <- cost[[3]] * 2
      list(
        table = withVisible(tavik_write(cost, "Cost")),
        scalar = withVisible(tavik_write(0.25, "Discount")),
        cost = tavik_read("Cost"),
        discount = tavik_read("Discount")
      )
    })
  })
  expect_false(result$table$visible)
  expect_false(result$scalar$visible)
  expect_equal(result$cost, result$table$value)
  expect_equal(result$discount, 0.25)
})

test_that("a label missing from a set is a label error unless add_missing is TRUE", {
  result <- run_fresh(function() {
    library(tavik4r)
    with_tavik_project(tavik_example_engine(), tavik_example_project(), {
      demand <- tavik_read("Demand")
      extra <- demand[demand[[1]] == demand[[1]][1], ]
      extra[[1]] <- "Atlantis"
      grown <- rbind(demand, extra)
      refused <- tryCatch(tavik_write(grown, "Demand"), error = function(e) e)
      tavik_write(grown, "Demand", add_missing = TRUE)
      list(refused = refused, demand = tavik_read("Demand"), grown = grown)
    })
  })
  expect_s3_class(result$refused, c("tavik_label_error", "tavik_error"))
  expect_identical(result$refused[c("identifier", "set", "column", "row", "label")],
                   list(identifier = "Demand", set = "Markets", column = "Markets", row = 6L,
                        label = "Atlantis"))
  expect_setequal(result$demand[[1]], result$grown[[1]])
  expect_equal(nrow(result$demand), nrow(result$grown))
})

test_that("engine errors reach the user as tavik errors with the engine's code and text", {
  result <- run_fresh(function() {
    library(tavik4r)
    with_tavik_project(tavik_example_engine(), tavik_example_project(),
      tryCatch(tavik_read("NoSuchIdentifier"), error = function(e) e)
    )
  })
  expect_s3_class(result, c("tavik_unknown_identifier", "tavik_error"))
  expect_identical(result$code, 5L)
  expect_match(conditionMessage(result), "unknown identifier 'NoSuchIdentifier'", fixed = TRUE)
})
