// Converts single values between the engine (element numbers, value
// records) and table cells.
#ifndef TAVIK4R_MODEL_IVALUECONVERTOR_H
#define TAVIK4R_MODEL_IVALUECONVERTOR_H

#include <vector>

#include "engine/TavikContract.h"
#include "model/PendingElements.h"
#include "model/Value.h"

namespace Tavik {

class IValueConvertor {
 public:
  virtual ~IValueConvertor() {}
  virtual void assignIndex(int element, Value& cell) = 0;
  virtual void assignValue(const tagTavikValueW& record, Value& cell) = 0;
  virtual void assignTavikIndex(const Value& cell, std::vector<int>& tuple) = 0;
  virtual void assignTavikValue(const Value& cell, tagTavikValueW& record) = 0;

  // Starts a transfer: per-transfer caches are dropped. With stableText
  // the text cells keep one address per distinct text for the transfer.
  virtual void beginTransfer(bool stableText) {}
  // The text cells made by assignIndex/assignValue stay put for the
  // transfer, one address per distinct text.
  virtual bool hasStableText() const { return false; }
  // Converts a cell into an element number (index) or a value record
  // without adding anything to a set: true when done; false when the label
  // is missing and was noted in pending, to be converted again once the
  // set has gained it.
  virtual bool checkTavikIndex(const Value& cell, PendingElements& pending,
                               int& element);
  virtual bool checkTavikValue(const Value& cell, PendingElements& pending,
                               tagTavikValueW& record);
};

}  // namespace Tavik

#endif
