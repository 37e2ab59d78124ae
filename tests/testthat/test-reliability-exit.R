# R exits cleanly whatever state the engine is left in. callr::r() would
# hand back the child's saved result even when the child crashed on its way
# out, so the child runs in the background and its exit status and output
# are what count.

# A sanitizer report or a crash message on the child's output.
crash_pattern <- paste(c("Sanitizer", "runtime error:", "caught segfault",
                         "Segmentation fault", "terminate called", "Aborted"),
                       collapse = "|")

# Sanitizer options without log_path, so that a child's report lands on its
# own standard error, where this test reads it.
report_to_stderr <- function() {
  options <- Sys.getenv(c("ASAN_OPTIONS", "UBSAN_OPTIONS"))
  options <- options[nzchar(options)]
  gsub("(^|:)log_path=[^:]*", "", options)
}

# Runs leave(...) in a fresh R process that then returns "done" and exits.
run_to_exit <- function(leave, args) {
  out <- tempfile()
  on.exit(unlink(out))
  environment(leave) <- globalenv()
  child <- callr::r_bg(function(leave, args) {
    loadNamespace("tavik4r")
    do.call(leave, args)
    "done"
  }, args = list(leave = leave, args = args), stdout = out, stderr = "2>&1",
  libpath = .libPaths(), env = c(callr::rcmd_safe_env(), report_to_stderr()))
  child$wait(120000)
  if (child$is_alive()) {
    child$kill()
    stop("the child did not exit within 120 s")
  }
  list(status = child$get_exit_status(),
       value = tryCatch(child$get_result(), error = function(e) NULL),
       output = if (file.exists(out)) readLines(out) else character())
}

test_that("R exits cleanly whatever state the engine is left in", {
  places <- list(tavik4r::tavik_example_engine(), tavik4r::tavik_example_project())
  states <- list(
    "a project open after reads and a write" = function(engine, project) {
      tavik4r::tavik_load_and_open(engine, project)
      tavik4r::tavik_read("Demand")
      tavik4r::tavik_read("PlantManager")
      tavik4r::tavik_write(data.frame(Plants = "Berlin", Capacity = 5L), "Capacity")
    },
    "a closed project" = function(engine, project) {
      tavik4r::tavik_load_and_open(engine, project)
      tavik4r::tavik_read("Cost")
      tavik4r::tavik_close()
    },
    "an engine loaded and no project" = function(engine, project) {
      tavik4r::tavik_load(engine)
    },
    "the package unloaded with a project open" = function(engine, project) {
      tavik4r::tavik_load_and_open(engine, project)
      tavik4r::tavik_read("Cost")
      unloadNamespace("tavik4r")
    }
  )
  for (state in names(states)) {
    run <- run_to_exit(states[[state]], places)
    shown <- paste(c(state, run$output), collapse = "\n")
    expect_identical(run$value, "done", info = shown)
    expect_identical(run$status, 0L, info = shown)
    expect_false(any(grepl(crash_pattern, run$output)), info = shown)
  }
})
