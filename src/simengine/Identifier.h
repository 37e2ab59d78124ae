// One identifier of a project: a set, an index or a data identifier
// (parameter, variable, string or element parameter, scalar or not).
#ifndef TAVIK_SIM_IDENTIFIER_H
#define TAVIK_SIM_IDENTIFIER_H

#include <memory>
#include <string>
#include <vector>

#include "engine/TavikContract.h"
#include "simengine/TupleStore.h"

namespace Sim {

enum class IdentifierKind { Set, Index, Data };

// Attribute type and storage codes as the engine reports them, named once
// in the contract.
const int kTypeRootSet = TAVIK_TYPE_ROOT_SET;
const int kTypeSubset = TAVIK_TYPE_SUBSET;
const int kTypeParameter = TAVIK_TYPE_PARAMETER;
const int kTypeElementParameter = TAVIK_TYPE_ELEMENT_PARAMETER;
const int kTypeStringParameter = TAVIK_TYPE_STRING_PARAMETER;
const int kTypeVariable = TAVIK_TYPE_VARIABLE;
const int kTypeIndex = TAVIK_TYPE_INDEX;
const int kTypeElementVariable = TAVIK_TYPE_ELEMENT_VARIABLE;

const int kStorageDouble = TAVIK_STORAGE_DOUBLE;
const int kStorageInteger = TAVIK_STORAGE_INTEGER;
const int kStorageString = TAVIK_STORAGE_STRING;
const int kStorageElement = TAVIK_STORAGE_ELEMENT;

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
