// Texts read from the engine whole. The engine cuts a text to the buffer it
// is given, so a buffer filled to its end may hold only the start of the
// text: such a text is read again with ever larger buffers until it ends
// before the buffer does.
#ifndef TAVIK4R_MODEL_WHOLETEXT_H
#define TAVIK4R_MODEL_WHOLETEXT_H

#include <cwchar>
#include <vector>

#include "engine/ITavik.h"

namespace Tavik {

// True when the engine left no room after the text in a buffer of
// capacity wide characters (the zero included), so the text may be cut.
inline bool filledToEnd(const wchar_t* buffer, int capacity) {
  return capacity <= 1 ||
         std::wmemchr(buffer, L'\0', static_cast<std::size_t>(capacity - 1)) ==
             nullptr;
}

class WholeText {
 public:
  enum Outcome { Whole, Refused, TooLong };

  // Calls read(capacity, buffer), which asks the engine for the text into a
  // buffer of that capacity and returns the engine's result, with buffers
  // larger than firstCapacity until the text fits. reportedLength, when the
  // engine writes a text's length back, sizes the next buffer at once.
  template <typename Read>
  Outcome fetch(Read read, int firstCapacity) {
    long capacity = static_cast<long>(firstCapacity) * 4;
    for (;;) {
      if (capacity > kLargest) capacity = kLargest;
      buffer.assign(static_cast<std::size_t>(capacity), L'\0');
      int reported = static_cast<int>(capacity);
      if (!read(reported, buffer.data())) return Refused;
      buffer.back() = L'\0';
      if (!filledToEnd(buffer.data(), static_cast<int>(capacity))) return Whole;
      if (capacity == kLargest) return TooLong;
      long next = capacity * 4;
      if (reported > capacity && reported < kLargest) next = reported + 1L;
      capacity = next;
    }
  }

  // A value read again by its tuple (null: a scalar's).
  Outcome fetchValue(ITavik& api, int handle, int* tuple, int firstCapacity) {
    return fetch(
        [&](int& capacity, wchar_t* text) {
          tagTavikValueW longer;
          longer.Length = capacity;
          longer.String = text;
          const int ok = api.ValueRetrieveW(handle, tuple, &longer);
          capacity = longer.Length;
          return ok != 0;
        },
        firstCapacity);
  }

  const wchar_t* text() const { return buffer.data(); }

  // The longest text read whole, in wide characters with the zero.
  static const long kLargest = 1L << 28;

 private:
  std::vector<wchar_t> buffer;
};

}  // namespace Tavik

#endif
