// Marks the symbols the engine library exports. Everything else stays hidden
// (the library is built with -fvisibility=hidden). Windows builds list the
// exports in a .def file, so the macro is empty there.
#ifndef TAVIK_SIM_SIMEXPORT_H
#define TAVIK_SIM_SIMEXPORT_H

#if defined(_WIN32)
#define TAVIK_SIM_EXPORT
#else
#define TAVIK_SIM_EXPORT __attribute__((visibility("default")))
#endif

#endif
