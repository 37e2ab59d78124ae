# tavik_describe() and tavik_read() on sets: what an identifier is, from the
# engine's attribute calls.

test_that("each kind of identifier describes itself", {
  open_project()
  on.exit(close_project())
  expected <- list(
    Cost = list(kind = "parameter", storage = "double", dimension = 2L,
                domain = c("p", "Markets"), sets = c("Plants", "Markets"), count = 6),
    Capacity = list(kind = "parameter", storage = "integer", dimension = 1L, count = 3),
    Demand = list(sets = c("Markets", "Years"), roots = c("Markets", "Integers"),
                  integer_sets = c(FALSE, TRUE)),
    PreferredPlant = list(kind = "element parameter", storage = "element", range = "Plants",
                          integer_range = FALSE, columns = c("Markets", "Plants")),
    PlantManager = list(kind = "string parameter", storage = "string"),
    Shipment = list(kind = "variable", count = 0),
    `Plant::Area::Stock` = list(name = "Stock", full_name = "Plant::Area::Stock",
                                columns = c("Plants", "Stock")),
    Discount = list(kind = "parameter", dimension = 0L, columns = character(), range = NA_character_),
    StartYear = list(kind = "element parameter", range = "Years", integer_range = TRUE),
    Plants = list(kind = "set", storage = NA_character_, roots = "Plants", count = 4),
    Years = list(kind = "set", roots = "Integers", integer_sets = TRUE),
    CoastalPlants = list(kind = "set", sets = "CoastalPlants", roots = "Plants", count = 2),
    p = list(kind = "index", sets = "Plants", count = 4)
  )
  for (id in names(expected)) {
    description <- tavik_describe(id)
    expect_s3_class(description, "tavik_description")
    expect_identical(description[names(expected[[id]])], expected[[id]], label = id)
  }
  several <- tavik_describe(c("Cost", "Years"))
  expect_named(several, c("Cost", "Years"))
  expect_identical(several$Years, tavik_describe("Years"))
})

test_that("the columns of a description are those tavik_read gives", {
  open_project(extra_project())
  on.exit(close_project())
  for (id in c("Distance", "Depth", "Weight", "Population", "Small")) {
    expect_identical(tavik_describe(id)$columns, names(tavik_read(id)), label = id)
  }
})

test_that("a description prints what a user asks first", {
  open_project()
  on.exit(close_project())
  cost <- capture.output(print(tavik_describe("Cost")))
  expect_identical(cost[[1]], "<tavik parameter> Cost")
  expect_match(cost, "double, 6 stored", all = FALSE, fixed = TRUE)
  expect_match(cost, "columns:  Plants, Markets, Cost", all = FALSE, fixed = TRUE)
  years <- capture.output(print(tavik_describe("Years")))
  expect_match(years, "elements: 4 (integers)", all = FALSE, fixed = TRUE)
})

test_that("sets and indices read as their labels", {
  open_project()
  on.exit(close_project())
  expect_identical(tavik_read("Plants"), c("Amsterdam", "Berlin", "Chicago", "New York"))
  expect_identical(tavik_read("Years"), 2024:2027)
  expect_identical(tavik_read("CoastalPlants"), c("Amsterdam", "New York"))
  expect_identical(tavik_read("p"), tavik_read("Plants"))
  expect_identical(tavik_read(c("Markets", "Discount")), list(Markets = paste0("m", 1:4),
                                                               Discount = 0.05))
  tavik_write(data.frame(Plants = "Paris", Capacity = 1L), "Capacity", add_missing = TRUE,
              replace = FALSE)
  expect_identical(tail(tavik_read("Plants"), 1), "Paris")
})

test_that("unknown names and engine refusals are classed errors", {
  open_project()
  on.exit(close_project())
  for (call in list(quote(tavik_describe("Nope")), quote(tavik_read(c("Cost", "Nope"))))) {
    error <- expect_error(eval(call), class = "tavik_unknown_identifier")
    expect_identical(error[c("identifier", "code")], list(identifier = "Nope", code = 5L))
    expect_match(conditionMessage(error), "'Nope': the open project has no such identifier")
  }
  sim_fault("TavikValueResetHandle", nth = 1L, code = 7L, text = "reset refused")
  error <- expect_error(tavik_read("Cost"), class = "tavik_engine_error")
  expect_identical(error[c("code", "text", "restored")],
                   list(code = 7L, text = "reset refused", restored = FALSE))
  expect_match(conditionMessage(error), "The engine refused to read 'Cost'")
})
