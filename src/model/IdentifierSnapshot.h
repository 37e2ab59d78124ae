// The data an identifier holds, read through the engine before a write
// changes it, so that a write the engine refuses half way can put it back.
#ifndef TAVIK4R_MODEL_IDENTIFIERSNAPSHOT_H
#define TAVIK4R_MODEL_IDENTIFIERSNAPSHOT_H

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "engine/ITavik.h"
#include "model/WholeText.h"

namespace Tavik {

class IdentifierSnapshot {
 public:
  // What the values are: numbers, integers (element numbers too) or texts.
  enum Kind { Numbers, Integers, Texts };

  IdentifierSnapshot(std::shared_ptr<ITavik> api, int handle,
                     std::size_t dimension, Kind kind);

  // Reads every stored tuple and value (a scalar's one value); throws the
  // engine's refusal as a TavikException with context.
  void capture(const char* context);
  // Reads the values the given tuples hold now (the defaults where none),
  // for a write that changes only those tuples.
  void captureAt(const int* tuples, std::size_t rows, const char* context);
  // Empties the identifier (unless it is a scalar) and assigns every kept
  // value back; after captureAt, assigns back the kept values of the first
  // `changed` tuples, the last first, without emptying. False when the
  // engine refuses a call, with failure holding the engine's reason.
  bool restore(std::size_t changed = 0);

  std::size_t size() const { return count; }
  // How many kept values the last restore wrote back.
  std::size_t restored() const { return written; }
  // Whether the last restore got as far as emptying the identifier.
  bool emptied() const { return wasEmptied; }
  const std::string& failure() const { return reason; }
  // A scalar's restore found another value there before it was refused.
  bool sawOtherValue() const { return seenOther; }
  bool scalar() const { return dimension == 0; }

 private:
  void keepText(const wchar_t* text);
  void keepValue(std::size_t k, int* tuple, const tagTavikValueW& record,
                 wchar_t* buffer, const char* context);
  const wchar_t* wholeText(const char* context, int* tuple,
                           const wchar_t* buffer);
  void resizeRows(std::size_t rows);
  bool holdsKept(const tagTavikValueW& now);
  bool restoreScalar(std::string& context);
  void valueAt(std::size_t k, tagTavikValueW& record);

  std::shared_ptr<ITavik> api;
  int handle;
  std::size_t dimension;
  Kind kind;

  std::size_t count = 0;
  std::vector<int> tuples;
  std::vector<double> numbers;
  std::vector<int> integers;
  // Texts one after the other, each with its zero; starts[k] is where
  // value k begins.
  std::vector<wchar_t> chars;
  std::vector<std::size_t> starts;
  WholeText whole;

  bool partial = false;
  std::size_t written = 0;
  bool wasEmptied = false;
  bool seenOther = false;
  std::string reason;
};

}  // namespace Tavik

#endif
