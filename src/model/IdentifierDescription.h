// What an identifier is, as the engine's attribute calls tell it: for the
// R functions that let users look before they read or write.
#ifndef TAVIK4R_MODEL_IDENTIFIERDESCRIPTION_H
#define TAVIK4R_MODEL_IDENTIFIERDESCRIPTION_H

#include <string>
#include <vector>

namespace Tavik {

class TavikSpace;

struct IdentifierDescription {
  std::wstring name;      // without scope
  std::wstring fullName;  // as the engine reports it
  int type = 0;           // the engine's attribute type code
  int storage = 0;        // the engine's storage code (0: none asked)
  int dimension = 0;
  // Declaration domain as declared (sets or indices), the set each entry
  // runs over, its root set and whether it holds integers (names without
  // scope). A set or index describes the set it is.
  std::vector<std::wstring> declared;
  std::vector<std::wstring> sets;
  std::vector<bool> integerSets;
  std::vector<std::wstring> roots;
  std::wstring range;  // element range set; empty when none
  bool integerRange = false;
  long count = -1;  // the engine's count of values; -1 if none
};

// Describes the named identifier; throws the engine's refusal.
IdentifierDescription describeIdentifier(TavikSpace& space,
                                         const std::wstring& name);

}  // namespace Tavik

#endif
