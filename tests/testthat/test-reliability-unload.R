# Unloading the package releases the engine state with it, so the package
# can be loaded again in the same process and start afresh.

test_that("the package unloads with a project open and loads again", {
  result <- run_fresh(function() {
    # Through `::`, so that each call finds the namespace loaded at the time.
    tavik4r::tavik_load_and_open(tavik4r::tavik_example_engine(),
                                 tavik4r::tavik_example_project())
    tavik4r::tavik_read("Cost")
    unloadNamespace("tavik4r")
    unloaded <- !"tavik4r" %in% names(getLoadedDLLs())
    tavik4r::tavik_load_and_open(tavik4r::tavik_example_engine(),
                                 tavik4r::tavik_example_project())
    list(unloaded = unloaded, cost = nrow(tavik4r::tavik_read("Cost")))
  })
  expect_identical(result, list(unloaded = TRUE, cost = 6L))
})
