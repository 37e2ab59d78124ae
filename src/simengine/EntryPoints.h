// The engine's exported entry points. Each one must match the contract's
// function type exactly; the checks below catch any drift at compile time.
#ifndef TAVIK_SIM_ENTRYPOINTS_H
#define TAVIK_SIM_ENTRYPOINTS_H

#include <type_traits>

#include "engine/TavikContract.h"
#include "simengine/SimExport.h"

extern "C" {
TAVIK_SIM_EXPORT int TAVIK_CALL TavikServerProjectOpenW(wchar_t* path, int* handle);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikProjectClose(int handle, int flag);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikProcedureHandleCreateA(char* name, int* handle,
                                                            int* argc, int* argv);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikProcedureArgumentHandleCreate(int procedure,
                                                                   int argument,
                                                                   int* handle);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikAttributeNameW(int handle, tagTavikStringW* name);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikValueCard(int set, int* count);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikAttributeDimension(int handle, int* full,
                                                        int* sliced);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikValueResetHandle(int handle);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikValueNextW(int handle, int* tuple,
                                                tagTavikValueW* value);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikAPILastErrorW(int* code, wchar_t* message);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikIdentifierHandleCreateW(wchar_t* name,
                                                             int* domain,
                                                             int* slicing,
                                                             int flags,
                                                             int* handle);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikAttributeDeclarationDomain(int handle,
                                                                int* domain);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikSetOrdinalToElement(int set, int ordinal,
                                                         int* element);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikSetElementToNameW(int set, int element,
                                                       tagTavikStringW* name);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikAttributeRootDomain(int handle, int* root);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikAttributeStorage(int handle, int* storage);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikAttributeType(int handle, int* type);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikIdentifierHandleDelete(int handle);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikAttributeElementRange(int handle, int* range);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikValueRetrieveW(int handle, int* tuple,
                                                    tagTavikValueW* value);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikValueRetrieve(int handle, int* tuple,
                                                   tagTavikValue* value);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikValueNextMultiW(int handle, int* count,
                                                     int* tuples,
                                                     tagTavikValueW* values);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikValueAssignW(int handle, int* tuple,
                                                  tagTavikValueW* value);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikValueAssignA(int handle, int* tuple,
                                                  tagTavikValue* value);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikIdentifierEmpty(int handle);
TAVIK_SIM_EXPORT int TAVIK_CALL TavikSetAddElementRecursiveW(int set, wchar_t* label,
                                                             int* element);
}

#define TAVIK_SIM_SAME_TYPE(name) \
  static_assert(std::is_same<decltype(&name), name##Fn>::value, #name)

TAVIK_SIM_SAME_TYPE(TavikProjectClose);
TAVIK_SIM_SAME_TYPE(TavikProcedureHandleCreateA);
TAVIK_SIM_SAME_TYPE(TavikProcedureArgumentHandleCreate);
TAVIK_SIM_SAME_TYPE(TavikAttributeNameW);
TAVIK_SIM_SAME_TYPE(TavikValueCard);
TAVIK_SIM_SAME_TYPE(TavikAttributeDimension);
TAVIK_SIM_SAME_TYPE(TavikValueResetHandle);
TAVIK_SIM_SAME_TYPE(TavikValueNextW);
TAVIK_SIM_SAME_TYPE(TavikAPILastErrorW);
TAVIK_SIM_SAME_TYPE(TavikIdentifierHandleCreateW);
TAVIK_SIM_SAME_TYPE(TavikAttributeDeclarationDomain);
TAVIK_SIM_SAME_TYPE(TavikSetOrdinalToElement);
TAVIK_SIM_SAME_TYPE(TavikSetElementToNameW);
TAVIK_SIM_SAME_TYPE(TavikAttributeRootDomain);
TAVIK_SIM_SAME_TYPE(TavikAttributeStorage);
TAVIK_SIM_SAME_TYPE(TavikAttributeType);
TAVIK_SIM_SAME_TYPE(TavikIdentifierHandleDelete);
TAVIK_SIM_SAME_TYPE(TavikAttributeElementRange);
TAVIK_SIM_SAME_TYPE(TavikValueRetrieveW);
TAVIK_SIM_SAME_TYPE(TavikValueRetrieve);
TAVIK_SIM_SAME_TYPE(TavikValueNextMultiW);
TAVIK_SIM_SAME_TYPE(TavikValueAssignW);
TAVIK_SIM_SAME_TYPE(TavikValueAssignA);
TAVIK_SIM_SAME_TYPE(TavikIdentifierEmpty);
TAVIK_SIM_SAME_TYPE(TavikSetAddElementRecursiveW);
static_assert(std::is_same<decltype(&TavikServerProjectOpenW),
                           TavikServerProjectOpenWFn>::value,
              "TavikServerProjectOpenW");

#endif
