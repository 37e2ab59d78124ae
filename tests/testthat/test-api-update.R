# replace = FALSE assigns the given tuples and leaves all others; both modes
# check the same way and write all or nothing.

frame <- function(...) data.frame(..., check.names = FALSE, stringsAsFactors = FALSE)

test_that("an update assigns the given tuples, keeps the others and removes zeros", {
  open_project()
  on.exit(close_project())
  cost <- tavik_read("Cost")
  tavik_write(frame(Plants = c("Berlin", "Chicago", "Amsterdam"), Markets = c("m1", "m1", "m2"),
                    Cost = c(9, 2, 0)), "Cost", replace = FALSE)
  expected <- cost[!(cost$Plants == "Amsterdam" & cost$Markets == "m2"), ]
  expected$Cost[expected$Plants == "Berlin" & expected$Markets == "m1"] <- 9
  expected <- rbind(expected, frame(Plants = "Chicago", Markets = "m1", Cost = 2))
  expected <- expected[order(match(expected$Plants, tavik_read("Plants")), expected$Markets), ]
  rownames(expected) <- NULL
  expect_identical(tavik_read("Cost"), expected)

  tavik_write(frame(Plants = "Berlin", PlantManager = ""), "PlantManager", replace = FALSE)
  expect_identical(tavik_read("PlantManager")$Plants, c("Amsterdam", "New York"))
  tavik_write(0, "Discount", replace = FALSE)
  expect_identical(tavik_read("Discount"), 0)
})

test_that("a tuple given twice keeps its last row, in both modes", {
  open_project()
  on.exit(close_project())
  twice <- frame(Plants = c("Berlin", "Berlin"), Capacity = c(7L, 8L))
  tavik_write(twice, "Capacity", replace = FALSE)
  expect_identical(tavik_read("Capacity")$Capacity, c(500L, 8L, 420L))
  tavik_write(twice, "Capacity")
  expect_identical(tavik_read("Capacity"), frame(Plants = "Berlin", Capacity = 8L))
  tavik_write(frame(Plants = c("Berlin", "Berlin"), Capacity = c(7L, 0L)), "Capacity",
              replace = FALSE)
  expect_identical(nrow(tavik_read("Capacity")), 0L)
})

test_that("na = 'drop' leaves rows out: emptied when replacing, kept when updating", {
  open_project()
  on.exit(close_project())
  capacity <- tavik_read("Capacity")
  with_na <- frame(Plants = c("Amsterdam", NA, "New York"), Capacity = c(1L, 2L, NA))
  tavik_write(with_na, "Capacity", replace = FALSE, na = "drop")
  expect_identical(tavik_read("Capacity"), transform(capacity, Capacity = c(1L, 350L, 420L)))
  tavik_write(with_na, "Capacity", na = "drop")
  expect_identical(tavik_read("Capacity"), frame(Plants = "Amsterdam", Capacity = 1L))
  tavik_write(NA_real_, "Discount", na = "drop")
  expect_identical(tavik_read("Discount"), 0.05)
})

test_that("a write the engine refuses half way is undone in both modes", {
  open_project()
  on.exit(close_project())
  cost <- tavik_read("Cost")
  change <- frame(Plants = c("Berlin", "Chicago", "Amsterdam"), Markets = "m1", Cost = 1:3)
  for (replace in c(TRUE, FALSE)) {
    sim_fault("TavikValueAssignW", nth = 2L, code = 15L, text = "out of memory")
    error <- expect_error(tavik_write(change, "Cost", replace = replace),
                          class = "tavik_engine_error")
    sim_reset()
    expect_s3_class(error, "tavik_error")
    expect_identical(error[c("identifier", "code", "text", "restored")],
                     list(identifier = "Cost", code = 15L, text = "out of memory", restored = TRUE))
    expect_match(conditionMessage(error), "previous data is restored")
    expect_s3_class(error$parent, "tavik_fault")
    expect_identical(tavik_read("Cost"), cost)
  }
})
