# The paths where compiled code holds R objects across allocations: reads
# and writes of each identifier kind (double, integer, an integer-set
# dimension, string and element values, scalars), writes that convert R
# data on the way, and refused writes. Each call must give under gctorture
# what it gives without. A small set on purpose: every allocation collects,
# and CI runs it under AddressSanitizer.

frame <- function(...) data.frame(..., check.names = FALSE)

test_that("every identifier kind reads the same under gctorture", {
  skip_unless_gc_torture()
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

test_that("writes of every identifier kind, converting R data, are the same under gctorture", {
  skip_unless_gc_torture()
  cases <- list(
    list("Cost", frame(Plants = c("Berlin", "Chicago"), Markets = "m2", Cost = c(1.5, 2))),
    list("PlantManager",
         frame(Plants = factor(c("Berlin", "Chicago")), PlantManager = factor(c("x", NA)))),
    list("PlantManager", frame(Plants = "Berlin", PlantManager = 1.5)),
    list("Capacity", frame(Plants = c("Berlin", "Chicago"), Capacity = c(2.9, -2.9))),
    list("Capacity", frame(Plants = "Berlin", Capacity = TRUE)),
    list("Demand", frame(Markets = factor("m1"), Years = 2025.9, Demand = 1L)),
    list("PreferredPlant", frame(Markets = "m2", Plants = factor("Chicago"))),
    # Objects that become a data frame through as.data.frame.
    list("Capacity", list(a = "Chicago", b = 9L)),
    list("PlantManager", matrix(c("Berlin", "x"), 1)),
    # The scalar road.
    list("Discount", 3.5),
    list("Horizon", 7.9),
    list("ModelName", 12),
    list("HubPlant", factor("Chicago")),
    list("StartYear", 2026)
  )
  # Only the write is tortured: the reads have a test of their own.
  write_and_read <- function(identifier, data, mode = 0L, torture = FALSE) {
    open_project()
    if (torture) with_gc_torture(set_data(data, identifier, mode)) else set_data(data, identifier, mode)
    get_data(identifier)
  }
  for (case in cases) {
    expect_identical(write_and_read(case[[1]], case[[2]], torture = TRUE),
                     write_and_read(case[[1]], case[[2]]), label = case[[1]])
  }
  # A new label added to its set on the way.
  paris <- frame(Plants = "Paris", Capacity = 1L)
  expect_identical(write_and_read("Capacity", paris, 1L, torture = TRUE),
                   write_and_read("Capacity", paris, 1L))
})

test_that("refused writes under gctorture fail alike and leave the data as it was", {
  skip_unless_gc_torture()
  open_project()
  cost <- get_data("Cost")
  refused <- list(
    new.env(),
    frame(Plants = "Berlin", Markets = "m1", Cost = I(list(1))),
    frame(Plants = c("Berlin", "Paris"), Markets = "m1", Cost = 1:2)
  )
  for (data in refused) {
    plain <- condition_of(set_data(data, "Cost"))
    tortured <- with_gc_torture(condition_of(set_data(data, "Cost")))
    expect_s3_class(plain, "error")
    expect_identical(class(tortured), class(plain))
    expect_identical(conditionMessage(tortured), conditionMessage(plain))
  }
  expect_identical(get_data("Cost"), cost)
})

close_project()
