// An engine set with all its element labels, read once at construction.
// Converts element numbers to labels and back without asking the engine.
#ifndef TAVIK4R_MODEL_SETIDENTIFIER_H
#define TAVIK4R_MODEL_SETIDENTIFIER_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/TavikContract.h"
#include "model/BaseIdentifier.h"

namespace Tavik {

class SetIdentifier : public BaseIdentifier {
 public:
  enum SetElementType : int { String = 0, Integer = 1 };

  SetIdentifier(std::wstring name, std::wstring scope,
                std::shared_ptr<ITavik> api, int handle,
                SetElementType elementType);
  ~SetIdentifier() override;

  // Element number of label; under unknownElementMode 1 a missing label is
  // added to the set first. Throws when the label can't be had.
  int getElementFromLabel(std::wstring label);
  // Adds label to the engine set and to the tables; false when the engine
  // refuses.
  bool addMissingElement(std::wstring& label);
  // How many labels this object added to the engine's set.
  long labelsAdded() const { return added; }

  // Element number of label without adding anything; false when missing.
  bool findElement(const std::wstring& label, int& element) const;
  // Label of an element number; null when the set has no such element.
  const wchar_t* findLabel(int element) const;
  // The same, throwing a TavikException naming the number and the set.
  const wchar_t* labelOf(int element) const;
  // The element numbers in the engine's ordinal order, added ones last.
  const std::vector<int>& ordinalElements() const { return ordered; }
  // The error raised for a label the set lacks.
  [[noreturn]] void throwMissingLabel(const std::wstring& label) const;

  SetElementType elementType;
  tagTavikStringW nameRecord;
  std::vector<const wchar_t*> labels;
  std::map<std::wstring, int> elements;
  int firstElement;
  int cardinality;
  int unknownElementMode;

 private:
  void storeLabel(int element, const std::wstring& label);
  std::wstring wholeLabel(int element);

  // Labels of elements whose number falls far outside the consecutive
  // table (an engine that numbers sparsely); kept apart so the table
  // never grows without bound.
  std::map<int, const wchar_t*> sparseLabels;
  std::vector<int> ordered;
  long added = 0;

  static wchar_t buf[300];
};

}  // namespace Tavik

#endif
