# Hostile R objects given to every entry point and every exported function,
# in each argument position: each call gives an R error with a message, or
# its expected result, never a crash; a call that fails leaves the engine's
# data as it was. The cases run in fresh processes, one per group of calls,
# and each process reports what every case gave.

# Built in the fresh process: environments, functions and S4 objects don't
# travel well between processes.
hostile_objects <- function() {
  methods::setClass("TavikHostile", representation(x = "numeric"), where = globalenv())
  latin1 <- "Z\xfcrich"
  Encoding(latin1) <- "latin1"
  bytes <- "Z\xfcrich"
  Encoding(bytes) <- "bytes"
  list(
    null = NULL,
    na = NA, na_integer = NA_integer_, na_real = NA_real_, na_character = NA_character_,
    na_complex = NA_complex_,
    logical0 = logical(), integer0 = integer(), double0 = double(), character0 = character(),
    list0 = list(), list = list(1, "a"),
    environment = new.env(), closure = function(x) x, builtin = sum,
    s4 = methods::new("TavikHostile", x = 1),
    long_string = strrep("x", 1e7),
    utf8 = "Z\u00fcrich \u65e5\u672c",
    latin1 = latin1,
    bytes = bytes,
    factor_na_level = addNA(factor(c("Berlin", NA))),
    inf = Inf,
    nan = NaN,
    # Data frames shaped like Capacity (Plants, integer values).
    frame_list_column = data.frame(Plants = I(list("Berlin")), Capacity = 1L),
    frame_no_columns = data.frame(),
    frame_no_rows = data.frame(Plants = character(), Capacity = integer()),
    frame_duplicates = data.frame(Plants = c("Berlin", "Berlin"), Capacity = 1:2),
    frame_na_level = data.frame(Plants = addNA(factor(c("Berlin", NA))), Capacity = 1:2),
    frame_inf_nan = data.frame(Plants = c("Berlin", "Chicago"), Capacity = c(Inf, NaN))
  )
}

# Runs in the fresh process: every hostile object in every call of the
# group, from an open example project. Progress goes to a file so that a
# crash can be traced to its case.
run_hostile_cases <- function(group, engine, project, progress, hostile_objects, controls) {
  sys.source(controls, envir = globalenv())
  library(tavik4r)
  sim_engine_load()
  call <- function(...) .Call(..., PACKAGE = "tavik4r")
  capacity <- data.frame(Plants = "Berlin", Capacity = 1L)
  calls <- list(
    `LoadTavik(x)` = function(x) call("tavik4r_LoadTavik", x),
    `OpenProject(x)` = function(x) call("tavik4r_OpenProject", x),
    `LoadTavikAndOpenProject(x, project)` =
      function(x) call("tavik4r_LoadTavikAndOpenProject", x, project),
    `LoadTavikAndOpenProject(engine, x)` =
      function(x) call("tavik4r_LoadTavikAndOpenProject", engine, x),
    `CloseProject(x)` = function(x) call("tavik4r_CloseProject", x),
    `TestLoadedApi(x)` = function(x) call("tavik4r_TestLoadedApi", x),
    `GetData(x)` = function(x) call("tavik4r_GetData", x),
    `SetData(x, "Capacity", 0)` = function(x) call("tavik4r_SetData", x, "Capacity", 0L),
    `SetData(x, "Discount", 0)` = function(x) call("tavik4r_SetData", x, "Discount", 0L),
    `SetData(capacity, x, 0)` = function(x) call("tavik4r_SetData", capacity, x, 0L),
    `SetData(capacity, "Capacity", x)` = function(x) call("tavik4r_SetData", capacity, "Capacity", x),
    `tavik_load(x)` = function(x) tavik_load(x),
    `tavik_library_loads(x)` = function(x) tavik_library_loads(x),
    `tavik_open(x)` = function(x) tavik_open(x),
    `tavik_load_and_open(x, project)` = function(x) tavik_load_and_open(x, project),
    `tavik_load_and_open(engine, x)` = function(x) tavik_load_and_open(engine, x),
    `tavik_close(x)` = function(x) tavik_close(x),
    `tavik_read(x)` = function(x) tavik_read(x),
    `tavik_write(x, "Capacity")` = function(x) tavik_write(x, "Capacity"),
    `tavik_write(x, "Discount")` = function(x) tavik_write(x, "Discount"),
    `tavik_write(capacity, x)` = function(x) tavik_write(capacity, x),
    `tavik_write(capacity, "Capacity", x)` = function(x) tavik_write(capacity, "Capacity", x),
    `tavik_example_engine(x)` = function(x) tavik_example_engine(x),
    `tavik_example_project(x)` = function(x) tavik_example_project(x),
    `with_tavik_project(x, project, 1)` = function(x) with_tavik_project(x, project, 1),
    `with_tavik_project(engine, x, 1)` = function(x) with_tavik_project(engine, x, 1),
    `with_tavik_project(engine, project, x)` = function(x) with_tavik_project(engine, project, x),
    `local_tavik_project(x, project)` = function(x) local_tavik_project(x, project),
    `local_tavik_project(engine, x)` = function(x) local_tavik_project(engine, x),
    `local_tavik_project(engine, project, x)` = function(x) local_tavik_project(engine, project, x)
  )[group]
  objects <- hostile_objects()
  snapshot <- function() {
    tryCatch(lapply(c("Capacity", "Cost", "Discount", "PlantManager"), function(id) {
      call("tavik4r_GetData", id)
    }), error = function(e) NULL)
  }
  open <- function() {
    stopifnot(isTRUE(call("tavik4r_LoadTavikAndOpenProject", engine, project)))
  }
  cases <- list()
  for (name in names(calls)) {
    for (object in names(objects)) {
      cat(name, object, "\n", file = progress, append = TRUE)
      open()
      before <- snapshot()
      outcome <- tryCatch(
        list(value = withCallingHandlers(calls[[name]](objects[[object]]),
                                         warning = function(w) invokeRestart("muffleWarning"))),
        error = function(e) list(error = e)
      )
      error <- outcome$error
      after <- snapshot()
      cases[[length(cases) + 1L]] <- list(
        call = name, object = object,
        result = if (!is.null(error)) {
          "error"
        } else if (isTRUE(outcome$value) || isFALSE(outcome$value)) {
          as.character(outcome$value)
        } else {
          "value"
        },
        message = if (is.null(error)) "" else substr(conditionMessage(error), 1, 200),
        kept = identical(after, before),
        # What a write that went through left, for the cases that say.
        written = if (is.null(error) && !is.null(after)) {
          paste(deparse(list(Capacity = after[[1]]$Capacity, Discount = after[[3]])),
                collapse = "")
        } else {
          ""
        }
      )
    }
  }
  do.call(rbind.data.frame, cases)
}

hostile_outcomes <- function(group) {
  progress <- tempfile()
  on.exit(unlink(progress))
  tryCatch(
    callr::r(run_hostile_cases,
             args = list(group = group, engine = engine_path(), project = project_path(),
                         progress = progress, hostile_objects = hostile_objects,
                         controls = sim_controls_file()),
             libpath = .libPaths(), timeout = 900),
    error = function(e) {
      last <- if (file.exists(progress)) tail(readLines(progress), 1) else "before any case"
      stop(sprintf("the process died at %s: %s", last, conditionMessage(e)), call. = FALSE)
    }
  )
}

# The calls that go through for some hostile objects, and what they give.
# Every other case must be an R error with a message.
expected_results <- function(objects) {
  # A path longer than the system takes is an error, not a FALSE.
  paths <- c("na_character", "utf8", "latin1")
  path_commands <- c("LoadTavik(x)", "OpenProject(x)", "LoadTavikAndOpenProject(x, project)",
                     "LoadTavikAndOpenProject(engine, x)", "TestLoadedApi(x)")
  # R makes these a one-column data frame of a number for the scalar.
  scalars <- c("na", "na_integer", "na_real", "na_complex", "inf", "nan")
  # Well-formed frames: no row empties Capacity, the last of duplicated
  # tuples wins, Inf and NaN become integer NA.
  frames <- c("frame_no_rows", "frame_duplicates", "frame_inf_nan")
  rbind(
    # A string that names no loadable library or project: the commands' FALSE.
    expand.grid(call = path_commands, object = paths, result = "FALSE", stringsAsFactors = FALSE),
    # No file has that name.
    expand.grid(call = "tavik_library_loads(x)", object = c(paths[-1], "long_string"),
                result = "FALSE", stringsAsFactors = FALSE),
    expand.grid(call = 'SetData(x, "Discount", 0)', object = scalars, result = "value",
                stringsAsFactors = FALSE),
    # The R function refuses NA, NaN and complex values.
    data.frame(call = 'tavik_write(x, "Discount")', object = "inf", result = "value"),
    # The entry point takes a factor's first code; the R function refuses
    # anything longer than one value.
    data.frame(call = 'SetData(x, "Discount", 0)', object = "factor_na_level", result = "value"),
    expand.grid(call = 'SetData(x, "Capacity", 0)', object = frames, result = "value",
                stringsAsFactors = FALSE),
    # The R function refuses Inf and NaN for integers.
    expand.grid(call = 'tavik_write(x, "Capacity")', object = c("frame_no_rows", "frame_duplicates"),
                result = "value", stringsAsFactors = FALSE)
    # with_tavik_project() and local_tavik_project() refuse in every case:
    # each case starts with a project open, which they leave alone.
  )
}

written <- function(capacity = NULL, discount = 0.05) {
  if (is.null(capacity)) capacity <- c(500L, 350L, 420L)
  paste(deparse(list(Capacity = capacity, Discount = discount)), collapse = "")
}

expect_hostile_outcomes <- function(group) {
  outcomes <- hostile_outcomes(group)
  objects <- unique(outcomes$object)
  expect_identical(nrow(outcomes), length(group) * length(objects))
  expected <- merge(outcomes, expected_results(objects), by = c("call", "object"), all.x = TRUE,
                    suffixes = c("", "_expected"))
  expected$result_expected[is.na(expected$result_expected)] <- "error"
  differ <- expected[expected$result != expected$result_expected, ]
  expect_identical(sprintf("%s with %s: %s %s", differ$call, differ$object, differ$result,
                           differ$message), character())

  errors <- outcomes[outcomes$result == "error", ]
  unclear <- errors[!nzchar(errors$message) | grepl("unknown reason", errors$message), ]
  expect_identical(sprintf("%s with %s", unclear$call, unclear$object), character())
  changed <- errors[!errors$kept, ]
  expect_identical(sprintf("%s with %s changed the engine's data", changed$call, changed$object),
                   character())
  outcomes
}

test_that("the entry points refuse hostile objects or give their expected result", {
  outcomes <- expect_hostile_outcomes(1:11)
  writes <- outcomes[outcomes$result == "value", ]
  expect_identical(setNames(writes$written, writes$object), c(
    frame_no_rows = written(integer()), frame_duplicates = written(2L),
    frame_inf_nan = written(c(NA_integer_, NA_integer_)),
    na = written(discount = NA_real_), na_integer = written(discount = NA_real_),
    na_real = written(discount = NA_real_), na_complex = written(discount = NA_real_),
    factor_na_level = written(discount = 1), inf = written(discount = Inf),
    nan = written(discount = NaN)
  ))
})

test_that("the exported functions refuse hostile objects or give their expected result", {
  expect_hostile_outcomes(12:30)
})
