// Reading and writing the data of one engine identifier.
#ifndef TAVIK4R_ENTRY_DATACOMMANDS_H
#define TAVIK4R_ENTRY_DATACOMMANDS_H

#include <Rcpp.h>

#include <string>

// A data frame for an identifier over sets, a vector of length one for a
// scalar.
SEXP GetData(std::wstring identifierName);
// Replaces the identifier's data by dataFrame (or writes the one value of a
// scalar); unknownElementMode 1 adds labels missing from a domain set.
void SetData(SEXP dataFrame, std::wstring identifierName,
             int unknownElementMode);

// SetData with a choice: replace all data, or only assign the frame's rows.
void WriteData(SEXP dataFrame, std::wstring identifierName,
               int unknownElementMode, bool replace);

namespace Tavik {
class TavikSpace;
}
// The identifier space of the data commands, with their errors when there
// is none.
Tavik::TavikSpace& DataSpace();

#endif
