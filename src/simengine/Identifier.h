// One identifier of a project: a set, an index or a data identifier
// (parameter, variable, string or element parameter, scalar or not).
#ifndef TAVIK_SIM_IDENTIFIER_H
#define TAVIK_SIM_IDENTIFIER_H

#include <memory>
#include <string>
#include <vector>

#include "simengine/TupleStore.h"

namespace Sim {

enum class IdentifierKind { Set, Index, Data };

// Attribute type codes as the engine reports them.
const int kTypeRootSet = 1;
const int kTypeSubset = 2;
const int kTypeParameter = 30;
const int kTypeElementParameter = 31;
const int kTypeStringParameter = 32;
const int kTypeVariable = 40;
const int kTypeIndex = 60;
const int kTypeElementVariable = 70;

// Storage codes.
const int kStorageDouble = 1;
const int kStorageInteger = 2;
const int kStorageString = 4;
const int kStorageElement = 5;

struct Identifier {
  std::wstring name;  // full name, scope included
  IdentifierKind kind = IdentifierKind::Data;
  int type = kTypeParameter;
  int storage = kStorageDouble;
  int set = -1;                 // Set: its set; Index: the set it runs over
  std::vector<int> domain;      // Data: declared identifiers (sets or indices)
  std::vector<int> domainSets;  // Data: the set of each dimension
  int range = -1;               // element-valued: the range set
  std::unique_ptr<TupleStore> data;  // Data only
};

}  // namespace Sim

#endif
