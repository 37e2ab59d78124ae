// The text cells of a table column as keys: equal texts share a key, so a
// writer converts and looks up each distinct text once and then maps keys
// to elements by index (a factor's codes already are such keys).
#ifndef TAVIK4R_MODEL_IKEYEDTEXT_H
#define TAVIK4R_MODEL_IKEYEDTEXT_H

namespace Tavik {

class IKeyedText {
 public:
  // The key of the text in row: 0 up to keyCount() - 1.
  virtual int keyOf(int row) = 0;
  // How many keys there are so far (keyOf may add more).
  virtual int keyCount() const = 0;
  // The text of a key, valid for the transfer.
  virtual const wchar_t* textOfKey(int key) = 0;
  // When the keys are a factor's codes: the codes of all rows (1 up to
  // keyCount() - 1 for a level, anything else for the missing key
  // keyCount() - 1), so a writer may read them itself; else null.
  virtual const int* codes() { return nullptr; }

 protected:
  ~IKeyedText() = default;
};

}  // namespace Tavik

#endif
