library(testthat)
library(tavik4r)

test_check("tavik4r")
