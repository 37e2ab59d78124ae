# Unloading the package releases the engine state with it: the engine
# library leaves the process and the package can be loaded again afresh.
# A reopen alone proves nothing (opening over an open project closes it
# first), so these look at the library's mappings and the engine's counters.

test_that("unloading the package unmaps the engine library, and it loads again", {
  skip_if_not(file.exists("/proc/self/maps"), "needs /proc/self/maps")
  result <- run_fresh(function() {
    engine <- normalizePath(tavik4r::tavik_example_engine())
    mapped <- function() any(grepl(engine, readLines("/proc/self/maps"), fixed = TRUE))
    # Through `::`, so that each call finds the namespace loaded at the time;
    # the engine controls stay out, as their dyn.load() holds the library too.
    tavik4r::tavik_load_and_open(engine, tavik4r::tavik_example_project())
    tavik4r::tavik_read("Demand")
    held <- mapped()
    unloadNamespace("tavik4r")
    released <- !mapped()
    tavik4r::tavik_load_and_open(engine, tavik4r::tavik_example_project())
    list(held = held, released = released, cost = nrow(tavik4r::tavik_read("Cost")))
  })
  expect_identical(result, list(held = TRUE, released = TRUE, cost = 6L))
})

test_that("unloading the package gives back every engine handle and closes the project", {
  result <- run_fresh(function() {
    # R's own reference to the engine library keeps it, and its counters,
    # alive after the package has let go of it.
    sim_engine_load()
    counter <- sim_counter
    tavik4r::tavik_load_and_open(tavik4r::tavik_example_engine(),
                                 tavik4r::tavik_example_project())
    tavik4r::tavik_read("Demand")
    tavik4r::tavik_read("PreferredPlant")
    held <- counter("live_handles")
    unloadNamespace("tavik4r")
    list(held = held, live = counter("live_handles"),
         open = counter("project_open"), closed = counter("projects_closed"))
  })
  # The sets the reads cached hold handles until the unload.
  expect_gt(result$held, 0)
  expect_identical(result$live, 0)
  expect_identical(result[c("open", "closed")], list(open = 0, closed = 1))
})
