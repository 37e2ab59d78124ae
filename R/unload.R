# The engine state goes with the package library: cached sets give their
# engine handles back and the engine library is released. R does not look
# up an R_unload_ routine when dynamic symbols are off, hence this hook.
.onUnload <- function(libpath) {
  .Call(tavik4r_ReleaseEngineState)
  library.dynam.unload("tavik4r", libpath)
}
