// Labels that a checked write found missing from sets that may grow; they
// are added only after every row has been checked.
#ifndef TAVIK4R_MODEL_PENDINGELEMENTS_H
#define TAVIK4R_MODEL_PENDINGELEMENTS_H

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Tavik {

class SetIdentifier;

class PendingElements {
 public:
  void add(const std::shared_ptr<SetIdentifier>& set, std::wstring label);
  // Adds every label in the order first met; throws the set's missing
  // label error when the engine refuses one.
  void addAll();
  bool empty() const { return labels.empty(); }

 private:
  std::vector<std::pair<std::shared_ptr<SetIdentifier>, std::wstring>> labels;
};

}  // namespace Tavik

#endif
