# The project the soak drives and the data it starts from. The project file
# is written from these definitions, so the reference and the engine begin
# with the same data: label sets (labels that need quoting, non-ASCII
# labels), a subset of one of them, an integer set, an index, one set used
# twice, and parameters and variables of every value kind over one and two
# sets, plus a scalar of each kind.

soak_sets <- function() {
  list(
    Plants = list(type = "root", labels = c("Amsterdam", "Berlin", "New York", "Z\u00fcrich")),
    Markets = list(type = "root", labels = c("m1", "m2", "m3")),
    Coastal = list(type = "subset", root = "Plants", members = c("Amsterdam", "New York")),
    Years = list(type = "int", members = 2024:2026)
  )
}

# value: double, integer, string or element (with range, the set of its
# values). decl is the declaration as the project file has it.
soak_identifiers <- function() {
  table <- function(decl, dims, value, range = NULL, data) {
    list(decl = decl, dims = dims, value = value, range = range, data = data)
  }
  scalar <- function(decl, value, range = NULL, data) {
    list(decl = decl, dims = character(), value = value, range = range, data = data)
  }
  rows <- function(...) {
    data.frame(..., stringsAsFactors = FALSE, check.names = FALSE)
  }
  list(
    Cost = table("parameter Cost(p, Markets)", c("Plants", "Markets"), "double",
                 data = rows(k1 = c("Amsterdam", "Berlin", "New York", "Z\u00fcrich"),
                             k2 = c("m1", "m3", "m2", "m1"), v = c(2.5, 4, 0.125, -3))),
    Flow = table("parameter Flow(Plants, Plants)", c("Plants", "Plants"), "double",
                 data = rows(k1 = c("Berlin", "Amsterdam", "Z\u00fcrich"),
                             k2 = c("Amsterdam", "Amsterdam", "Berlin"), v = c(1, 2.25, 7))),
    Capacity = table("parameter Capacity(Plants) integer", "Plants", "integer",
                     data = rows(k1 = c("Amsterdam", "Berlin", "New York"),
                                 v = c(500L, 350L, -20L))),
    Demand = table("parameter Demand(Markets, Years)", c("Markets", "Years"), "double",
                   data = rows(k1 = c("m1", "m2", "m3"), k2 = c(2025L, 2024L, 2026L),
                               v = c(3, 1.5, 8))),
    Manager = table("string parameter Manager(Plants)", "Plants", "string",
                    data = rows(k1 = c("Berlin", "Z\u00fcrich"),
                                v = c("B. Schmidt", "Gr\u00fcezi \"mitenand\""))),
    Note = table("parameter Note(Markets, Years) string", c("Markets", "Years"), "string",
                 data = rows(k1 = character(), k2 = integer(), v = character())),
    Supplier = table("element parameter Supplier(Markets) in Plants", "Markets", "element",
                     range = "Plants",
                     data = rows(k1 = c("m1", "m3"), v = c("Berlin", "New York"))),
    Route = table("element variable Route(Plants, Markets) in Markets", c("Plants", "Markets"),
                  "element", range = "Markets",
                  data = rows(k1 = c("Berlin", "Amsterdam"), k2 = c("m1", "m3"),
                              v = c("m2", "m3"))),
    FirstYear = table("element parameter FirstYear(Markets) in Years", "Markets", "element",
                      range = "Years", data = rows(k1 = "m2", v = 2026L)),
    Depth = table("parameter Depth(Coastal)", "Coastal", "double",
                  data = rows(k1 = "Amsterdam", v = 1.5)),
    Ship = table("variable Ship(Coastal, Years) integer", c("Coastal", "Years"), "integer",
                 data = rows(k1 = "New York", k2 = 2024L, v = 12L)),
    Count = table("parameter Count(Years) integer", "Years", "integer",
                  data = rows(k1 = integer(), v = integer())),
    Rate = scalar("parameter Rate", "double", data = 0.5),
    Steps = scalar("parameter Steps integer", "integer", data = 3L),
    Title = scalar("string parameter Title", "string", data = "soak"),
    Hub = scalar("element parameter Hub in Plants", "element", "Plants", data = "Berlin"),
    StartYear = scalar("element parameter StartYear in Years", "element", "Years", data = 2025L),
    NoHub = scalar("element parameter NoHub in Markets", "element", "Markets",
                   data = NA_character_)
  )
}

# One parameter over each set, which only the check writes: a write of
# every label the reference has for the set and a read of it show the
# engine's labels in the engine's order; a write of a label the reference
# lacks must be refused.
soak_probes <- c(Plants = "ProbePlants", Markets = "ProbeMarkets", Coastal = "ProbeCoastal",
                 Years = "ProbeYears")

# The project file's text, in UTF-8.
soak_project_lines <- function(sets = soak_sets(), identifiers = soak_identifiers()) {
  quote <- function(x) {
    x <- gsub("\\", "\\\\", x, fixed = TRUE)
    paste0("\"", gsub("\"", "\\\"", x, fixed = TRUE), "\"")
  }
  cell <- function(x) if (is.character(x)) quote(x) else as.character(x)
  lines <- "# Written by tools/soak; the soak's reference starts from this data."
  for (name in names(sets)) {
    set <- sets[[name]]
    items <- switch(set$type, root = quote(set$labels), subset = quote(set$members),
                    int = as.character(set$members))
    head <- switch(set$type, root = name, subset = paste(name, "subset of", set$root),
                   int = paste(name, "subset of Integers"))
    lines <- c(lines, sprintf("set %s = { %s }", head, paste(items, collapse = ", ")))
  }
  lines <- c(lines, "index p in Plants",
             sprintf("parameter %s(%s)", soak_probes, names(soak_probes)))
  for (id in names(identifiers)) {
    meta <- identifiers[[id]]
    data <- meta$data
    if (length(meta$dims) == 0L) {
      lines <- c(lines, if (is.na(data)) meta$decl else paste(meta$decl, "=", cell(data)))
      next
    }
    lines <- c(lines, paste(meta$decl, "= {"))
    for (r in seq_len(nrow(data))) {
      keys <- vapply(seq_along(meta$dims), function(k) cell(data[[k]][[r]]), "")
      lines <- c(lines, sprintf("  %s : %s", paste(keys, collapse = ", "), cell(data$v[[r]])))
    }
    lines <- c(lines, "}")
  }
  enc2utf8(lines)
}

soak_write_project <- function(path) {
  con <- file(path, open = "wb")
  on.exit(close(con))
  writeLines(soak_project_lines(), con, useBytes = TRUE)
  invisible(path)
}
