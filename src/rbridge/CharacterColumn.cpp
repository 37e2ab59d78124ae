#include <cwchar>
#include <string>

#include "engine/TavikException.h"
#include "engine/TextConversion.h"
#include "rbridge/CharacterColumn.h"
#include "rbridge/RConversions.h"
#include "rbridge/RGuard.h"

namespace R {

namespace {

const R_xlen_t kFirstGrowth = 1024;
// R is entered once per this many new strings, or this many bytes.
const std::size_t kBatchCells = 4096;
const std::size_t kBatchBytes = 1 << 20;
const wchar_t kMissingText[] = L"NA";

// A factor whose text is its levels: as.character would only index them.
bool isPlainFactor(SEXP column) {
  if (TYPEOF(column) != INTSXP || !Rf_isFactor(column)) return false;
  SEXP levels = Rf_getAttrib(column, R_LevelsSymbol);
  if (TYPEOF(levels) != STRSXP) return false;
  SEXP classes = Rf_getAttrib(column, R_ClassSymbol);
  const R_xlen_t n = Rf_xlength(classes);
  const std::string last = CHAR(STRING_ELT(classes, n - 1));
  if (n == 1) return last == "factor";
  return n == 2 && last == "factor" &&
         std::string(CHAR(STRING_ELT(classes, 0))) == "ordered";
}

bool isAscii(const char* bytes, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i)
    if (static_cast<unsigned char>(bytes[i]) >= 0x80) return false;
  return true;
}

}  // namespace

Column<Rcpp::CharacterVector>::Column(const std::string& name, int index)
    : name(name),
      data(guardR([] { return Rf_allocVector(STRSXP, 0); })),
      index(index) {}

// --- reading from the engine
// --------------------------------------------------

void Column<Rcpp::CharacterVector>::resize(R_xlen_t length) {
  flush();
  const R_xlen_t kept = filled < length ? filled : length;
  SEXP old = data;
  SEXP grown = guardR([&] {
    SEXP made = Rf_allocVector(STRSXP, length);
    for (R_xlen_t i = 0; i < kept; ++i)
      SET_STRING_ELT(made, i, STRING_ELT(old, i));
    return made;
  });
  data = grown;
  capacity = length;
}

void Column<Rcpp::CharacterVector>::reserve(R_xlen_t cells) {
  if (cells > capacity) resize(cells);
}

void Column<Rcpp::CharacterVector>::grow() { makeRoom(capacity + 1); }

void Column<Rcpp::CharacterVector>::makeRoom(R_xlen_t cells) {
  if (cells <= capacity) return;
  R_xlen_t grown = capacity < kFirstGrowth ? kFirstGrowth : capacity;
  while (grown < cells) grown += grown / 2;
  resize(grown);
}

void Column<Rcpp::CharacterVector>::queue(const wchar_t* text) {
  // A label met again before its R string exists: the batch is made now,
  // so a label costs one conversion and one R string whatever its rows.
  if (stableText &&
      (text == lastQueuedText || queuedByText.find(text) != nullptr)) {
    flush();
    lastAddedText = text;
    lastAddedCharsxp = *charsxpByText.find(text);
    SET_STRING_ELT(data, filled++, lastAddedCharsxp);
    return;
  }
  const std::size_t length = std::wcslen(text);
  if (!wideToUtf8(text, length, utf8))
    throw Tavik::TavikException("The engine's text in row " +
                                std::to_string(filled + 1) + " of column " +
                                name + " is not valid Unicode");
  pending.push_back(Pending{filled, pendingBytes.size(), utf8.size(),
                            stableText ? text : nullptr, nextPlace});
  pendingBytes += utf8;
  if (stableText) {
    lastQueuedText = text;
    queuedByText.insert(text, true);
  }
  ++filled;
  if (pending.size() >= kBatchCells || pendingBytes.size() >= kBatchBytes)
    flush();
}

// Makes the R strings of the queued cells, all under one guard.
void Column<Rcpp::CharacterVector>::flush() {
  if (pending.empty()) return;
  SEXP target = data;
  guardRVoid([&] {
    for (const Pending& cell : pending) {
      SEXP* known =
          cell.stable != nullptr ? charsxpByText.find(cell.stable) : nullptr;
      SEXP charsxp =
          known != nullptr
              ? *known
              : Rf_mkCharLenCE(pendingBytes.data() + cell.offset,
                               static_cast<int>(cell.length), CE_UTF8);
      SET_STRING_ELT(target, cell.cell, charsxp);
      if (cell.stable != nullptr && known == nullptr)
        charsxpByText.insert(cell.stable, charsxp);
      if (cell.place >= 0) byPlace[cell.place] = charsxp;
    }
  });
  pending.clear();
  pendingBytes.clear();
  queuedByText.clear();
  lastQueuedText = nullptr;
}

void Column<Rcpp::CharacterVector>::addValue(const Tavik::Value& value) {
  append(value);
}

void Column<Rcpp::CharacterVector>::commit(Rcpp::List& list,
                                           Rcpp::CharacterVector& names) {
  flush();
  if (filled != capacity) resize(filled);
  appendColumn(list, names, data, name);
}

SEXP Column<Rcpp::CharacterVector>::createSExpr() {
  flush();
  if (filled == 0) return guardR([] { return Rf_mkString(""); });
  SEXP first = STRING_ELT(data, 0);
  return guardR([&] { return Rf_ScalarString(first); });
}

// --- writing to the engine
// ----------------------------------------------------

void Column<Rcpp::CharacterVector>::refuseText(R_xlen_t row,
                                               const char* why) const {
  // A factor level: the first row that uses it.
  if (row < 0 && factorCodes) {
    R_xlen_t level = 0;
    while (level < static_cast<R_xlen_t>(levelText.size()) &&
           levelCells[level] != converting)
      ++level;
    row = 0;
    while (row < readableLength && codes_[row] != level + 1) ++row;
  }
  std::string column = "column " + std::to_string(index + 1);
  if (!sourceName.empty()) column += " (" + sourceName + ")";
  Tavik::TavikFault fault;
  fault.kind = Tavik::TavikFault::Text;
  fault.row = static_cast<long>(row);
  fault.column = index;
  throw Tavik::TavikException("Can't convert the text in row " +
                                  std::to_string(row + 1) + " of " + column +
                                  ": " + why,
                              fault);
}

// An R string in the wide text of the encoding R declares for it.
void Column<Rcpp::CharacterVector>::decode(SEXP charsxp, R_xlen_t row,
                                           std::wstring& into) {
  converting = charsxp;
  const char* bytes = CHAR(charsxp);
  const std::size_t length = static_cast<std::size_t>(LENGTH(charsxp));
  const cetype_t encoding = Rf_getCharCE(charsxp);
  if (encoding == CE_BYTES && !isAscii(bytes, length)) {
    refuseText(row, "it is marked as bytes, which R can't translate");
  } else if (encoding == CE_LATIN1) {
    // Latin-1 bytes are the first 256 code points.
    into.resize(length);
    for (std::size_t i = 0; i < length; ++i)
      into[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]));
  } else if (encoding == CE_UTF8 || nativeUtf8 || isAscii(bytes, length)) {
    if (!utf8ToWide(bytes, length, into))
      refuseText(row, "it is not valid UTF-8");
  } else {
    try {
      into = a2w(std::string(bytes, length));
    } catch (const std::runtime_error&) {
      refuseText(row, "it is not valid in the native encoding");
    }
  }
}

// Labels and factor levels: each distinct R string is converted once per
// transfer, and its wide copy keeps its address until the column goes.
const wchar_t* Column<Rcpp::CharacterVector>::textOf(SEXP charsxp,
                                                     R_xlen_t row) {
  if (charsxp == lastCharsxp) return lastText;
  if (charsxp == NA_STRING) return kMissingText;
  const wchar_t** known = textByCharsxp.find(charsxp);
  const wchar_t* text = nullptr;
  if (known != nullptr) {
    text = *known;
  } else {
    decode(charsxp, row, wide);
    texts.push_back(wide);
    text = texts.back().c_str();
    textByCharsxp.insert(charsxp, text);
  }
  lastCharsxp = charsxp;
  lastText = text;
  return text;
}

// Other text cells, each converted when asked for into one buffer: a value
// column's texts are mostly distinct, and are used one row at a time.
const wchar_t* Column<Rcpp::CharacterVector>::cellText(SEXP charsxp,
                                                       R_xlen_t row) {
  if (charsxp == NA_STRING) return kMissingText;
  if (charsxp == lastCellCharsxp) return cell.data();
  lastCellCharsxp = nullptr;
  const char* bytes = CHAR(charsxp);
  const std::size_t length = static_cast<std::size_t>(LENGTH(charsxp));
  // UTF-8 (and ASCII) straight into the buffer, the rest by decode.
  const cetype_t encoding = Rf_getCharCE(charsxp);
  if (encoding == CE_UTF8 || (encoding == CE_NATIVE && nativeUtf8)) {
    if (cell.size() < length + 1) cell.resize(length + 1);
    std::size_t written = 0;
    if (!utf8ToWide(bytes, length, cell.data(), written))
      refuseText(row, "it is not valid UTF-8");
    cell[written] = L'\0';
  } else {
    decode(charsxp, row, wide);
    cell.assign(wide.c_str(), wide.c_str() + wide.size() + 1);
  }
  lastCellCharsxp = charsxp;
  return cell.data();
}

void Column<Rcpp::CharacterVector>::prepare(SEXP frame, SEXP column) {
  factorCodes = false;
  cells = nullptr;
  codes_ = nullptr;
  levelCells = nullptr;
  levelText.clear();
  nativeUtf8 = localeIsUtf8();
  SEXP names = Rf_getAttrib(frame, R_NamesSymbol);
  sourceName = TYPEOF(names) == STRSXP && index < Rf_xlength(names)
                   ? std::string(CHAR(STRING_ELT(names, index)))
                   : std::string();
  const int type = TYPEOF(column);
  if (type == STRSXP) {
    readable = column;
  } else if (isPlainFactor(column)) {
    // Levels are converted when a row first uses them; rows only pick a
    // level by its code.
    factorCodes = true;
    readable = column;
    levels = Rf_getAttrib(column, R_LevelsSymbol);
    const int* codeCells = nullptr;
    const SEXP* levelStrings = nullptr;
    SEXP levelVector = levels;
    guardRVoid([&] {
      codeCells = INTEGER(column);
      levelStrings = STRING_PTR_RO(levelVector);
    });
    codes_ = codeCells;
    levelCells = levelStrings;
    levelText.assign(static_cast<std::size_t>(Rf_xlength(levels)), nullptr);
  } else if (type == LGLSXP || type == INTSXP || type == REALSXP ||
             type == CPLXSXP || type == RAWSXP) {
    readable = callInGlobalEnv("as.character", column);
    if (TYPEOF(readable) != STRSXP)
      throw Rcpp::not_compatible("not compatible with STRSXP");
  } else {
    throw Rcpp::not_compatible("not compatible with STRSXP");
  }
  if (!factorCodes) {
    // A deferred or compact string vector makes its strings on first
    // access, which may raise.
    SEXP strings = readable;
    const SEXP* stringCells = nullptr;
    guardRVoid([&] { stringCells = STRING_PTR_RO(strings); });
    cells = stringCells;
  }
  source = column;
  readableLength = Rf_xlength(readable);
  keyStrings.clear();
  keyRows.clear();
  keyByCharsxp.clear();
  lastKeyCharsxp = nullptr;
  lastCellCharsxp = nullptr;
}

// The column of frame prepared, and row within it.
void Column<Rcpp::CharacterVector>::locate(Rcpp::DataFrame& frame, int row) {
  SEXP frameObject = frame;
  if (frameObject != sourceFrame) {
    SEXP column = columnAt(frame, index);
    if (column != source) prepare(frameObject, column);
    sourceFrame = frameObject;
  }
  if (row < 0 || row >= readableLength)
    throw Tavik::TavikException("Data frame column " +
                                std::to_string(index + 1) +
                                " has fewer rows than the first column");
}

void Column<Rcpp::CharacterVector>::getValue(Rcpp::DataFrame& frame, int row,
                                             Tavik::Value& value) {
  locate(frame, row);
  if (factorCodes) {
    const int code = codes_[row];
    if (code < 1 || code > static_cast<int>(levelText.size())) {
      value.str = kMissingText;
      return;
    }
    const wchar_t*& level = levelText[code - 1];
    if (level == nullptr) level = textOf(levelCells[code - 1], row);
    value.str = level;
    return;
  }
  value.str = cellText(cells[row], row);
}

// UTF-8 text is only checked here; it is converted when it is written.
void Column<Rcpp::CharacterVector>::checkValue(Rcpp::DataFrame& frame,
                                               int row) {
  locate(frame, row);
  SEXP charsxp = factorCodes ? NA_STRING : cells[row];
  if (charsxp != NA_STRING) {
    const cetype_t encoding = Rf_getCharCE(charsxp);
    if (encoding == CE_UTF8 || (encoding == CE_NATIVE && nativeUtf8)) {
      if (!isUtf8(CHAR(charsxp), static_cast<std::size_t>(LENGTH(charsxp))))
        refuseText(row, "it is not valid UTF-8");
      return;
    }
  }
  IColumn::checkValue(frame, row);
}

}  // namespace R

namespace R {

void Column<Rcpp::CharacterVector>::keyFrame(Rcpp::DataFrame& frame) {
  SEXP frameObject = frame;
  if (frameObject == sourceFrame) return;
  SEXP column = columnAt(frame, index);
  if (column != source) prepare(frameObject, column);
  sourceFrame = frameObject;
}

// A factor's key is its code less one, with one key more for a missing
// code; a character column numbers its distinct R strings as met.
int Column<Rcpp::CharacterVector>::keyOf(int row) {
  if (factorCodes) {
    const int code = codes_[row];
    const int levels = static_cast<int>(levelText.size());
    return code >= 1 && code <= levels ? code - 1 : levels;
  }
  SEXP charsxp = cells[row];
  if (charsxp == lastKeyCharsxp) return lastKey;
  const int* known = keyByCharsxp.find(charsxp);
  int key;
  if (known != nullptr) {
    key = *known;
  } else {
    key = static_cast<int>(keyStrings.size());
    keyStrings.push_back(charsxp);
    keyRows.push_back(row);
    keyByCharsxp.insert(charsxp, key);
  }
  lastKeyCharsxp = charsxp;
  lastKey = key;
  return key;
}

int Column<Rcpp::CharacterVector>::keyCount() const {
  return factorCodes ? static_cast<int>(levelText.size()) + 1
                     : static_cast<int>(keyStrings.size());
}

const wchar_t* Column<Rcpp::CharacterVector>::textOfKey(int key) {
  const std::size_t k = static_cast<std::size_t>(key);
  if (!factorCodes) return textOf(keyStrings[k], keyRows[k]);
  if (k == levelText.size()) return kMissingText;
  // The row is found only should the level fail to convert.
  if (levelText[k] == nullptr) levelText[k] = textOf(levelCells[k], -1);
  return levelText[k];
}

}  // namespace R
