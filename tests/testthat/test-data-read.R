# Reading identifiers into R: data frames for identifiers over sets, length-1
# vectors for scalars.

frame <- function(...) data.frame(..., check.names = FALSE)

test_that("identifiers over sets read as data frames of typed columns", {
  open_project()
  expected <- list(
    Cost = frame(
      Plants = c("Amsterdam", "Amsterdam", "Berlin", "Berlin", "Chicago", "New York"),
      Markets = c("m1", "m2", "m1", "m3", "m4", "m4"),
      Cost = c(2.5, 3.75, 1.2, 4, 6.125, 1.5)),
    Capacity = frame(Plants = c("Amsterdam", "Berlin", "New York"),
                     Capacity = c(500L, 350L, 420L)),
    # An index stands for its set; Years lies in Integers and reads as integers.
    Demand = frame(Markets = c("m1", "m1", "m2", "m3", "m4"),
                   Years = c(2024L, 2025L, 2024L, 2026L, 2027L),
                   Demand = c(120.5, 130, 80, 95.25, 210)),
    # Element values are named after their set.
    PreferredPlant = frame(Markets = c("m1", "m2", "m4"),
                           Plants = c("Berlin", "Amsterdam", "New York")),
    PlantManager = frame(Plants = c("Amsterdam", "Berlin", "New York"),
                         PlantManager = c("A. de Vries", "B. Schmidt", "C. Miller")),
    # The value column takes the name without its scope.
    `Plant::Area::Stock` = frame(Plants = c("Amsterdam", "Chicago"), Stock = c(12.5, 40)),
    Shipment = frame(Plants = character(), Markets = character(), Shipment = numeric())
  )
  for (id in names(expected)) {
    expect_identical(get_data(id), expected[[id]], label = id)
  }
})

test_that("repeated sets, element values in integer sets and negative integers read", {
  open_project(extra_project())
  expect_identical(get_data("Distance"),
                   frame(Nodes = c("n1", "n2"), Nodes.1 = c("n2", "n1"), Distance = c(4, 5)))
  expect_identical(get_data("Depth"), frame(Nodes = c("n1", "n3"), Levels = c(-1L, 2L)))
  expect_identical(get_data("Weight"), frame(Levels = c(-2L, 1L), Weight = c(0.5, 1.5)))
})

test_that("labels repeated over many rows come back in their own rows", {
  # Enough rows that every label recurs long after its R string was made,
  # in the dimensions and as element values in no particular order.
  path <- file.path(tempdir(), "many-labels.tvp")
  writeLines(c("set A = { a1..a20 }", "set B = { b1..b5000 }",
               "parameter Full(A, B)", "generate Full density=1 seed=3",
               "element parameter Pick(A, B) in B"), path)
  open_project(path)
  a <- rep(sprintf("a%d", 1:20), each = 5000)
  b <- rep(sprintf("b%d", 1:5000), times = 20)
  full <- get_data("Full")
  expect_identical(full[[1]], a)
  expect_identical(full[[2]], b)
  picks <- sprintf("b%d", (seq_along(a) * 7919) %% 5000 + 1)
  set_data(data.frame(A = a, B = b, Pick = picks), "Pick")
  expect_identical(unname(as.list(get_data("Pick"))), list(a, b, picks))
})

test_that("scalars read as vectors of length one of their kind", {
  open_project()
  expected <- list(Discount = 0.05, Horizon = 4L, ModelName = "Transport",
                   HubPlant = "Berlin", StartYear = 2024L)
  for (id in names(expected)) {
    expect_identical(get_data(id), expected[[id]], label = id)
  }
})

test_that("a set's labels are read once while it is cached", {
  open_project()
  label_reads <- function() sim_calls("TavikSetElementToNameW")
  get_data("Cost")
  after_first <- label_reads()
  expect_equal(after_first, 8)  # Plants and Markets, four labels each
  get_data("Cost")
  get_data("Capacity")
  expect_equal(label_reads(), after_first)

  # A failed write keeps the cache; a successful one empties it.
  expect_error(set_data(frame(Plants = "Paris", Capacity = 1L), "Capacity"))
  get_data("Capacity")
  expect_equal(label_reads(), after_first)
  set_data(get_data("Capacity"), "Capacity")
  get_data("Capacity")
  expect_equal(label_reads(), after_first + 4)
})

test_that("names the engine does not offer as data are refused", {
  open_project()
  unknown <- condition_of(get_data("NoSuchThing"))
  expect_s3_class(unknown, "Tavik::TavikException")
  expect_match(conditionMessage(unknown), "^tavikerror [0-9]+: ")
  for (id in c("Plants", "p")) {
    refused <- condition_of(get_data(id))
    expect_s3_class(refused, "std::runtime_error")
    expect_identical(conditionMessage(refused),
                     sprintf("unsported identifier type for '%s'", id))
  }
})

test_that("engine text is read whole even when the engine reports its length back", {
  open_project()
  plain <- list(get_data("PlantManager"), get_data("ModelName"))
  open_project()
  sim_switch("write_back_length")
  expect_identical(list(get_data("PlantManager"), get_data("ModelName")), plain)
})

test_that("element numbers outside a set are reported, not looked up", {
  open_project()
  sim_switch("next_out_of_range")
  outside <- condition_of(get_data("Cost"))
  expect_s3_class(outside, "Tavik::TavikException")
  expect_match(conditionMessage(outside),
               "^Couldn't find set element number -?[0-9]+ in Set Plants$")

  # The last ordinal lands outside the set, whose label the engine then
  # refuses: the set can't be read.
  open_project()
  sim_switch("ordinal_out_of_range")
  expect_error(get_data("Capacity"), "^tavikerror [0-9]+: element [0-9]+ is not in set 'Plants'$",
               class = "Tavik::TavikException")
})

test_that("text outside the locale's character set is read whole, marked UTF-8", {
  result <- run_fresh(function(engine, project) {
    loadNamespace("tavik4r")
    Sys.setlocale("LC_CTYPE", "C")
    .Call("tavik4r_LoadTavikAndOpenProject", engine, project, PACKAGE = "tavik4r")
    population <- .Call("tavik4r_GetData", "Population", PACKAGE = "tavik4r")
    # Written back from the C locale, the label still matches the set's.
    .Call("tavik4r_SetData", population, "Population", 0L, PACKAGE = "tavik4r")
    list(read = population, again = .Call("tavik4r_GetData", "Population", PACKAGE = "tavik4r"))
  }, args = list(engine = engine_path(), project = extra_project()))
  expected <- frame(Cities = c("Z\u00fcrich", "Basel"), Population = c(400L, 170L))
  expect_identical(result$read, expected)
  expect_identical(Encoding(result$read$Cities), c("UTF-8", "unknown"))
  expect_identical(result$again, expected)
})

close_project()
