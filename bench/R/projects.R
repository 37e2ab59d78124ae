# Benchmark projects for the simulated engine: every case over a first set
# of rows / 1000 labels and a second set of 1000 labels (1000 integers for
# the integer-set case), all tuples stored. The string case holds a distinct
# text of 22 characters, one of them outside ASCII, in every tuple.
bench_cases <- data.frame(
  case = c("double", "integer_set", "string", "element"),
  source = c("Cost", "Count", "Label", "Assign"),
  target = c("Target", "TargetCount", "TargetLabel", "TargetAssign"),
  stringsAsFactors = FALSE
)

write_bench_project <- function(rows, folder = tempdir()) {
  path <- file.path(folder, sprintf("bench-%d.tvp", as.integer(rows)))
  first <- max(1L, as.integer(rows / 1000))
  writeLines(c(
    sprintf("set I = { i1..i%d }", first),
    "set J = { j1..j1000 }",
    "set T subset of Integers = { 1..1000 }",
    "parameter Cost(I, J)",
    "generate Cost seed=1",
    "parameter Count(I, T) integer",
    "generate Count seed=2",
    "string parameter Label(I, J)",
    "generate Label seed=3",
    "element parameter Assign(I, J) in J",
    "generate Assign seed=4",
    "parameter Target(I, J)",
    "parameter TargetCount(I, T) integer",
    "string parameter TargetLabel(I, J)",
    "element parameter TargetAssign(I, J) in J",
    "parameter Warm(I, J) = { i1, j1 : 1 }"
  ), path)
  path
}

# Opens a benchmark project and gives every tuple of the string case its own
# text ("W\u00e4rme-" and 16 digits): the generator's texts repeat.
open_bench_project <- function(engine, rows) {
  tavik_load_and_open(engine, write_bench_project(rows))
  data <- tavik_read("Label")
  data$Label <- sprintf("W\u00e4rme-%016d", seq_len(nrow(data)))
  tavik_write(data, "Label")
  invisible(TRUE)
}
