# The paths where compiled code holds R objects across allocations: reading
# every column kind, and writes that convert R data on the way. Run with
# tools/check-memory --gctorture, every call collects at each allocation.

frame <- function(...) data.frame(..., check.names = FALSE)

test_that("every column kind reads the same under gctorture", {
  open_project()
  ids <- c("Cost", "Capacity", "Demand", "PreferredPlant", "PlantManager",
           "Plant::Area::Stock", "Discount", "Horizon", "ModelName", "HubPlant",
           "StartYear")
  plain <- lapply(ids, get_data)
  expect_identical(with_gc_torture(lapply(ids, get_data)), plain)

  open_project(extra_project())
  ids <- c("Distance", "Depth", "Weight", "Population")
  plain <- lapply(ids, get_data)
  expect_identical(with_gc_torture(lapply(ids, get_data)), plain)
})

test_that("writes that convert R data keep their objects alive", {
  open_project()
  cases <- list(
    list("PlantManager",
         frame(Plants = factor(c("Berlin", "Chicago")), PlantManager = factor(c("x", NA))),
         frame(Plants = c("Berlin", "Chicago"), PlantManager = c("x", "NA"))),
    list("PlantManager", frame(Plants = "Berlin", PlantManager = 1.5),
         frame(Plants = "Berlin", PlantManager = "1.5")),
    list("Capacity", frame(Plants = c("Berlin", "Chicago"), Capacity = c(2.9, -2.9)),
         frame(Plants = c("Berlin", "Chicago"), Capacity = c(2L, -2L))),
    list("Capacity", frame(Plants = "Berlin", Capacity = TRUE),
         frame(Plants = "Berlin", Capacity = 1L)),
    list("Demand", frame(Markets = factor("m1"), Years = 2025.9, Demand = 1L),
         frame(Markets = "m1", Years = 2025L, Demand = 1)),
    list("PreferredPlant", frame(Markets = "m2", Plants = factor("Chicago")),
         frame(Markets = "m2", Plants = "Chicago")),
    # Objects that become a data frame through as.data.frame.
    list("Capacity", list(a = "Chicago", b = 9L), frame(Plants = "Chicago", Capacity = 9L)),
    list("PlantManager", matrix(c("Berlin", "x"), 1),
         frame(Plants = "Berlin", PlantManager = "x")),
    # The scalar road.
    list("Discount", 3.5, 3.5),
    list("Horizon", 7.9, 7L),
    list("ModelName", 12, "12"),
    list("HubPlant", factor("Chicago"), "Chicago"),
    list("StartYear", 2026, 2026L)
  )
  for (case in cases) {
    with_gc_torture(set_data(case[[2]], case[[1]]))
    expect_identical(with_gc_torture(get_data(case[[1]])), case[[3]], label = case[[1]])
  }

  with_gc_torture(set_data(frame(Plants = "Paris", Capacity = 1L), "Capacity", 1L))
  expect_identical(get_data("Capacity"), frame(Plants = "Paris", Capacity = 1L))
})

test_that("refused writes under gctorture leave the data as it was", {
  open_project()
  cost <- get_data("Cost")
  refused <- list(
    new.env(),
    frame(Plants = "Berlin", Markets = "m1", Cost = I(list(1))),
    frame(Plants = c("Berlin", "Paris"), Markets = "m1", Cost = 1:2)
  )
  for (data in refused) {
    expect_s3_class(with_gc_torture(condition_of(set_data(data, "Cost"))), "C++Error")
  }
  expect_identical(get_data("Cost"), cost)
})

close_project()
