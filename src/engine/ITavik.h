// The engine library as one interface: one operation per entry point, each
// returning the entry point's int result (non-zero success, 0 failure).
#ifndef TAVIK4R_ENGINE_ITAVIK_H
#define TAVIK4R_ENGINE_ITAVIK_H

#include <string>

#include "engine/TavikContract.h"

namespace Tavik {

class ITavik {
 public:
  virtual ~ITavik() {}
  virtual bool Reload(std::wstring path) = 0;
  virtual int ProjectOpen(wchar_t* path, int* handle) = 0;
  virtual int ProjectClose(int project, int flag) = 0;
  virtual int ProcedureHandleCreateA(char* name, int* handle, int* argc,
                                     int* argv) = 0;
  virtual int ProcedureArgumentHandleCreate(int procedure, int argument,
                                            int* handle) = 0;
  virtual int AttributeNameW(int handle, tagTavikStringW* name) = 0;
  virtual int ValueCard(int set, int* count) = 0;
  virtual int AttributeDimension(int handle, int* full, int* sliced) = 0;
  virtual int ValueResetHandle(int handle) = 0;
  virtual int ValueNextW(int handle, int* tuple, tagTavikValueW* value) = 0;
  virtual int APILastError(int* code, wchar_t* message) = 0;
  virtual int IdentifierHandleCreateW(wchar_t* name, int* domain,
                                      int* slicing, int flags,
                                      int* handle) = 0;
  virtual int AttributeDeclarationDomain(int handle, int* domain) = 0;
  virtual int SetOrdinalToElement(int set, int ordinal, int* element) = 0;
  virtual int SetElementToNameW(int set, int element,
                                tagTavikStringW* name) = 0;
  virtual int AttributeRootDomain(int handle, int* root) = 0;
  virtual int AttributeStorage(int handle, int* storage) = 0;
  virtual int AttributeType(int handle, int* type) = 0;
  virtual int IdentifierHandleDelete(int handle) = 0;
  virtual int AttributeElementRange(int handle, int* range) = 0;
  virtual int ValueRetrieveW(int handle, int* tuple,
                             tagTavikValueW* value) = 0;
  virtual int ValueRetrieve(int handle, int* tuple, tagTavikValue* value) = 0;
  virtual int ValueNextMultiW(int handle, int* count, int* tuples,
                              tagTavikValueW* values) = 0;
  virtual int ValueAssignW(int handle, int* tuple, tagTavikValueW* value) = 0;
  virtual int ValueAssignA(int handle, int* tuple, tagTavikValue* value) = 0;
  virtual int IdentifierEmpty(int handle) = 0;
  virtual int SetAddElement(int set, wchar_t* label, int* element) = 0;

  // The entry points a transfer calls once per tuple, for a loop that looks
  // them up once and then makes one indirect call per tuple; null when the
  // library lacks one. Valid until the library is loaded again.
  virtual TavikValueNextWFn ValueNextWEntry() = 0;
  virtual TavikValueAssignWFn ValueAssignWEntry() = 0;
  virtual TavikValueRetrieveWFn ValueRetrieveWEntry() = 0;

  // Whether an engine library is loaded behind the interface: after a
  // failed ProjectClose it tells a close the engine refused (still loaded)
  // from a close whose reload of the library failed (not loaded).
  virtual bool IsLoaded() const = 0;
  // The path of the library the interface serves, and why it last failed
  // to load it ("" if it never did).
  virtual std::wstring LibraryPath() const = 0;
  virtual std::wstring LoadError() const = 0;
};

}  // namespace Tavik

#endif
