loader_call <- function(loader, operation, path = NULL) {
  test_hook("tavik4r_test_loader_call", loader, operation, path)
}

test_that("a fresh loader resolves nothing and unloads trivially", {
  loader <- test_hook("tavik4r_test_loader_new")
  expect_equal(loader_call(loader, "resolve"), rep(FALSE, 26))
  expect_true(loader_call(loader, "unload"))
  expect_identical(loader_call(loader, "last_error"), "")
})

test_that("the name table holds the 26 entry points and their argument bytes", {
  table <- loader_call(test_hook("tavik4r_test_loader_new"), "names")
  expect_length(table$name, 26)
  expect_equal(table$name[c(1, 8, 10, 26)],
               c("TavikServerProjectOpenW", "TavikValueResetHandle",
                 "TavikAPILastErrorW", "TavikSetAddElementRecursiveW"))
  expect_equal(table$offset[c(1, 3, 8, 11, 22)], c(8, 16, 4, 20, 16))
})

test_that("decorated export names carry the argument bytes", {
  expect_identical(test_hook("tavik4r_test_decorated_name", "TavikValueResetHandle", 4L),
                   "_TavikValueResetHandle@4")
  expect_identical(test_hook("tavik4r_test_decorated_name", "TavikValueCard", 8L),
                   "_TavikValueCard@8")
})

test_that("load failures keep the path and the system's reason", {
  loader <- test_hook("tavik4r_test_loader_new")
  missing <- file.path(tempdir(), "nowhere", "libtavik3.dll")
  expect_false(loader_call(loader, "load", missing))
  expect_match(loader_call(loader, "last_error"),
               paste0("^Couldn't load library", missing, "\\. Exit with [0-9]+: .*No such file"))

  expect_false(loader_call(loader, "load", ""))
  expect_match(loader_call(loader, "last_error"), "^Couldn't load library\\. Exit with [0-9]+: ")

  not_a_library <- tempfile(fileext = ".dll")
  writeLines("not a shared object", not_a_library)
  expect_false(loader_call(loader, "load", not_a_library))
  expect_match(loader_call(loader, "last_error"), "Exit with [0-9]+: .*(invalid ELF header|too short)")
  expect_equal(loader_call(loader, "resolve"), rep(FALSE, 26))
})

test_that("a loaded engine resolves every entry point and keeps an old failure text", {
  loader <- test_hook("tavik4r_test_loader_new")
  expect_false(loader_call(loader, "load", file.path(tempdir(), "missing.dll")))
  old_error <- loader_call(loader, "last_error")
  expect_true(loader_call(loader, "load", engine_path()))
  expect_equal(loader_call(loader, "cached"), rep(FALSE, 26))
  expect_equal(loader_call(loader, "resolve"), rep(TRUE, 26))
  expect_equal(loader_call(loader, "cached"), rep(TRUE, 26))
  expect_identical(loader_call(loader, "last_error"), old_error)
})

test_that("loading another path forgets every resolved address", {
  copy_dir <- tempfile("engine-copy")
  dir.create(copy_dir)
  copy <- file.path(copy_dir, "libtavik3.dll")
  file.copy(engine_path(), copy)
  loader <- test_hook("tavik4r_test_loader_new")
  expect_true(loader_call(loader, "load", engine_path()))
  loader_call(loader, "resolve")
  expect_true(loader_call(loader, "load", copy))
  expect_equal(loader_call(loader, "cached"), rep(FALSE, 26))
  expect_true(all(loader_call(loader, "resolve")))
  expect_true(loader_call(loader, "unload"))
  expect_equal(loader_call(loader, "resolve"), rep(FALSE, 26))
})

test_that("Reload after a failed load retries that path", {
  dir <- tempfile("engine-later")
  dir.create(dir)
  later <- file.path(dir, "libtavik3.dll")
  loader <- test_hook("tavik4r_test_loader_new")
  expect_false(loader_call(loader, "load", later))
  expect_false(loader_call(loader, "reload"))
  file.copy(engine_path(), later)
  expect_true(loader_call(loader, "reload"))
  expect_true(all(loader_call(loader, "resolve")))
})

test_that("an entry point the library lacks is null on every call, the rest resolve", {
  fixture <- engine_without_value_card()
  skip_if(fixture == "", "engine fixture without TavikValueCard not installed")
  loader <- test_hook("tavik4r_test_loader_new")
  expect_true(loader_call(loader, "load", fixture))
  expected <- rep(TRUE, 26)
  expected[6] <- FALSE
  expect_equal(loader_call(loader, "resolve"), expected)
  expect_equal(loader_call(loader, "resolve"), expected)
})
