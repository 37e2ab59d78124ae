# Bad data given to tavik_write(): each case gives its error class, a message
# naming what is wrong (as the user wrote it, never an internal element
# number), its fields, and leaves the identifier and its sets as they were.

frame <- function(...) data.frame(..., check.names = FALSE, stringsAsFactors = FALSE)

bytes_text <- function() {
  x <- "M\xfcller"
  Encoding(x) <- "bytes"
  x
}

# identifier, data, extra arguments, class, message pattern, fields.
bad_write_cases <- function() {
  cost <- function(value, plants = c("Berlin", "Chicago")) {
    frame(Plants = plants, Markets = "m1", Cost = value)
  }
  capacity <- function(value, plants = c("Berlin", "Chicago")) {
    frame(Plants = plants, Capacity = value)
  }
  case <- function(id, data, class, pattern, fields = list(), args = list()) {
    list(id = id, data = data, class = class, pattern = pattern, fields = fields, args = args)
  }
  list(
    # Types that would be converted silently.
    case("Cost", cost(factor(c("1.5", "2"))), "tavik_data_error",
         "column 'Cost' holds factor values, but Cost takes numbers.*codes",
         list(column = "Cost", problem = "type")),
    case("Cost", cost(as.Date("2024-01-01") + 0:1), "tavik_data_error",
         "column 'Cost' holds Date values", list(problem = "type")),
    case("Cost", cost(as.POSIXct("2024-01-01", tz = "UTC") + 0:1), "tavik_data_error",
         "column 'Cost' holds POSIXct/POSIXt values"),
    case("Cost", cost(as.difftime(1:2, units = "days")), "tavik_data_error",
         "column 'Cost' holds difftime values"),
    case("Cost", cost(c(1i, 2i)), "tavik_data_error", "column 'Cost' holds complex values"),
    case("Cost", cost(c("1", "2")), "tavik_data_error", "column 'Cost' holds character values"),
    case("PlantManager", frame(Plants = "Berlin", PlantManager = 1), "tavik_data_error",
         "column 'PlantManager' holds double values, but PlantManager takes texts"),
    case("Capacity", capacity(1:2, plants = 1:2), "tavik_data_error",
         "column 'Plants' holds integer values, but the set Plants has text labels",
         list(column = "Plants")),
    case("Demand", frame(Markets = "m1", Years = "2024", Demand = 1), "tavik_data_error",
         "column 'Years' holds character values, but the set Years is a set of integers"),
    case("Discount", as.Date("2024-01-01"), "tavik_data_error", "the value holds Date values"),
    # Whole numbers within 32 bits for integers and sets of integers.
    case("Capacity", capacity(c(1, 4.7)), "tavik_data_error",
         "column 'Capacity' has 4.7 in row 2, but Capacity takes integers",
         list(column = "Capacity", row = 2L, value = 4.7, problem = "integer")),
    case("Capacity", capacity(c(3e9, 1)), "tavik_data_error",
         "column 'Capacity' has 3e\\+09 in row 1, beyond the 32-bit integers",
         list(row = 1L, value = 3e9)),
    case("Capacity", capacity(c(1, -Inf)), "tavik_data_error", "has -Inf in row 2, beyond"),
    case("Demand", frame(Markets = "m1", Years = c(2024, 2025.5), Demand = 1), "tavik_data_error",
         "column 'Years' has 2025.5 in row 2, but the set Years is a set of integers",
         list(column = "Years", row = 2L)),
    case("Horizon", 4.5, "tavik_data_error", "the value has 4.5, but Horizon takes integers"),
    # NA labels, values and texts.
    case("Capacity", capacity(1:2, plants = c("Berlin", NA)), "tavik_data_error",
         "column 'Plants' has NA in row 2.*na = \"drop\"",
         list(column = "Plants", row = 2L, problem = "na")),
    case("Capacity", capacity(1:2, plants = addNA(factor(c(NA, "Berlin")))), "tavik_data_error",
         "column 'Plants' has NA in row 1", list(row = 1L)),
    case("Capacity", capacity(1:2, plants = factor(c("Berlin", NA))), "tavik_data_error",
         "column 'Plants' has NA in row 2", list(row = 2L)),
    case("Cost", cost(c(1, NA)), "tavik_data_error", "column 'Cost' has NA in row 2",
         list(column = "Cost", row = 2L, problem = "na")),
    case("Cost", cost(c(NaN, 1)), "tavik_data_error", "column 'Cost' has NA in row 1"),
    case("PlantManager", frame(Plants = "Berlin", PlantManager = NA_character_),
         "tavik_data_error", "column 'PlantManager' has NA in row 1"),
    case("Demand", frame(Markets = "m1", Years = c(2024L, NA), Demand = 1), "tavik_data_error",
         "column 'Years' has NA in row 2"),
    case("Cost", cost(c(1, NA)), "tavik_data_error", "column 'Cost' has NA in row 2",
         args = list(replace = FALSE)),
    case("Discount", NA_real_, "tavik_data_error", "the value is NA", list(problem = "na")),
    case("HubPlant", NA_character_, "tavik_data_error", "the value is NA"),
    # Labels a set lacks, as written; row numbers are the frame's, also
    # after dropped rows and with columns matched by name.
    case("Capacity", capacity(1:3, plants = c("Berlin", NA, "Paris")), "tavik_label_error",
         "the label 'Paris' in column 'Plants' \\(row 3\\) is not in the set Plants.*add_missing",
         list(set = "Plants", column = "Plants", row = 3L, label = "Paris"),
         args = list(na = "drop")),
    case("Cost", frame(Markets = c("m1", "m9"), Plants = "Berlin", Cost = 1), "tavik_label_error",
         "the label 'm9' in column 'Markets' \\(row 2\\) is not in the set Markets",
         list(set = "Markets", column = "Markets", row = 2L, label = "m9")),
    case("Demand", frame(Markets = "m1", Years = c(2024, 2030), Demand = 1), "tavik_label_error",
         "the label '2030' in column 'Years' \\(row 2\\) is not in the set Years",
         list(set = "Years", label = "2030")),
    case("PreferredPlant", frame(Markets = c("m1", "m2"), Plants = c("Berlin", "Mars")),
         "tavik_label_error",
         "the value 'Mars' in column 'Plants' \\(row 2\\) is not a label of its range set Plants",
         list(set = "Plants", column = "Plants", row = 2L, label = "Mars"),
         args = list(add_missing = TRUE)),
    case("HubPlant", "Mars", "tavik_label_error",
         "the value 'Mars' is not a label of its range set Plants", list(row = NA_integer_)),
    case("StartYear", 2030L, "tavik_label_error",
         "the value '2030' is not a label of its range set Years",
         list(set = "Years", label = "2030")),
    # Shapes.
    case("Cost", frame(Plants = "Berlin", Cost = 1), "tavik_data_error",
         "needs 3 columns, one per set and the values \\(Plants, Markets, Cost\\), not 2",
         list(problem = "shape")),
    case("Cost", 1, "tavik_data_error", "give a data frame with the columns Plants, Markets, Cost"),
    case("Discount", frame(Discount = 1), "tavik_data_error", "it is a scalar: give a single value"),
    case("Capacity", structure(list(Plants = c("Berlin", "Chicago"), Capacity = 1L),
                               class = "data.frame", row.names = 1:2),
         "tavik_data_error", "columns differ in length", list(column = "Capacity")),
    case("Demand", frame(Markets = "m1", Plants = "Berlin", Demand = 1), "tavik_data_error",
         "named after its sets \\(Markets\\) don't match.*Markets, Years", list(problem = "columns")),
    # Texts R can't translate.
    case("PlantManager", frame(Plants = c("Berlin", "Chicago"), PlantManager = c("x", bytes_text())),
         "tavik_data_error", "the text in column 'PlantManager' \\(row 2\\) can't be written: .*bytes",
         list(column = "PlantManager", row = 2L, problem = "text")),
    # Names the engine does not know, and identifiers that take no data.
    case("Nope", 1, "tavik_unknown_identifier",
         "Can't write 'Nope': the open project has no such identifier",
         list(identifier = "Nope", code = 5L)),
    case("Plants", "Paris", "tavik_argument_error", "names the set Plants")
  )
}

snapshot <- function() {
  lapply(c("Cost", "Capacity", "Demand", "PreferredPlant", "PlantManager", "Discount",
           "HubPlant", "StartYear", "Horizon", "Plants", "Markets", "Years"), tavik_read)
}

test_that("bad data gives a classed error naming column, row and value, and changes nothing", {
  open_project()
  on.exit(close_project())
  before <- snapshot()
  for (case in bad_write_cases()) {
    label <- sprintf("%s <- %s", case$id, paste(deparse(case$data), collapse = ""))
    error <- condition_of(do.call(tavik_write, c(list(case$data, case$id), case$args)))
    expect_s3_class(error, c(case$class, "tavik_error"))
    if (!inherits(error, case$class)) {
      fail(sprintf("%s gave %s: %s", label, class(error)[[1]], conditionMessage(error)))
      next
    }
    expect_match(conditionMessage(error), case$pattern, label = label)
    expect_no_match(conditionMessage(error), "1073|-2147483648|tavikerror 8", label = label)
    for (field in names(case$fields)) {
      expect_identical(error[[field]], case$fields[[field]], label = paste(label, field))
    }
    if (case$class %in% c("tavik_data_error", "tavik_label_error")) {
      expect_identical(error$identifier, case$id, label = label)
    }
  }
  expect_identical(snapshot(), before)
})

test_that("errors the engine reported keep its record as parent", {
  open_project()
  on.exit(close_project())
  label <- condition_of(tavik_write(frame(Plants = "Paris", Capacity = 1L), "Capacity"))
  expect_s3_class(label$parent, c("tavik_fault", "condition"))
  expect_identical(label$parent$label, "Paris")
  unknown <- condition_of(tavik_read("Nope"))
  expect_s3_class(unknown, c("tavik_unknown_identifier", "tavik_error"))
  expect_identical(unknown$parent$kind, "identifier")
  expect_identical(unknown$text, "unknown identifier 'Nope'")
})

test_that("the types the engine takes are written as they mean", {
  open_project(extra_project())
  on.exit(close_project())
  latin1 <- "Z\xfcrich"
  Encoding(latin1) <- "latin1"
  writes <- list(
    # Whole doubles for a set of integers and for integer values.
    list("Weight", frame(Levels = c(-2, 2), Weight = c(1, 2.5)),
         frame(Levels = c(-2L, 2L), Weight = c(1, 2.5))),
    list("Population", frame(Cities = c("Basel", latin1), Population = c(2147483647, -5)),
         frame(Cities = c("Z\u00fcrich", "Basel"), Population = c(-5L, 2147483647L))),
    # Logicals are 1 and 0, and a 0 is no value.
    list("Distance", frame(Nodes = c("n1", "n2"), Nodes.1 = "n3", Distance = c(TRUE, FALSE)),
         frame(Nodes = "n1", Nodes.1 = "n3", Distance = 1)),
    list("Population", frame(Cities = "Basel", Population = TRUE),
         frame(Cities = "Basel", Population = 1L)),
    # Factors by their labels.
    list("Depth", frame(Nodes = factor(c("n3", "n2")), Levels = c(1, -2)),
         frame(Nodes = c("n2", "n3"), Levels = c(-2L, 1L)))
  )
  for (w in writes) {
    tavik_write(w[[2]], w[[1]])
    expect_identical(tavik_read(w[[1]]), w[[3]], label = w[[1]])
  }
})
