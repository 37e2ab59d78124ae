// The engine as the baselines reach it: dlopen() of the installed library
// with RTLD_NOLOAD, which hands back the very instance the package has
// loaded, open project included, and its entry points by name.
#ifndef TAVIK4R_BENCH_ENGINE_H
#define TAVIK4R_BENCH_ENGINE_H

#include <R.h>
#include <Rinternals.h>

#include <string>

#include "engine/TavikContract.h"

namespace bench {

struct Engine {
  void* library = nullptr;
  TavikIdentifierHandleCreateWFn create = nullptr;
  TavikIdentifierHandleDeleteFn remove = nullptr;
  TavikAttributeDimensionFn dimension = nullptr;
  TavikAttributeStorageFn storage = nullptr;
  TavikAttributeDeclarationDomainFn domain = nullptr;
  TavikAttributeElementRangeFn range = nullptr;
  TavikAttributeNameWFn name = nullptr;
  TavikValueCardFn card = nullptr;
  TavikSetOrdinalToElementFn element = nullptr;
  TavikSetElementToNameWFn label = nullptr;
  TavikValueResetHandleFn reset = nullptr;
  TavikValueNextWFn next = nullptr;
  TavikValueAssignWFn assign = nullptr;
  TavikIdentifierEmptyFn empty = nullptr;

  // Opens the engine library at path (a character vector) and resolves
  // every entry point; an R error when it is not loaded.
  explicit Engine(SEXP path);
  // Closed again after each baseline, so the package alone decides when
  // the library is unloaded (closing a project reloads it).
  ~Engine();
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  int handleOf(SEXP identifier);
  int dimensionOf(int handle);
  // Storage codes of the engine: double 1, integer 2, string 4, element 5.
  int storageOf(int handle);
  std::string nameOf(int handle);
};

std::string narrow(const wchar_t* text);

}  // namespace bench

#endif
