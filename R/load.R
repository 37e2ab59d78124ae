#' Load the Tavik engine library
#'
#' Loads the engine's run-time library into the R process and makes it the
#' engine that [tavik_open()], [tavik_read()] and [tavik_write()] work with.
#' Loading an engine while a project is open closes that project first.
#'
#' The library is tested before the current engine is touched, so a file
#' that cannot be loaded, or that is not an engine library, leaves a loaded
#' engine and its open project as they were. A library that does not export
#' every engine entry point the package calls is refused, with the missing
#' ones named.
#'
#' @param library Path of the engine library file (`libtavik3.dll`). Use
#'   [tavik_example_engine()] for the simulated engine shipped with the
#'   package.
#' @return `TRUE`, invisibly. Failures are errors: `tavik_library_not_found`
#'   when the file does not exist, `tavik_library_load_error` when the system
#'   cannot load it or it lacks engine entry points (its `reason` field holds
#'   the system's own text or names the entry points, which are also in its
#'   `missing` field). Both also have the class `tavik_error`.
#' @seealso [tavik_library_loads()] to test a file without loading it,
#'   [tavik_load_and_open()].
#' @export
#' @examples
#' tavik_load(tavik_example_engine())
#'
#' # A file that is not a shared library gives an error with the reason:
#' not_a_library <- tempfile(fileext = ".dll")
#' writeLines("text", not_a_library)
#' try(tavik_load(not_a_library))
#' unlink(not_a_library)
tavik_load <- function(library) {
  path <- existing_library(library)
  check_engine_library(path)
  if (!.Call(tavik4r_LoadTavik, path)) {
    abort_library_load(path, "the engine library could not be set up.")
  }
  invisible(TRUE)
}

#' Test whether an engine library file can be loaded
#'
#' Loads the library file and unloads it again, without changing the engine
#' in use or its open project.
#'
#' @inheritParams tavik_load
#' @return `TRUE` if the file loads and exports the engine's entry points,
#'   `FALSE` otherwise (also for a file that does not exist). Call
#'   [tavik_load()] to learn why a file does not load.
#' @export
#' @examples
#' tavik_library_loads(tavik_example_engine())
#' tavik_library_loads(file.path(tempdir(), "no-such-library.dll"))
tavik_library_loads <- function(library) {
  check_string(library, "library")
  if (!file.exists(library)) {
    return(FALSE)
  }
  path <- normalizePath(library)
  isTRUE(.Call(tavik4r_TestLoadedApi, path)) &&
    identical(.Call(tavik4r_MissingEntryPoints, path), character())
}

# An error unless the library at `path` loads and exports every engine entry
# point the package calls.
check_engine_library <- function(path) {
  reason <- library_load_error(path)
  if (nzchar(reason)) {
    abort_library_load(path, reason)
  }
  missing <- .Call(tavik4r_MissingEntryPoints, path)
  if (is.null(missing)) {
    abort_library_load(path, "the library could not be loaded to look up its entry points.")
  }
  if (length(missing)) {
    shown <- if (length(missing) > 6L) {
      sprintf("%s and %d more (all in the error's field `missing`)",
              paste(missing[1:5], collapse = ", "), length(missing) - 5L)
    } else {
      paste(missing, collapse = ", ")
    }
    abort_library_load(
      path,
      sprintf("it is not a Tavik engine library: it lacks the engine entry point%s %s.",
              if (length(missing) == 1L) "" else "s", shown),
      missing = missing
    )
  }
  invisible(path)
}

# The absolute path of an existing library file, or an error saying what to
# do. An absolute path keeps the system from searching its library path.
existing_library <- function(library) {
  check_string(library, "library")
  if (!file.exists(library) || dir.exists(library)) {
    tavik_abort(
      sprintf(
        paste0(
          "Can't find the engine library '%s'.\n",
          "Give the path of libtavik3.dll, or tavik_example_engine() for the simulated engine."
        ),
        library
      ),
      "tavik_library_not_found",
      path = library
    )
  }
  normalizePath(library)
}

abort_library_load <- function(path, reason, missing = character()) {
  tavik_abort(
    sprintf(
      paste0(
        "Can't load the engine library '%s'.\n",
        "Reason: %s\n",
        "Check that the file is a Tavik engine library built for this platform ",
        "and that the libraries it needs sit in its folder."
      ),
      path, reason
    ),
    "tavik_library_load_error",
    path = path,
    reason = reason,
    missing = missing
  )
}
