// An open project: its sets and identifiers, name look-up, and the
// structural queries (dimension, domains) the attribute entry points answer.
#ifndef TAVIK_SIM_PROJECT_H
#define TAVIK_SIM_PROJECT_H

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "simengine/Identifier.h"
#include "simengine/SimSet.h"

namespace Sim {

class Project {
 public:
  // Every project has the root set "Integers" (set 0).
  Project();

  // Declarations. Names are full names; a duplicate is refused.
  // expectedLabels sizes the number block of a new root label set.
  int addRootSet(const std::wstring& name, int type, size_t expectedLabels);
  int addSubset(const std::wstring& name, int parentSet, int type);
  int addIndex(const std::wstring& name, int set, int type);
  int addData(const std::wstring& name, const std::vector<int>& domain,
              ValueKind kind, int type, int storage, int range);

  // The identifier of a full name, or of a name without (part of) its scope
  // when only one identifier matches; refused otherwise.
  int lookup(const std::wstring& name) const;

  size_t identifierCount() const { return identifiers_.size(); }
  Identifier& identifier(int id) { return *identifiers_[id]; }
  SimSet& set(int setId) { return *sets_[setId]; }
  int setIdentifier(int setId) const { return setIdentifiers_[setId]; }
  int integersSet() const { return 0; }

  int dimension(int id) const;
  // Identifiers of the declaration domain and of the root domain.
  std::vector<int> declarationDomain(int id) const;
  std::vector<int> rootDomain(int id) const;

  // The element of the label in the set, adding it to the set, to every
  // set it is a subset of and to its root set when it is missing. gap
  // leaves unused numbers before a new label.
  int addElement(int setId, const std::wstring& label, int gap);

 private:
  int addIdentifier(std::unique_ptr<Identifier> identifier);

  std::vector<std::unique_ptr<Identifier>> identifiers_;
  std::vector<std::unique_ptr<SimSet>> sets_;
  std::vector<int> setIdentifiers_;  // identifier of each set
  std::unordered_map<std::wstring, int> byName_;
  long long nextBlock_;
};

}  // namespace Sim

#endif
