// The engine's exported entry points, from the package's one list of them.
#ifndef TAVIK_SIM_ENTRYPOINTS_H
#define TAVIK_SIM_ENTRYPOINTS_H

#include <type_traits>

#include "engine/TavikContract.h"
#include "simengine/SimExport.h"

// Every entry point of the list, exported with the contract's type: a
// definition that doesn't match its declaration here fails to compile.
extern "C" {
#define TAVIK_SIM_DECLARE(Accessor, Export, Bytes, Use, Parameters, Arguments) \
  TAVIK_SIM_EXPORT int TAVIK_CALL Export Parameters;
TAVIK_ENTRY_POINTS(TAVIK_SIM_DECLARE)
#undef TAVIK_SIM_DECLARE
}

#define TAVIK_SIM_SAME_TYPE(Accessor, Export, Bytes, Use, Parameters, \
                            Arguments)                                \
  static_assert(std::is_same<decltype(&Export), Export##Fn>::value, #Export);
TAVIK_ENTRY_POINTS(TAVIK_SIM_SAME_TYPE)
#undef TAVIK_SIM_SAME_TYPE

#endif
