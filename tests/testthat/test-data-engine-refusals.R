# Engine refusals during the data commands become TavikExceptions: with the
# engine's own text when it has one, else naming the failing operation.

test_that("each refused engine call names its operation", {
  cases <- list(
    list("TavikIdentifierHandleCreateW", 1L, "Cost", "TavikSpace::createMultiDimIdentifier"),
    list("TavikAttributeNameW", 1L, "Cost", "TavikSpace::getAttributeName"),
    list("TavikAttributeType", 1L, "Cost", "TavikSpace::getAttributeType"),
    list("TavikAttributeStorage", 1L, "Cost", "TavikSpace::getStorageDataType"),
    list("TavikAttributeDimension", 1L, "Cost", "TavikSpace::getAttributeDimension"),
    list("TavikAttributeDeclarationDomain", 1L, "Cost",
         "TavikSpace::getAttributeDeclarationDomain"),
    list("TavikAttributeRootDomain", 1L, "Demand", "TavikSpace::getAttributeRootDomain"),
    list("TavikAttributeElementRange", 1L, "PreferredPlant",
         "TavikSpace::getAttributeElementRange"),
    list("TavikValueCard", 1L, "Cost", "SetIdentifier::ctor::ValueCard"),
    list("TavikSetOrdinalToElement", 1L, "Cost", "SetIdentifier::ctor::SetOrdinalToElement"),
    list("TavikValueResetHandle", 1L, "Cost", "MultiDimIdentifier::storeTo"),
    list("TavikValueRetrieveW", 1L, "Discount", "MultiDimIdentifier::storeScalarTo"),
    list("TavikIdentifierEmpty", 1L, "Cost", "MultiDimIdentifier::loadFrom::IdentifierEmpty"),
    list("TavikValueAssignW", 2L, "Cost", "MultiDimIdentifier::loadFrom::assignTavikValue",
         "The engine refused the write of Cost (%s); its previous data is restored (6 values)."),
    list("TavikValueAssignW", 1L, "Discount", "MultiDimIdentifier::loadScalarFrom",
         "The engine refused the write of Discount (%s); its previous data is restored (1 value).")
  )
  for (case in cases) {
    open_project()
    # Reading first fills the set cache, so a write meets only its own calls.
    data <- if (grepl("load", case[[4]])) get_data(case[[3]])
    sim_switch("silent_last_error")
    sim_fault(case[[1]], nth = case[[2]])
    refused <- condition_of(if (is.null(data)) get_data(case[[3]]) else set_data(data, case[[3]]))
    expect_s3_class(refused, "Tavik::TavikException")
    expected <- paste0("[", case[[4]], "]::unknown tavikerror")
    if (length(case) == 5L) expected <- sprintf(case[[5]], expected)
    expect_identical(conditionMessage(refused), expected, label = case[[1]])
  }
})

test_that("the engine's own error text wins over the operation's name", {
  open_project()
  sim_fault("TavikValueRetrieveW", nth = 1L, code = 12L, text = "busy")
  expect_error(get_data("Discount"), "tavikerror 12: busy", fixed = TRUE,
               class = "Tavik::TavikException")
  expect_identical(get_data("Discount"), 0.05)
})

close_project()
