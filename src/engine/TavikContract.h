// The engine library's binary contract: records, calling convention and the
// function type of every entry point. Pure C++, no R, so the simulated engine
// and the Windows checks compile it too.
#ifndef TAVIK4R_ENGINE_TAVIKCONTRACT_H
#define TAVIK4R_ENGINE_TAVIKCONTRACT_H

#include <wchar.h>

// The engine exports 32-bit stdcall functions under decorated names; every
// other platform uses the default convention and plain names.
#if defined(_WIN32) && (defined(_M_IX86) || defined(__i386__))
#define TAVIK_CALL __stdcall
#define TAVIK_DECORATED_EXPORTS 1
#else
#define TAVIK_CALL
#define TAVIK_DECORATED_EXPORTS 0
#endif

extern "C" {

// A value travelling to or from the engine. Text is (Length, String): to read,
// Length is the buffer's capacity in wide characters including the zero; to
// write, the text's length.
typedef union tagTavikValueW {
  int Int;
  double Double;
  struct {
    int Length;
    wchar_t* String;
  };
} tagTavikValueW;

typedef union tagTavikValue {
  int Int;
  double Double;
  struct {
    int Length;
    char* String;
  };
} tagTavikValue;

// A text read from the engine: Length is the capacity of String in wide
// characters, set before every call.
typedef struct tagTavikStringW {
  int Length;
  wchar_t* String;
} tagTavikStringW;

typedef int(TAVIK_CALL* TavikServerProjectOpenWFn)(wchar_t* path, int* handle);
typedef int(TAVIK_CALL* TavikProjectCloseFn)(int handle, int flag);
typedef int(TAVIK_CALL* TavikProcedureHandleCreateAFn)(char* name, int* handle,
                                                       int* argc, int* argv);
typedef int(TAVIK_CALL* TavikProcedureArgumentHandleCreateFn)(int procedure,
                                                              int argument,
                                                              int* handle);
typedef int(TAVIK_CALL* TavikAttributeNameWFn)(int handle,
                                               tagTavikStringW* name);
typedef int(TAVIK_CALL* TavikValueCardFn)(int set, int* count);
typedef int(TAVIK_CALL* TavikAttributeDimensionFn)(int handle, int* full,
                                                   int* sliced);
typedef int(TAVIK_CALL* TavikValueResetHandleFn)(int handle);
typedef int(TAVIK_CALL* TavikValueNextWFn)(int handle, int* tuple,
                                           tagTavikValueW* value);
typedef int(TAVIK_CALL* TavikAPILastErrorWFn)(int* code, wchar_t* message);
typedef int(TAVIK_CALL* TavikIdentifierHandleCreateWFn)(wchar_t* name,
                                                        int* domain,
                                                        int* slicing,
                                                        int flags,
                                                        int* handle);
typedef int(TAVIK_CALL* TavikAttributeDeclarationDomainFn)(int handle,
                                                           int* domain);
typedef int(TAVIK_CALL* TavikSetOrdinalToElementFn)(int set, int ordinal,
                                                    int* element);
typedef int(TAVIK_CALL* TavikSetElementToNameWFn)(int set, int element,
                                                  tagTavikStringW* name);
typedef int(TAVIK_CALL* TavikAttributeRootDomainFn)(int handle, int* root);
typedef int(TAVIK_CALL* TavikAttributeStorageFn)(int handle, int* storage);
typedef int(TAVIK_CALL* TavikAttributeTypeFn)(int handle, int* type);
typedef int(TAVIK_CALL* TavikIdentifierHandleDeleteFn)(int handle);
typedef int(TAVIK_CALL* TavikAttributeElementRangeFn)(int handle, int* range);
typedef int(TAVIK_CALL* TavikValueRetrieveWFn)(int handle, int* tuple,
                                               tagTavikValueW* value);
typedef int(TAVIK_CALL* TavikValueRetrieveFn)(int handle, int* tuple,
                                              tagTavikValue* value);
typedef int(TAVIK_CALL* TavikValueNextMultiWFn)(int handle, int* count,
                                                int* tuples,
                                                tagTavikValueW* values);
typedef int(TAVIK_CALL* TavikValueAssignWFn)(int handle, int* tuple,
                                             tagTavikValueW* value);
typedef int(TAVIK_CALL* TavikValueAssignAFn)(int handle, int* tuple,
                                             tagTavikValue* value);
typedef int(TAVIK_CALL* TavikIdentifierEmptyFn)(int handle);
typedef int(TAVIK_CALL* TavikSetAddElementRecursiveWFn)(int set,
                                                        wchar_t* label,
                                                        int* element);

}  // extern "C"

// Element number of the integer v in a set whose root set is "Integers".
const int TAVIK_INTEGER_ELEMENT_OFFSET = 1073741822;

#endif
