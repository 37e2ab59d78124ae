# The engine state is process-wide: scenarios that need a clean state run in
# a fresh R process with the installed package.
run_fresh <- function(fun, args = list()) {
  run_fresh_output(fun, args)$value
}

# As run_fresh(), also returning what the process wrote on standard output
# (the package's C++ diagnostics go there).
run_fresh_output <- function(fun, args = list()) {
  out <- tempfile()
  on.exit(unlink(out))
  # The engine's test controls are there as in the tests, and the package
  # is loaded first so its routines are there for .Call().
  run <- function(fun, args, controls) {
    sys.source(controls, envir = globalenv())
    loadNamespace("tavik4r")
    do.call(fun, args)
  }
  value <- callr::r(run, args = list(fun = fun, args = args, controls = sim_controls_file()),
                    stdout = out, stderr = out, libpath = .libPaths())
  list(value = value, stdout = if (file.exists(out)) readLines(out) else character())
}

engine_path <- function() tavik4r::tavik_example_engine()

project_path <- function(name = "transport") tavik4r::tavik_example_project(name)
