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
  // One operation per entry point, in the order of the entry list.
#define TAVIK_OPERATION(Accessor, Export, Bytes, Use, Parameters, Arguments) \
  virtual int Accessor Parameters = 0;
  TAVIK_ENTRY_POINTS(TAVIK_OPERATION)
#undef TAVIK_OPERATION

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
