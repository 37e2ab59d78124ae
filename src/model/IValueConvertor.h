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
  virtual void assignTavikIndex(const Value& cell,
                                std::vector<int>& tuple) = 0;
  virtual void assignTavikValue(const Value& cell,
                                tagTavikValueW& record) = 0;

  // Starts a transfer: per-transfer caches are dropped. With stableText
  // the text cells keep one address per distinct text for the transfer.
  virtual void beginTransfer(bool stableText) {}
  // The text cells made by assignIndex/assignValue stay put for the
  // transfer, one address per distinct text.
  virtual bool hasStableText() const { return false; }
  // Makes sure a cell can become an element number (index) or a value
  // record without writing anything; labels the set may gain are noted in
  // pending instead of being added.
  virtual void checkTavikIndex(const Value& cell, PendingElements& pending);
  virtual void checkTavikValue(const Value& cell, PendingElements& pending) {}
};

}  // namespace Tavik

#endif
