# Label columns named after the identifier's sets are matched by name;
# other names go by position.

frame <- function(...) data.frame(..., check.names = FALSE, stringsAsFactors = FALSE)

test_that("columns named after the sets go in whatever order they come", {
  open_project()
  on.exit(close_project())
  cost <- tavik_read("Cost")
  plants <- tavik_read("Plants")
  markets <- tavik_read("Markets")
  # With positions, add_missing would have put plants into Markets.
  tavik_write(cost[, c("Markets", "Plants", "Cost")], "Cost", add_missing = TRUE)
  expect_identical(tavik_read("Cost"), cost)
  tavik_write(cost[, c("Cost", "Markets", "Plants")], "Cost")
  expect_identical(tavik_read("Cost"), cost)
  expect_identical(tavik_read("Plants"), plants)
  expect_identical(tavik_read("Markets"), markets)
  # An element parameter's value column is named after its range set.
  preferred <- tavik_read("PreferredPlant")
  tavik_write(preferred[, c("Plants", "Markets")], "PreferredPlant")
  expect_identical(tavik_read("PreferredPlant"), preferred)
})

test_that("a set used twice is told apart by the names tavik_read gives", {
  open_project(extra_project())
  on.exit(close_project())
  distance <- tavik_read("Distance")
  expect_named(distance, c("Nodes", "Nodes.1", "Distance"))
  tavik_write(distance[, c("Nodes.1", "Nodes", "Distance")], "Distance")
  expect_identical(tavik_read("Distance"), distance)
  # Other names go by position: the same columns swapped and renamed give
  # the transposed data.
  swapped <- setNames(distance[, c("Nodes.1", "Nodes", "Distance")], c("from", "to", "km"))
  tavik_write(swapped, "Distance")
  expect_identical(tavik_read("Distance"),
                   frame(Nodes = c("n1", "n2"), Nodes.1 = c("n2", "n1"), Distance = c(5, 4)))
})

test_that("set names that don't cover the domain exactly are refused", {
  open_project(extra_project())
  on.exit(close_project())
  distance <- tavik_read("Distance")
  bad <- list(
    twice = setNames(distance, c("Nodes", "Nodes", "Distance")),
    one = setNames(distance, c("Nodes", "to", "Distance")),
    bare_and_dot = setNames(distance, c("Nodes.1", "x", "Distance"))
  )
  for (name in names(bad)) {
    error <- expect_error(tavik_write(bad[[name]], "Distance"), class = "tavik_data_error")
    expect_match(conditionMessage(error), "Name the label columns Nodes, Nodes.1", label = name)
    expect_identical(error$problem, "columns")
  }
  expect_identical(tavik_read("Distance"), distance)
})
