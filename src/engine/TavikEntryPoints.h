// The one list of the engine library's entry points. Everything that names
// them (function types, the loader's table and accessors, the API interface
// and its forwarders, the simulated engine) is made from this list, so an
// entry point is added or changed here, in one line.
//
// X(Accessor, Export, Bytes, Use, Parameters, Arguments):
//   Accessor    the operation's name in the loader and the API
//   Export      the name the library exports (decorated "_Export@Bytes" on
//               32-bit Windows)
//   Bytes       the bytes of its arguments, 4 per argument
//   Use         CALL when the package calls it, NEVER when it only knows
//               it, RELOAD for the project close, after which the API
//               loads the library again
//   Parameters  its parameter list; every entry point returns an int,
//               non-zero for success
//   Arguments   the same names, to pass them on
//
// Plain C preprocessor, no R: the simulated engine and the Windows checks
// use it too.
#ifndef TAVIK4R_ENGINE_TAVIKENTRYPOINTS_H
#define TAVIK4R_ENGINE_TAVIKENTRYPOINTS_H

// clang-format off
#define TAVIK_ENTRY_POINTS(X)                                                           \
  X(ProjectOpen, TavikServerProjectOpenW, 8, CALL,                                      \
    (wchar_t* path, int* handle), (path, handle))                                       \
  X(ProjectClose, TavikProjectClose, 8, RELOAD, (int handle, int flag), (handle, flag)) \
  X(ProcedureHandleCreateA, TavikProcedureHandleCreateA, 16, NEVER,                     \
    (char* name, int* handle, int* argc, int* argv), (name, handle, argc, argv))        \
  X(ProcedureArgumentHandleCreate, TavikProcedureArgumentHandleCreate, 12, NEVER,       \
    (int procedure, int argument, int* handle), (procedure, argument, handle))          \
  X(AttributeNameW, TavikAttributeNameW, 8, CALL,                                       \
    (int handle, tagTavikStringW* name), (handle, name))                                \
  X(ValueCard, TavikValueCard, 8, CALL, (int set, int* count), (set, count))            \
  X(AttributeDimension, TavikAttributeDimension, 12, CALL,                              \
    (int handle, int* full, int* sliced), (handle, full, sliced))                       \
  X(ValueResetHandle, TavikValueResetHandle, 4, CALL, (int handle), (handle))           \
  X(ValueNextW, TavikValueNextW, 12, CALL,                                              \
    (int handle, int* tuple, tagTavikValueW* value), (handle, tuple, value))            \
  X(APILastError, TavikAPILastErrorW, 8, CALL,                                          \
    (int* code, wchar_t* message), (code, message))                                     \
  X(IdentifierHandleCreateW, TavikIdentifierHandleCreateW, 20, CALL,                    \
    (wchar_t* name, int* domain, int* slicing, int flags, int* handle),                 \
    (name, domain, slicing, flags, handle))                                             \
  X(AttributeDeclarationDomain, TavikAttributeDeclarationDomain, 8, CALL,               \
    (int handle, int* domain), (handle, domain))                                        \
  X(SetOrdinalToElement, TavikSetOrdinalToElement, 12, CALL,                            \
    (int set, int ordinal, int* element), (set, ordinal, element))                      \
  X(SetElementToNameW, TavikSetElementToNameW, 12, CALL,                                \
    (int set, int element, tagTavikStringW* name), (set, element, name))                \
  X(AttributeRootDomain, TavikAttributeRootDomain, 8, CALL,                             \
    (int handle, int* root), (handle, root))                                            \
  X(AttributeStorage, TavikAttributeStorage, 8, CALL,                                   \
    (int handle, int* storage), (handle, storage))                                      \
  X(AttributeType, TavikAttributeType, 8, CALL, (int handle, int* type), (handle, type))\
  X(IdentifierHandleDelete, TavikIdentifierHandleDelete, 4, CALL, (int handle), (handle))\
  X(AttributeElementRange, TavikAttributeElementRange, 8, CALL,                         \
    (int handle, int* range), (handle, range))                                          \
  X(ValueRetrieveW, TavikValueRetrieveW, 12, CALL,                                      \
    (int handle, int* tuple, tagTavikValueW* value), (handle, tuple, value))            \
  X(ValueRetrieve, TavikValueRetrieve, 12, NEVER,                                       \
    (int handle, int* tuple, tagTavikValue* value), (handle, tuple, value))             \
  X(ValueNextMultiW, TavikValueNextMultiW, 16, NEVER,                                   \
    (int handle, int* count, int* tuples, tagTavikValueW* values),                      \
    (handle, count, tuples, values))                                                    \
  X(ValueAssignW, TavikValueAssignW, 12, CALL,                                          \
    (int handle, int* tuple, tagTavikValueW* value), (handle, tuple, value))            \
  X(ValueAssignA, TavikValueAssignA, 12, NEVER,                                         \
    (int handle, int* tuple, tagTavikValue* value), (handle, tuple, value))             \
  X(IdentifierEmpty, TavikIdentifierEmpty, 4, CALL, (int handle), (handle))             \
  X(SetAddElement, TavikSetAddElementRecursiveW, 12, CALL,                              \
    (int set, wchar_t* label, int* element), (set, label, element))
// clang-format on

#endif
