# Writing R data into identifiers: round trips, the conversions of R columns,
# unknown labels, and bad input that must leave the identifier's data alone.

frame <- function(...) data.frame(..., check.names = FALSE)

test_that("identifiers over sets take back what they give, changed", {
  open_project()
  changes <- list(
    Cost = function(d) transform(d, Cost = Cost * 2),
    Capacity = function(d) transform(d, Capacity = Capacity + 1L),
    Demand = function(d) transform(d, Demand = -Demand),
    PreferredPlant = function(d) transform(d, Plants = c("Chicago", "Berlin", "Amsterdam")),
    PlantManager = function(d) transform(d, PlantManager = paste0(PlantManager, " Jr.")),
    `Plant::Area::Stock` = function(d) transform(d, Stock = Stock + 0.5)
  )
  for (id in names(changes)) {
    changed <- changes[[id]](get_data(id))
    set_data(changed, id)
    expect_identical(get_data(id), changed, label = id)
  }
  open_project(extra_project())
  for (id in c("Distance", "Depth", "Weight")) {
    data <- get_data(id)
    set_data(data[rev(seq_len(nrow(data))), ], id)
    expect_identical(get_data(id), data, label = id)
  }
})

test_that("scalars take any R value that makes a one-column frame", {
  open_project()
  written <- list(Discount = 3.5, Horizon = 7L, ModelName = "Freight",
                  HubPlant = "Chicago", StartYear = 2026L)
  for (id in names(written)) {
    set_data(written[[id]], id)
    expect_identical(get_data(id), written[[id]], label = id)
  }
  set_data(c(4, 5, 6), "Discount")
  expect_identical(get_data("Discount"), 4)

  refusals <- list(
    list(data.frame(a = 1, b = 2), "requires 1 data frame dimension/column"),
    list(data.frame(), "requires 1 data frame dimension/column"),
    list(numeric(), "the data frame has no row")
  )
  for (case in refusals) {
    expect_error(set_data(case[[1]], "Discount"), case[[2]], fixed = TRUE,
                 class = "Tavik::TavikException")
  }
  expect_identical(get_data("Discount"), 4)
})

test_that("R columns are converted to the cells the identifier needs", {
  open_project()
  cases <- list(
    # Factors give their labels; a missing text reaches the engine as NA.
    list("PlantManager",
         frame(Plants = factor(c("Berlin", "Chicago")), PlantManager = factor(c("x", NA))),
         frame(Plants = c("Berlin", "Chicago"), PlantManager = c("x", "NA"))),
    list("PlantManager", frame(Plants = "Berlin", PlantManager = NA_character_),
         frame(Plants = "Berlin", PlantManager = "NA")),
    list("Capacity", frame(Plants = "Berlin", Capacity = TRUE),
         frame(Plants = "Berlin", Capacity = 1L)),
    list("Capacity", frame(Plants = c("Berlin", "Chicago"), Capacity = c(2.9, -2.9)),
         frame(Plants = c("Berlin", "Chicago"), Capacity = c(2L, -2L))),
    list("Demand", frame(Markets = "m1", Years = 2025.9, Demand = 1L),
         frame(Markets = "m1", Years = 2025L, Demand = 1)),
    list("Capacity", frame(Plants = "Berlin", Capacity = NA_integer_),
         frame(Plants = "Berlin", Capacity = NA_integer_)),
    list("Cost", frame(Plants = "Berlin", Markets = "m1", Cost = NA_real_),
         frame(Plants = "Berlin", Markets = "m1", Cost = NA_real_)),
    # Any R list goes through as.data.frame; columns count by position.
    list("Capacity", list(a = "Chicago", b = 9L), frame(Plants = "Chicago", Capacity = 9L)),
    list("Capacity", frame(Plants = character(), Capacity = integer()),
         frame(Plants = character(), Capacity = integer()))
  )
  for (case in cases) {
    set_data(case[[2]], case[[1]])
    expect_identical(get_data(case[[1]]), case[[3]])
  }
})

test_that("R data that can't become cells is refused with its reason", {
  open_project()
  assign("as.list.tavik_unlistable", function(x, ...) stop("no list"), envir = globalenv())
  assign("as.character.tavik_untextable", function(x, ...) stop("no text here"),
         envir = globalenv())
  on.exit(rm(list = c("as.list.tavik_unlistable", "as.character.tavik_untextable"),
             envir = globalenv()), add = TRUE)
  untextable <- structure(list(Plants = structure(1:2, class = "tavik_untextable"),
                               Capacity = 1:2),
                          class = "data.frame", row.names = 1:2)
  cases <- list(
    list(frame(Plants = "Berlin", Markets = "m1", Cost = I(list(1))), "Cost",
         "Rcpp::not_compatible", "not compatible with requested type"),
    list(frame(Plants = I(list("Berlin")), Capacity = 1L), "Capacity",
         "Rcpp::not_compatible", "not compatible with STRSXP"),
    list(data.frame(), "Cost", "Rcpp::index_out_of_bounds", "index out of bounds"),
    list(new.env(), "Cost", "Rcpp::not_compatible",
         "could not convert using R function : as.data.frame"),
    list(structure(1, class = "tavik_unlistable"), "Cost", "Rcpp::not_compatible",
         "could not convert using R function : as.list"),
    list(frame(Plants = "Berlin", Markets = "m1"), "Cost", "Tavik::TavikException",
         paste("Identifier Dimension/Data Frame Column mismatch:  Cost has 2+1",
               "dimensions, inserted data frame has 2 columns"))
  )
  for (case in cases) {
    refused <- condition_of(set_data(case[[1]], case[[2]]))
    expect_s3_class(refused, case[[3]])
    expect_identical(conditionMessage(refused), case[[4]])
  }
  failed <- condition_of(set_data(untextable, "Capacity"))
  expect_s3_class(failed, "Rcpp::eval_error")
  expect_match(conditionMessage(failed), "no text here", fixed = TRUE)
  for (mode in c(2L, -1L)) {
    expect_error(set_data(get_data("Cost"), "Cost", mode),
                 "The mode for unknown elements should be either 0 or 1.",
                 fixed = TRUE, class = "std::logic_error")
  }
})

test_that("a label a set lacks is refused in mode 0 and added in mode 1", {
  open_project()
  cost <- get_data("Cost")
  with_paris <- rbind(cost, frame(Plants = "Paris", Markets = "m2", Cost = 7))
  expect_error(set_data(with_paris, "Cost", 0L),
               "Couldn't find set element with label Paris in Set Plants",
               fixed = TRUE, class = "Tavik::TavikException")
  expect_identical(get_data("Cost"), cost)
  set_data(with_paris, "Cost", 1L)
  expect_identical(get_data("Cost"), with_paris)

  # Integer set indices are looked up by their decimal text.
  demand <- get_data("Demand")
  later <- rbind(demand, frame(Markets = "m4", Years = 2030L, Demand = 1))
  expect_error(set_data(later, "Demand", 0L),
               "Couldn't find set element with label 2030 in Set Years", fixed = TRUE)
  set_data(later, "Demand", 1L)
  expect_identical(get_data("Demand"), later)
})

test_that("labels the engine numbers with gaps are added and read back", {
  open_project()
  sim_switch("add_nonconsecutive")
  capacity <- rbind(get_data("Capacity"), frame(Plants = c("Paris", "Rome"), Capacity = 1:2))
  set_data(capacity, "Capacity", 1L)
  expect_identical(get_data("Capacity"), capacity)
})

test_that("bad input leaves the identifier and its sets as they were", {
  open_project()
  bytes <- "B. Schmidt \xfc"
  Encoding(bytes) <- "bytes"
  # Each frame is well formed and reaches its rows: a new label in row 1,
  # then a cell in row 2 that can't be written.
  bad <- list(
    list("Cost", rbind(get_data("Cost"), frame(Plants = "Paris", Markets = "m1", Cost = 1)), 0L,
         "Couldn't find set element with label Paris in Set Plants"),
    list("PlantManager", frame(Plants = c("Paris", "Berlin"), PlantManager = c("x", bytes)), 1L,
         paste("Can't convert the text in row 2 of column 2 (PlantManager): it is marked as",
               "bytes, which R can't translate")),
    list("PreferredPlant", frame(Markets = c("m9", "m1"), Plants = c("Chicago", "Nowhere")), 1L,
         "Couldn't find set element with label Nowhere in Set Plants")
  )
  for (case in bad) {
    before <- get_data(case[[1]])
    refused <- condition_of(set_data(case[[2]], case[[1]], case[[3]]))
    expect_s3_class(refused, "Tavik::TavikException")
    expect_identical(conditionMessage(refused), case[[4]], label = case[[1]])
    expect_identical(get_data(case[[1]]), before, label = case[[1]])
  }
  # The mode 1 of those writes stays on the cached sets, but an element
  # value never adds a label to its range set.
  expect_error(set_data("Atlantis", "HubPlant"),
               "Couldn't find set element with label Atlantis in Set Plants", fixed = TRUE,
               class = "Tavik::TavikException")
  # None of the mode-1 attempts added their new label.
  expect_error(set_data(frame(Plants = "Paris", Capacity = 1L), "Capacity", 0L),
               "Couldn't find set element with label Paris in Set Plants", fixed = TRUE,
               class = "Tavik::TavikException")
  expect_error(set_data(frame(Markets = "m9", Plants = "Berlin"), "PreferredPlant", 0L),
               "Couldn't find set element with label m9 in Set Markets", fixed = TRUE,
               class = "Tavik::TavikException")

  # A label the engine refuses to add is missing like in mode 0.
  cost <- get_data("Cost")
  sim_fault("TavikSetAddElementRecursiveW", nth = 0L)
  expect_error(set_data(bad[[1]][[2]], "Cost", 1L),
               "Couldn't find set element with label Paris in Set Plants", fixed = TRUE,
               class = "Tavik::TavikException")
  expect_identical(get_data("Cost"), cost)
})

close_project()
