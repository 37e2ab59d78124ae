// Text and value records between the engine and its caller. A text read
// writes at most the record's Length characters including the zero; longer
// texts are cut.
#ifndef TAVIK_SIM_TEXTTRANSFER_H
#define TAVIK_SIM_TEXTTRANSFER_H

#include <string>

#include "engine/TavikContract.h"
#include "simengine/Project.h"

namespace Sim {

// Refuses a read buffer that is null or has no room.
void checkTextBuffer(int capacity, const wchar_t* buffer);
// Copies the text into the buffer (checked before); with writeBackLength the
// text's full length is stored in capacity afterwards.
void writeText(const wchar_t* text, size_t length, int& capacity,
               wchar_t* buffer, bool writeBackLength);
inline void writeText(const std::wstring& text, tagTavikStringW& record,
                      bool writeBackLength) {
  checkTextBuffer(record.Length, record.String);
  writeText(text.data(), text.size(), record.Length, record.String,
            writeBackLength);
}

// Refuses a value record that can't take a value of this kind.
void checkValueRecord(ValueKind kind, const tagTavikValueW& record);
void writeValue(const ValueColumn& values, size_t slot, tagTavikValueW& record,
                bool writeBackLength);
void writeDefault(ValueKind kind, tagTavikValueW& record, bool writeBackLength);

// The value a record brings, checked against the identifier (an element
// must lie in the range set).
CellValue readValue(Project& project, const Identifier& identifier,
                    const tagTavikValueW& record);
// Refuses a tuple with an element outside its domain set.
void checkTuple(Project& project, const Identifier& identifier,
                const int* tuple);

// An element number just outside a set, for the out-of-range switches.
int outsideOf(const SimSet& set);

}  // namespace Sim

#endif
