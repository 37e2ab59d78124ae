# A write that fails over the user's data leaves the identifier's data and
# the engine's sets as they were. Labels added in mode 1 before the engine
# refused another label stay: the engine has them by then.

frame <- function(...) data.frame(..., check.names = FALSE)

# Whether the engine's set has a label: a successful write empties the set
# cache first, then a write in mode 0 finds the label or fails.
has_label <- function(id, probe) {
  set_data(get_data("Shipment"), "Shipment")
  is.null(condition_of(set_data(probe, id, 0L)))
}

test_that("a refused write keeps the identifier's data and sets", {
  bytes <- "Z\xfcrich"
  Encoding(bytes) <- "bytes"
  short <- structure(list(Plants = c("Berlin", "Paris"), Markets = "m1", Cost = c(1, 2)),
                     class = "data.frame", row.names = 1:2)
  transport <- project_path()
  cases <- list(
    # id, data, mode, error, project, label probe
    list("Cost", frame(Plants = c("Berlin", "Paris"), Markets = "m1", Cost = 1:2), 0L,
         "label Paris in Set Plants"),
    list("Cost", frame(Plants = c("Paris", "Berlin"), Markets = "m1", Cost = I(list(1, 2))), 1L,
         "not compatible with requested type"),
    list("Cost", short, 1L, "columns differ in length: column 1 has 2 rows, column 2 has 1"),
    list("Cost", structure(list(Plants = "Berlin", Markets = "m1", Cost = c(1, 2)),
                           class = "data.frame", row.names = 1L), 1L,
         "columns differ in length: column 1 has 1 rows, column 3 has 2"),
    list("Capacity", frame(Plants = c("Paris", bytes), Capacity = 1:2), 1L,
         "row 2 of column 1 (Plants): it is marked as bytes"),
    list("PlantManager", frame(Plants = "Paris", PlantManager = I(list("x"))), 1L,
         "not compatible with STRSXP"),
    list("PreferredPlant", frame(Markets = "m1", Plants = "Paris"), 1L,
         "label Paris in Set Plants"),
    list("Discount", "abc", 0L, "not compatible with requested type"),
    list("StartYear", 2040L, 0L, "not in set"),
    list("Depth", frame(Nodes = "n2", Levels = 7L), 0L, "label 7 in Set Levels"),
    list("Distance", frame(Nodes = c("n1", "n9"), Nodes = "n2", Distance = 1), 0L,
         "label n9 in Set Nodes")
  )
  for (case in cases) {
    extra <- case[[1]] %in% c("Depth", "Distance")
    open_project(if (extra) extra_project() else transport)
    before <- get_data(case[[1]])
    expect_error(set_data(case[[2]], case[[1]], case[[3]]), case[[4]], fixed = TRUE,
                 label = case[[1]])
    expect_identical(get_data(case[[1]]), before, label = case[[1]])
  }

  # The new label of a write in mode 1 whose second row failed did not
  # reach its set.
  for (case in cases[4]) {
    open_project()
    expect_error(set_data(case[[2]], case[[1]], 1L))
    expect_false(has_label("Capacity", frame(Plants = "Paris", Capacity = 1L)))
  }
})

test_that("labels added before the engine refused another one stay", {
  open_project()
  demand <- get_data("Demand")
  # The engine takes the year 2031 but no integer as large as NA's.
  later <- frame(Markets = "m1", Years = c(2031L, NA), Demand = 1:2)
  expect_error(set_data(later, "Demand", 1L), "label -2147483648 in Set Years", fixed = TRUE)
  expect_identical(get_data("Demand"), demand)
  expect_true(has_label("StartYear", 2031L))
})

close_project()
