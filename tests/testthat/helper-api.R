# A file that exists but is not a shared library.
not_a_library <- function() {
  path <- file.path(tempdir(), "not-a-library.dll")
  if (!file.exists(path)) writeLines("not a library", path)
  path
}
