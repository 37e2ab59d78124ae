// Marks the symbols the engine library exports. Everything else stays hidden
// (the library is built with -fvisibility=hidden). On 64-bit Windows the
// marked names are the DLL's export table; 32-bit Windows builds list the
// decorated stdcall exports in a .def file instead, so the macro is empty
// there.
#ifndef TAVIK_SIM_SIMEXPORT_H
#define TAVIK_SIM_SIMEXPORT_H

#if defined(_WIN32) && (defined(_M_IX86) || defined(__i386__))
#define TAVIK_SIM_EXPORT
#elif defined(_WIN32)
#define TAVIK_SIM_EXPORT __declspec(dllexport)
#else
#define TAVIK_SIM_EXPORT __attribute__((visibility("default")))
#endif

#endif
