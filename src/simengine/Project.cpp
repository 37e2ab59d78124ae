#include "simengine/Project.h"

#include "simengine/Refusal.h"

namespace Sim {

namespace {

// Root label sets get blocks of element numbers: multiples of this size,
// below every integer element.
const long long kBlock = 1LL << 20;
const long long kBlocksEnd = 1LL << 29;

bool endsWithScoped(const std::wstring& full, const std::wstring& name) {
  if (full.size() < name.size() + 2) return false;
  size_t at = full.size() - name.size();
  return full.compare(at, name.size(), name) == 0 &&
         full.compare(at - 2, 2, L"::") == 0;
}

}  // namespace

Project::Project() : nextBlock_(kBlock) {
  auto integers = std::make_unique<Identifier>();
  integers->name = L"Integers";
  integers->kind = IdentifierKind::Set;
  integers->type = kTypeRootSet;
  integers->storage = kStorageElement;
  integers->set = 0;
  sets_.push_back(std::make_unique<SimSet>(L"Integers", -1, 0, nullptr));
  setIdentifiers_.push_back(addIdentifier(std::move(integers)));
}

int Project::addIdentifier(std::unique_ptr<Identifier> identifier) {
  if (identifier->name.empty()) {
    throw Refusal(kBadValue, L"empty identifier name");
  }
  if (byName_.count(identifier->name) > 0) {
    throw Refusal(kBadValue, L"identifier " + quoted(identifier->name) +
                                 L" declared twice");
  }
  int id = static_cast<int>(identifiers_.size());
  byName_[identifier->name] = id;
  identifiers_.push_back(std::move(identifier));
  return id;
}

int Project::addRootSet(const std::wstring& name, int type,
                        size_t expectedLabels) {
  long long size = (static_cast<long long>(expectedLabels) + 2 * kBlock - 1) /
                   kBlock * kBlock;
  if (nextBlock_ + size > kBlocksEnd) {
    throw Refusal(kSetFull, L"too many set elements in the project");
  }
  if (byName_.count(name) > 0) {
    throw Refusal(kBadValue,
                  L"identifier " + quoted(name) + L" declared twice");
  }
  int first = static_cast<int>(nextBlock_ + 1);
  std::shared_ptr<LabelTable> labels(
      new LabelTable(first, static_cast<int>(first + size)));
  nextBlock_ += size;
  int setId = static_cast<int>(sets_.size());
  auto identifier = std::make_unique<Identifier>();
  identifier->name = name;
  identifier->kind = IdentifierKind::Set;
  identifier->type = type;
  identifier->storage = kStorageElement;
  identifier->set = setId;
  sets_.push_back(std::make_unique<SimSet>(name, -1, setId, labels));
  setIdentifiers_.push_back(addIdentifier(std::move(identifier)));
  return setIdentifiers_.back();
}

int Project::addSubset(const std::wstring& name, int parentSet, int type) {
  if (byName_.count(name) > 0) {
    throw Refusal(kBadValue,
                  L"identifier " + quoted(name) + L" declared twice");
  }
  const SimSet& parent = *sets_[parentSet];
  int setId = static_cast<int>(sets_.size());
  auto identifier = std::make_unique<Identifier>();
  identifier->name = name;
  identifier->kind = IdentifierKind::Set;
  identifier->type = type;
  identifier->storage = kStorageElement;
  identifier->set = setId;
  sets_.push_back(std::make_unique<SimSet>(name, parentSet, parent.root(),
                                           parent.labels()));
  setIdentifiers_.push_back(addIdentifier(std::move(identifier)));
  return setIdentifiers_.back();
}

int Project::addIndex(const std::wstring& name, int set, int type) {
  auto identifier = std::make_unique<Identifier>();
  identifier->name = name;
  identifier->kind = IdentifierKind::Index;
  identifier->type = type;
  identifier->storage = kStorageElement;
  identifier->set = set;
  return addIdentifier(std::move(identifier));
}

int Project::addData(const std::wstring& name, const std::vector<int>& domain,
                     ValueKind kind, int type, int storage, int range) {
  auto identifier = std::make_unique<Identifier>();
  identifier->name = name;
  identifier->kind = IdentifierKind::Data;
  identifier->type = type;
  identifier->storage = storage;
  identifier->domain = domain;
  for (int d : domain) {
    identifier->domainSets.push_back(identifiers_[d]->set);
  }
  identifier->range = range;
  identifier->data =
      std::make_unique<TupleStore>(static_cast<int>(domain.size()), kind);
  return addIdentifier(std::move(identifier));
}

int Project::lookup(const std::wstring& name) const {
  auto found = byName_.find(name);
  if (found != byName_.end()) return found->second;
  int match = -1;
  if (!name.empty()) {
    for (size_t id = 0; id < identifiers_.size(); ++id) {
      if (!endsWithScoped(identifiers_[id]->name, name)) continue;
      if (match >= 0) {
        throw Refusal(kAmbiguousIdentifier,
                      L"identifier name " + quoted(name) + L" is ambiguous");
      }
      match = static_cast<int>(id);
    }
  }
  if (match < 0) {
    throw Refusal(kUnknownIdentifier, L"unknown identifier " + quoted(name));
  }
  return match;
}

int Project::dimension(int id) const {
  const Identifier& identifier = *identifiers_[id];
  switch (identifier.kind) {
    case IdentifierKind::Set:
      return sets_[identifier.set]->parent() < 0 ? 0 : 1;
    case IdentifierKind::Index: return 1;
    default: return static_cast<int>(identifier.domain.size());
  }
}

std::vector<int> Project::declarationDomain(int id) const {
  const Identifier& identifier = *identifiers_[id];
  switch (identifier.kind) {
    case IdentifierKind::Set: {
      int parent = sets_[identifier.set]->parent();
      if (parent < 0) return {};
      return {setIdentifiers_[parent]};
    }
    case IdentifierKind::Index: return {setIdentifiers_[identifier.set]};
    default: return identifier.domain;
  }
}

std::vector<int> Project::rootDomain(int id) const {
  const Identifier& identifier = *identifiers_[id];
  std::vector<int> sets;
  if (identifier.kind == IdentifierKind::Data) {
    sets = identifier.domainSets;
  } else if (identifier.kind == IdentifierKind::Index ||
             sets_[identifier.set]->parent() >= 0) {
    sets.push_back(identifier.set);
  }
  std::vector<int> roots;
  for (int s : sets) roots.push_back(setIdentifiers_[sets_[s]->root()]);
  return roots;
}

int Project::addElement(int setId, const std::wstring& label, int gap) {
  SimSet& target = *sets_[setId];
  if (label.empty()) {
    throw Refusal(kBadValue, L"empty label for set " + quoted(target.name()));
  }
  int element = target.rootElementOf(label);
  if (element == 0) {
    if (target.isInteger()) {
      throw Refusal(kBadValue, L"label " + quoted(label) +
                                   L" is not an integer in the range of set " +
                                   quoted(target.name()));
    }
    const SimSet& root = *sets_[target.root()];
    element =
        target.labels()->add(label.data(), label.size(), gap, root.name());
  }
  for (int s = setId; s >= 0; s = sets_[s]->parent()) {
    sets_[s]->insert(element);
  }
  return element;
}

}  // namespace Sim
