// Reading and writing the values of parameters and variables.
#include <cstring>

#include "simengine/Engine.h"
#include "simengine/EntryPoints.h"
#include "simengine/TextTransfer.h"

using namespace Sim;

namespace {

[[noreturn]] __attribute__((noinline)) void refuseNoValues(
    const Identifier& identifier) {
  throw Refusal(kWrongType, quoted(identifier.name) + L" has no values");
}

[[noreturn]] __attribute__((noinline)) void refuseNoTuple(
    const Identifier& identifier) {
  throw Refusal(kBadArgument,
                L"a tuple is needed for " + quoted(identifier.name));
}

Identifier& dataOf(Engine& engine, int handle) {
  Identifier& identifier = engine.identifier(handle);
  if (identifier.kind != IdentifierKind::Data) refuseNoValues(identifier);
  return identifier;
}

// The tuple argument: needed unless the identifier is a scalar.
inline void checkTupleArgument(const Identifier& identifier, const int* tuple) {
  if (tuple == nullptr && !identifier.domain.empty()) refuseNoTuple(identifier);
}

}  // namespace

extern "C" int TAVIK_CALL TavikValueResetHandle(int handle) {
  return runEntry(kValueResetHandle, Needs::Project, [&](Engine& engine) {
    dataOf(engine, handle);
    engine.handle(handle).cursor = 0;
    return 1;
  });
}

// Delivers the stored tuples in ascending tuple order, one per call; 0
// after the last, which is not an error.
extern "C" int TAVIK_CALL TavikValueNextW(int handle, int* tuple,
                                          tagTavikValueW* value) {
  return runEntry(kValueNextW, Needs::Project, [&](Engine& engine) {
    HandleEntry& entry = engine.handle(handle);
    Identifier& identifier = engine.project().identifier(entry.identifier);
    if (identifier.kind != IdentifierKind::Data) refuseNoValues(identifier);
    requirePointer(value);
    checkTupleArgument(identifier, tuple);
    TupleStore& store = *identifier.data;
    store.normalise();
    if (entry.cursor >= store.size()) return 0;
    const ValueColumn& values = store.values();
    if (values.kind() == ValueKind::String)
      checkValueRecord(values.kind(), *value);
    size_t slot = entry.cursor++;
    const size_t dim = identifier.domain.size();
    if (dim > 0) {
      const int* from = store.tupleAt(slot);
      for (size_t k = 0; k < dim; ++k) tuple[k] = from[k];
    }
    Instrumentation& instrumentation = engine.instrumentation;
    switch (values.kind()) {
      case ValueKind::Double: value->Double = values.numberAt(slot); break;
      case ValueKind::String:
        writeValue(values, slot, *value,
                   instrumentation.on(kSwitchWriteBackLength));
        break;
      default: value->Int = values.integerAt(slot);
    }
    if (instrumentation.on(kSwitchNextOutOfRange)) {
      Project& project = engine.project();
      if (dim > 0) tuple[0] = outsideOf(project.set(identifier.domainSets[0]));
      if (identifier.range >= 0)
        value->Int = outsideOf(project.set(identifier.range));
    }
    return 1;
  });
}

// One value: of a scalar with a null tuple, else of one tuple. Tuples
// without a stored value read as 0, 0.0, "" or element 0.
extern "C" int TAVIK_CALL TavikValueRetrieveW(int handle, int* tuple,
                                              tagTavikValueW* value) {
  return runEntry(kValueRetrieveW, Needs::Project, [&](Engine& engine) {
    Identifier& identifier = dataOf(engine, handle);
    requirePointer(value);
    checkTupleArgument(identifier, tuple);
    checkTuple(engine.project(), identifier, tuple);
    TupleStore& store = *identifier.data;
    ValueKind kind = store.values().kind();
    checkValueRecord(kind, *value);
    long slot = store.find(tuple);
    bool writeBack = engine.instrumentation.on(kSwitchWriteBackLength);
    if (slot < 0) {
      writeDefault(kind, *value, writeBack);
    } else {
      writeValue(store.values(), static_cast<size_t>(slot), *value, writeBack);
    }
    return 1;
  });
}

// Stores one value; a default value removes the tuple.
extern "C" int TAVIK_CALL TavikValueAssignW(int handle, int* tuple,
                                            tagTavikValueW* value) {
  return runEntry(kValueAssignW, Needs::Project, [&](Engine& engine) {
    Identifier& identifier = dataOf(engine, handle);
    requirePointer(value);
    checkTupleArgument(identifier, tuple);
    Project& project = engine.project();
    checkTuple(project, identifier, tuple);
    identifier.data->assign(tuple, readValue(project, identifier, *value));
    return 1;
  });
}

extern "C" int TAVIK_CALL TavikIdentifierEmpty(int handle) {
  return runEntry(kIdentifierEmpty, Needs::Project, [&](Engine& engine) {
    dataOf(engine, handle).data->clear();
    return 1;
  });
}
