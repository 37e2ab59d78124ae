# What the user writes comes back exactly: texts of any length, sets with no
# element, missing element values, strings in any encoding R knows, and the
# old data after a write the engine refuses half way.

frame <- function(...) data.frame(..., check.names = FALSE)

# Texts around the engine's first buffers (256 for values, 300 for labels)
# and far past them; equal starts that differ only at the end.
long_texts <- function(stem) {
  lengths <- c(254:257, 298:301, 1000, 1e5)
  texts <- vapply(lengths, function(n) {
    paste0(strrep(stem, n - 1L), sprintf("%x", n %% 16))
  }, character(1))
  c(texts, paste0(strrep(stem, 299), "a"), paste0(strrep(stem, 299), "b"))
}

test_that("labels and values of any length come back whole after a change", {
  for (write_back in c(FALSE, TRUE)) {
    open_project(fidelity_project())
    if (write_back) sim_switch("write_back_length")
    labels <- long_texts("\u00e9")
    memo <- frame(Items = labels, Memo = rev(long_texts("\U1F600x")))
    set_data(memo, "Memo", 1L)
    read <- get_data("Memo")
    expect_identical(read, memo)
    read$Memo <- paste0(read$Memo, "!")
    set_data(read, "Memo", 0L)
    expect_identical(get_data("Memo"), read)
    expect_identical(nchar(get_data("Memo")$Items), nchar(labels))
  }
  for (text in c(strrep("t", 299), strrep("\U1F600", 70000))) {
    set_data(text, "Title")
    expect_identical(get_data("Title"), text)
  }
})

test_that("identifiers over sets without elements read empty and take new labels", {
  open_project(fidelity_project())
  expect_identical(get_data("Weights"),
                   frame(Empty = character(), Items = character(), Weights = numeric()))
  expect_identical(get_data("ByYear"), frame(NoYears = integer(), ByYear = numeric()))
  weights <- frame(Empty = c("e1", "e2"), Items = "i1", Weights = c(2, 3))
  expect_error(set_data(weights, "Weights", 0L),
               "Couldn't find set element with label e1 in Set Empty", fixed = TRUE,
               class = "Tavik::TavikException")
  set_data(weights, "Weights", 1L)
  expect_identical(get_data("Weights"), weights)
  by_year <- frame(NoYears = c(2030L, 2031L), ByYear = c(1, 2))
  set_data(by_year, "ByYear", 1L)
  expect_identical(get_data("ByYear"), by_year)
})

test_that("an element parameter without an element reads as a missing value", {
  open_project(fidelity_project())
  expect_identical(get_data("NoHub"), NA_character_)
  expect_identical(get_data("NoYear"), NA_integer_)
})

test_that("strings are converted from the encoding R declares for them", {
  open_project(extra_project())
  latin1 <- "Z\xfcrich"
  Encoding(latin1) <- "latin1"
  population <- frame(Cities = c(latin1, "Basel"), Population = c(401L, 171L))
  set_data(population, "Population")
  expect_identical(get_data("Population"),
                   frame(Cities = c("Z\u00fcrich", "Basel"), Population = c(401L, 171L)))

  # A level no row uses is never converted; one a row uses names the cell.
  bytes <- "Z\xfcrich"
  Encoding(bytes) <- "bytes"
  unused <- frame(Cities = factor("Basel", levels = c(bytes, "Basel")), Population = 5L)
  set_data(unused, "Population")
  expect_identical(get_data("Population"), frame(Cities = "Basel", Population = 5L))
  before <- get_data("Population")
  used <- structure(1:2, levels = c("Basel", bytes), class = "factor")
  for (cities in list(c("Basel", bytes), used)) {
    refused <- condition_of(set_data(frame(Cities = cities, Population = 1:2), "Population"))
    expect_s3_class(refused, "Tavik::TavikException")
    expect_identical(conditionMessage(refused), paste(
      "Can't convert the text in row 2 of column 1 (Cities): it is marked as bytes,",
      "which R can't translate"))
    expect_identical(get_data("Population"), before)
  }
})

test_that("a text value that can't be converted is refused before anything changes", {
  open_project()
  before <- get_data("PlantManager")
  invalid <- "B. Schm\xfcdt"
  Encoding(invalid) <- "UTF-8"
  bytes <- "B. Schm\xfcdt"
  Encoding(bytes) <- "bytes"
  why <- c("it is not valid UTF-8", "it is marked as bytes, which R can't translate")
  for (i in 1:2) {
    managers <- frame(Plants = c("Amsterdam", "Berlin"),
                      PlantManager = c("A. Jansen", list(invalid, bytes)[[i]]))
    refused <- condition_of(set_data(managers, "PlantManager"))
    expect_s3_class(refused, "Tavik::TavikException")
    expect_identical(conditionMessage(refused), paste0(
      "Can't convert the text in row 2 of column 2 (PlantManager): ", why[i]))
    expect_identical(get_data("PlantManager"), before)
  }
})

test_that("the engine's count of values only sizes the result", {
  for (switch in c("card_more", "card_fewer")) {
    open_project(extra_project())
    expected <- get_data("Big")
    sim_switch(switch)
    expect_identical(get_data("Big"), expected, label = switch)
    expect_identical(get_data("Distance"), frame(Nodes = c("n1", "n2"), Nodes.1 = c("n2", "n1"),
                                                 Distance = c(4, 5)), label = switch)
  }
})

test_that("a write the engine refuses half way leaves the old data", {
  open_project()
  cost <- get_data("Cost")
  changed <- rbind(transform(cost, Cost = Cost + 1),
                   frame(Plants = "Paris", Markets = "m1", Cost = 9))
  sim_fault("TavikValueAssignW", nth = 4L, code = 21L, text = "out of memory")
  refused <- condition_of(set_data(changed, "Cost", 1L))
  expect_s3_class(refused, "Tavik::TavikException")
  expect_identical(conditionMessage(refused), paste(
    "The engine refused the write of Cost (tavikerror 21: out of memory); its",
    "previous data is restored (6 values)."))
  expect_identical(get_data("Cost"), cost)
  # Paris was added to Plants before the refusal and stays there.
  expect_silent(set_data(frame(Plants = "Paris", Capacity = 1L), "Capacity", 0L))

  long <- frame(Plants = "Berlin", PlantManager = strrep("\u00e9", 5000))
  set_data(long, "PlantManager")
  sim_fault("TavikValueAssignW", nth = 1L)
  expect_error(set_data(get_data("Capacity"), "PlantManager"), "previous data is restored")
  expect_identical(get_data("PlantManager"), long)

  sim_fault("TavikValueAssignW", nth = 1L, code = 3L, text = "locked")
  expect_error(set_data(0.5, "Discount"),
               "The engine refused the write of Discount (tavikerror 3: locked); its previous data is restored (1 value).",
               fixed = TRUE, class = "Tavik::TavikException")
  expect_identical(get_data("Discount"), 0.05)
})

test_that("a refused restore says what the identifier holds", {
  open_project()
  cost <- get_data("Cost")
  # Every assignment refused: the old values could not go back.
  sim_fault("TavikValueAssignW", nth = 0L, code = 5L, text = "disk full")
  expect_error(set_data(cost, "Cost"), paste0(
    "The engine refused the write of Cost (tavikerror 5: disk full) and then refused to ",
    "restore its previous data (tavikerror 5: disk full): Cost now holds 0 values of its ",
    "6 previous ones."), fixed = TRUE)
  sim_fault("TavikValueAssignW", nth = -1L)
  expect_identical(nrow(get_data("Cost")), 0L)

  # Emptying refused on the way back: the rows written stay.
  set_data(cost, "Cost")
  sim_fault("TavikValueAssignW", nth = 3L)
  sim_fault("TavikIdentifierEmpty", nth = 2L, code = 6L, text = "busy")
  expect_error(set_data(transform(cost, Cost = 1), "Cost"), paste0(
    "and then refused to restore its previous data (tavikerror 6: busy): Cost now holds ",
    "the first 2 rows of the 6 written."), fixed = TRUE)
  expect_identical(get_data("Cost"), transform(cost, Cost = 1)[1:2, ])
})

test_that("labels a refused write added reach every cached set they joined", {
  open_project(fidelity_project())
  get_data("Memo")  # Items in the cache
  # i9 joins Sub and, in the engine, Items too; then the write is refused.
  sim_fault("TavikValueAssignW", nth = 1L)
  expect_error(set_data(frame(Sub = c("i9", "i1"), OnSub = c(1, 2)), "OnSub", 1L),
               "previous data is restored")
  set_data(frame(Items = "i9", Memo = "new"), "Memo", 0L)
  expect_identical(get_data("Memo"), frame(Items = "i9", Memo = "new"))
})

test_that("a refused scalar write that changed nothing says its value is back", {
  open_project()
  sim_fault("TavikValueAssignW", nth = 0L)
  expect_error(set_data("Freight", "ModelName"),
               "its previous data is restored (1 value)", fixed = TRUE)
  expect_identical(get_data("ModelName"), "Transport")
})

test_that("a refused value is told from the end of the data without a count", {
  open_project()
  get_data("Cost")  # the sets in the cache: the count refused is the values'
  sim_fault("TavikValueCard", nth = 1L)
  sim_fault("TavikValueNextW", nth = 1L, code = 4L, text = "busy")
  expect_error(get_data("Cost"), "tavikerror 4: busy", fixed = TRUE,
               class = "Tavik::TavikException")
  expect_identical(nrow(get_data("Cost")), 6L)
})

close_project()
