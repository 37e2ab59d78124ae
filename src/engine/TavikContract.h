// The engine library's binary contract: records, calling convention and the
// function type of every entry point. Pure C++, no R, so the simulated engine
// and the Windows checks compile it too.
#ifndef TAVIK4R_ENGINE_TAVIKCONTRACT_H
#define TAVIK4R_ENGINE_TAVIKCONTRACT_H

#include <wchar.h>

#include "engine/TavikEntryPoints.h"

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

// The function type of every entry point: TavikValueNextWFn and so on.
#define TAVIK_FUNCTION_TYPE(Accessor, Export, Bytes, Use, Parameters, \
                            Arguments)                                \
  typedef int(TAVIK_CALL * Export##Fn) Parameters;
TAVIK_ENTRY_POINTS(TAVIK_FUNCTION_TYPE)
#undef TAVIK_FUNCTION_TYPE

}  // extern "C"

// Element number of the integer v in a set whose root set is "Integers".
const int TAVIK_INTEGER_ELEMENT_OFFSET = 1073741822;

// Attribute type codes (TavikAttributeType).
enum TavikAttributeTypeCode {
  TAVIK_TYPE_ROOT_SET = 1,
  TAVIK_TYPE_SUBSET = 2,
  TAVIK_TYPE_PARAMETER = 30,
  TAVIK_TYPE_ELEMENT_PARAMETER = 31,
  TAVIK_TYPE_STRING_PARAMETER = 32,
  TAVIK_TYPE_VARIABLE = 40,
  TAVIK_TYPE_INDEX = 60,
  TAVIK_TYPE_ELEMENT_VARIABLE = 70
};

// Storage codes (TavikAttributeStorage).
enum TavikStorageCode {
  TAVIK_STORAGE_DOUBLE = 1,
  TAVIK_STORAGE_INTEGER = 2,
  TAVIK_STORAGE_INTEGER_OTHER = 3,  // a second integer storage
  TAVIK_STORAGE_STRING = 4,
  TAVIK_STORAGE_ELEMENT = 5
};

#endif
