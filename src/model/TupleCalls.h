// The engine calls a transfer makes once per tuple, looked up once per
// transfer: a tuple then costs one indirect call, not a trip through the
// API object and the loader's cache. A missing entry point answers 0, like
// a refusal.
#ifndef TAVIK4R_MODEL_TUPLECALLS_H
#define TAVIK4R_MODEL_TUPLECALLS_H

#include "engine/ITavik.h"

namespace Tavik {

class TupleCalls {
 public:
  explicit TupleCalls(ITavik& api)
      : next(api.ValueNextWEntry()),
        assign(api.ValueAssignWEntry()),
        retrieve(api.ValueRetrieveWEntry()) {}

  int ValueNextW(int handle, int* tuple, tagTavikValueW* value) const {
    return next ? next(handle, tuple, value) : 0;
  }
  int ValueAssignW(int handle, int* tuple, tagTavikValueW* value) const {
    return assign ? assign(handle, tuple, value) : 0;
  }
  int ValueRetrieveW(int handle, int* tuple, tagTavikValueW* value) const {
    return retrieve ? retrieve(handle, tuple, value) : 0;
  }

 private:
  TavikValueNextWFn next;
  TavikValueAssignWFn assign;
  TavikValueRetrieveWFn retrieve;
};

}  // namespace Tavik

#endif
