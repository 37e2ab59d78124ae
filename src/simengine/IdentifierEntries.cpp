// Identifier handles and attribute queries.
#include "simengine/Engine.h"
#include "simengine/EntryPoints.h"
#include "simengine/TextTransfer.h"

using namespace Sim;

namespace {

// New handles for identifiers, written to the caller's slots.
void handOut(Engine& engine, const std::vector<int>& identifiers, int* slots) {
  if (identifiers.empty()) return;
  requirePointer(slots);
  for (size_t k = 0; k < identifiers.size(); ++k) {
    slots[k] = engine.newHandle(identifiers[k]);
  }
}

}  // namespace

extern "C" int TAVIK_CALL TavikIdentifierHandleCreateW(
    wchar_t* name, int* domain, int* slicing, int /*flags*/, int* handle) {
  return runEntry(
      kIdentifierHandleCreateW, Needs::Project, [&](Engine& engine) {
        requirePointer(name);
        requirePointer(handle);
        if (domain != nullptr || slicing != nullptr) {
          throw Refusal(kNotSupported,
                        L"domain and slicing arguments are not supported");
        }
        int id = engine.project().lookup(name);
        *handle = engine.newHandle(id);
        return 1;
      });
}

extern "C" int TAVIK_CALL TavikIdentifierHandleDelete(int handle) {
  return runEntry(kIdentifierHandleDelete, Needs::Project, [&](Engine& engine) {
    engine.deleteHandle(handle);
    return 1;
  });
}

extern "C" int TAVIK_CALL TavikAttributeNameW(int handle,
                                              tagTavikStringW* name) {
  return runEntry(kAttributeNameW, Needs::Project, [&](Engine& engine) {
    requirePointer(name);
    const Identifier& identifier = engine.identifier(handle);
    writeText(identifier.name, *name,
              engine.instrumentation.on(kSwitchWriteBackLength));
    return 1;
  });
}

extern "C" int TAVIK_CALL TavikAttributeType(int handle, int* type) {
  return runEntry(kAttributeType, Needs::Project, [&](Engine& engine) {
    requirePointer(type);
    *type = engine.identifier(handle).type;
    return 1;
  });
}

extern "C" int TAVIK_CALL TavikAttributeStorage(int handle, int* storage) {
  return runEntry(kAttributeStorage, Needs::Project, [&](Engine& engine) {
    requirePointer(storage);
    *storage = engine.identifier(handle).storage;
    return 1;
  });
}

extern "C" int TAVIK_CALL TavikAttributeDimension(int handle, int* full,
                                                  int* sliced) {
  return runEntry(kAttributeDimension, Needs::Project, [&](Engine& engine) {
    requirePointer(full);
    requirePointer(sliced);
    int dim = engine.project().dimension(engine.handle(handle).identifier);
    *full = dim;
    *sliced = dim;
    return 1;
  });
}

extern "C" int TAVIK_CALL TavikAttributeDeclarationDomain(int handle,
                                                          int* domain) {
  return runEntry(
      kAttributeDeclarationDomain, Needs::Project, [&](Engine& engine) {
        int id = engine.handle(handle).identifier;
        handOut(engine, engine.project().declarationDomain(id), domain);
        return 1;
      });
}

extern "C" int TAVIK_CALL TavikAttributeRootDomain(int handle, int* root) {
  return runEntry(kAttributeRootDomain, Needs::Project, [&](Engine& engine) {
    int id = engine.handle(handle).identifier;
    handOut(engine, engine.project().rootDomain(id), root);
    return 1;
  });
}

extern "C" int TAVIK_CALL TavikAttributeElementRange(int handle, int* range) {
  return runEntry(kAttributeElementRange, Needs::Project, [&](Engine& engine) {
    requirePointer(range);
    const Identifier& identifier = engine.identifier(handle);
    if (identifier.range < 0) {
      throw Refusal(kWrongType,
                    quoted(identifier.name) + L" has no element range");
    }
    *range = engine.newHandle(engine.project().setIdentifier(identifier.range));
    return 1;
  });
}
