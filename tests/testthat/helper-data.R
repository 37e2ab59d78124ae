# The data commands through their entry points, against the simulated engine.
get_data <- function(identifier) {
  .Call("tavik4r_GetData", identifier, PACKAGE = "tavik4r")
}

set_data <- function(data, identifier, mode = 0L) {
  invisible(.Call("tavik4r_SetData", data, identifier, mode, PACKAGE = "tavik4r"))
}

# A fresh copy of a project, with no fault or switch left from earlier tests.
open_project <- function(path = project_path()) {
  sim_reset()
  opened <- .Call("tavik4r_LoadTavikAndOpenProject", engine_path(), path,
                  PACKAGE = "tavik4r")
  stopifnot(isTRUE(opened))
  invisible(path)
}

# A small project beside the example: two dimensions over one set, an
# integer set with negative numbers, a label outside ASCII and generated
# data of 1e4 and 1e5 tuples.
extra_project <- function() {
  path <- file.path(tempdir(), "extra.tvp")
  if (!file.exists(path)) {
    text <- c(
      "set Nodes = { n1, n2, n3 }",
      "set Levels subset of Integers = { -2, -1, 0, 1, 2 }",
      "set Cities = { \"Z\u00fcrich\", Basel }",
      "set A = { a1..a100 }",
      "set B = { b1..b1000 }",
      "parameter Distance(Nodes, Nodes) = {", "  n1, n2 : 4", "  n2, n1 : 5", "}",
      "element parameter Depth(Nodes) in Levels = { n1 : -1, n3 : 2 }",
      "parameter Weight(Levels) = { -2 : 0.5, 1 : 1.5 }",
      "parameter Population(Cities) integer = { \"Z\u00fcrich\" : 400, Basel : 170 }",
      "parameter Small(A, B)",
      "generate Small density=0.1 seed=1",
      "parameter Big(A, B)",
      "generate Big density=1 seed=2"
    )
    writeLines(enc2utf8(text), path, useBytes = TRUE)
  }
  path
}

# The condition a call raises, for checks of its class and message together.
condition_of <- function(expr) {
  tryCatch({
    expr
    NULL
  }, error = function(e) e)
}

close_project <- function() {
  sim_reset()
  invisible(.Call("tavik4r_CloseProject", PACKAGE = "tavik4r"))
}

# A project for the data-fidelity checks: string values over a label set,
# empty sets of both kinds, and element scalars without an element.
fidelity_project <- function() {
  path <- file.path(tempdir(), "fidelity.tvp")
  if (!file.exists(path)) {
    writeLines(c(
      "set Items = { i1, i2 }",
      "set Sub subset of Items = { i1 }",
      "parameter OnSub(Sub)",
      "set Empty = { }",
      "set Years subset of Integers = { 2024..2026 }",
      "set NoYears subset of Integers = { }",
      "string parameter Memo(Items)",
      "parameter Weights(Empty, Items)",
      "parameter ByYear(NoYears)",
      "string parameter Title = \"x\"",
      "element parameter NoHub in Items",
      "element parameter NoYear in Years"
    ), path)
  }
  path
}
