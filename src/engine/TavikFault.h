// What went wrong, beyond the message: for callers that report faults in
// their own terms (the R functions name the row, column and label).
#ifndef TAVIK4R_ENGINE_TAVIKFAULT_H
#define TAVIK4R_ENGINE_TAVIKFAULT_H

#include <string>

namespace Tavik {

struct TavikFault {
  enum Kind {
    Unknown,     // nothing more is known
    Refused,     // the engine refused a call: code and text
    Label,       // a label a set lacks: set, label, row and column
    Shape,       // the data does not fit the identifier
    Text,        // a text that can't be converted: row and column
    Identifier,  // the engine does not know the identifier
  };

  Kind kind = Unknown;
  int code = 0;           // Refused: the engine's error code
  std::wstring text;      // Refused: the engine's error text
  std::wstring set;       // Label: the set's name
  std::wstring label;     // Label: the label as written
  long row = -1;          // zero-based; -1 when not known
  int column = -1;        // zero-based; -1 when not known
  bool restored = false;  // Refused during a write: the old data is back
};

}  // namespace Tavik

#endif
