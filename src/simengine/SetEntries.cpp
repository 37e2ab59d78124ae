// Set elements: cardinality, ordinals, labels and adding labels.
#include <climits>

#include "simengine/Engine.h"
#include "simengine/EntryPoints.h"
#include "simengine/TextTransfer.h"

using namespace Sim;

namespace {

int setOf(Engine& engine, int handle) {
  const Identifier& identifier = engine.identifier(handle);
  if (identifier.kind != IdentifierKind::Set) {
    throw Refusal(kWrongType, quoted(identifier.name) + L" is not a set");
  }
  return identifier.set;
}

}  // namespace

#ifndef TAVIK_SIM_WITHOUT_VALUECARD
// A set's number of elements, or the number of stored values of a
// parameter or variable.
extern "C" int TAVIK_CALL TavikValueCard(int handle, int* count) {
  return runEntry(kValueCard, Needs::Project, [&](Engine& engine) {
    requirePointer(count);
    Identifier& identifier = engine.identifier(handle);
    switch (identifier.kind) {
      case IdentifierKind::Set:
        *count = static_cast<int>(engine.project().set(identifier.set).card());
        break;
      case IdentifierKind::Data: {
        // The count of a parameter is the engine's own business; the
        // switches make it mean something else.
        int stored = static_cast<int>(identifier.data->size());
        if (engine.instrumentation.on(kSwitchCardMore)) stored = 2 * stored + 1;
        if (engine.instrumentation.on(kSwitchCardFewer)) stored /= 2;
        *count = stored;
        break;
      }
      default:
        throw Refusal(kWrongType, quoted(identifier.name) + L" is an index");
    }
    return 1;
  });
}
#endif

extern "C" int TAVIK_CALL TavikSetOrdinalToElement(int handle, int ordinal,
                                                   int* element) {
  return runEntry(kSetOrdinalToElement, Needs::Project, [&](Engine& engine) {
    requirePointer(element);
    const SimSet& set = engine.project().set(setOf(engine, handle));
    if (ordinal < 1 || static_cast<size_t>(ordinal) > set.card()) {
      throw Refusal(kOrdinalOutOfRange, L"ordinal " + std::to_wstring(ordinal) +
                                            L" is out of range for set " +
                                            quoted(set.name()));
    }
    *element = set.at(static_cast<size_t>(ordinal) - 1);
    if (engine.instrumentation.on(kSwitchOrdinalOutOfRange) &&
        static_cast<size_t>(ordinal) == set.card()) {
      *element = outsideOf(set);
    }
    return 1;
  });
}

extern "C" int TAVIK_CALL TavikSetElementToNameW(int handle, int element,
                                                 tagTavikStringW* name) {
  return runEntry(kSetElementToNameW, Needs::Project, [&](Engine& engine) {
    requirePointer(name);
    const SimSet& set = engine.project().set(setOf(engine, handle));
    checkTextBuffer(name->Length, name->String);
    if (!set.contains(element)) {
      throw Refusal(kNotInSet, L"element " + std::to_wstring(element) +
                                   L" is not in set " + quoted(set.name()));
    }
    writeText(set.label(element), *name,
              engine.instrumentation.on(kSwitchWriteBackLength));
    return 1;
  });
}

extern "C" int TAVIK_CALL TavikSetAddElementRecursiveW(int handle,
                                                       wchar_t* label,
                                                       int* element) {
  return runEntry(kSetAddElement, Needs::Project, [&](Engine& engine) {
    requirePointer(label);
    requirePointer(element);
    int set = setOf(engine, handle);
    int gap = engine.instrumentation.on(kSwitchAddNonConsecutive) ? 5 : 0;
    *element = engine.project().addElement(set, label, gap);
    return 1;
  });
}
