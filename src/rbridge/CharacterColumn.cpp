#include <string>

#include "engine/TavikException.h"
#include "engine/TextConversion.h"
#include "rbridge/Column.h"
#include "rbridge/RConversions.h"

namespace R {

namespace {

const R_xlen_t kFirstGrowth = 1024;
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

}  // namespace

Column<Rcpp::CharacterVector>::Column(const std::string& name, int index)
    : name(name), data(Rf_allocVector(STRSXP, 0)), index(index) {}

void Column<Rcpp::CharacterVector>::resize(R_xlen_t length) {
  Rcpp::CharacterVector grown(Rf_allocVector(STRSXP, length));
  const R_xlen_t kept = filled < length ? filled : length;
  for (R_xlen_t i = 0; i < kept; ++i)
    SET_STRING_ELT(grown, i, STRING_ELT(data, i));
  data = grown;
  capacity = length;
}

void Column<Rcpp::CharacterVector>::reserve(R_xlen_t cells) {
  if (cells > capacity) resize(cells);
}

SEXP Column<Rcpp::CharacterVector>::newCharsxpOf(const wchar_t* text) {
  SEXP made = wideText.toCharsxp(text);
  charsxpByText.insert(text, made);
  return made;
}

void Column<Rcpp::CharacterVector>::grow() {
  resize(capacity < kFirstGrowth ? kFirstGrowth : capacity + capacity / 2);
}

void Column<Rcpp::CharacterVector>::addValue(const Tavik::Value& value) {
  append(value);
}

void Column<Rcpp::CharacterVector>::commit(Rcpp::List& list,
                                           Rcpp::CharacterVector& names) {
  if (filled != capacity) resize(filled);
  list.push_back(data);
  names.push_back(name);
}

SEXP Column<Rcpp::CharacterVector>::createSExpr() {
  if (filled == 0) return Rf_mkString("");
  return Rf_ScalarString(STRING_ELT(data, 0));
}

const wchar_t* Column<Rcpp::CharacterVector>::textOf(SEXP charsxp) {
  if (charsxp == lastCharsxp) return lastText;
  const wchar_t** known = textByCharsxp.find(charsxp);
  const wchar_t* text = nullptr;
  if (known != nullptr) {
    text = *known;
  } else {
    texts.push_back(a2w(CHAR(charsxp)));
    text = texts.back().c_str();
    textByCharsxp.insert(charsxp, text);
  }
  lastCharsxp = charsxp;
  lastText = text;
  return text;
}

void Column<Rcpp::CharacterVector>::prepare(SEXP column) {
  factorCodes = false;
  levelText.clear();
  const int type = TYPEOF(column);
  if (type == STRSXP) {
    readable = column;
  } else if (isPlainFactor(column)) {
    // Each level is converted once; rows then only pick a level by code.
    readable = column;
    factorCodes = true;
    SEXP levels = Rf_getAttrib(column, R_LevelsSymbol);
    for (R_xlen_t i = 0; i < Rf_xlength(levels); ++i)
      levelText.push_back(textOf(STRING_ELT(levels, i)));
  } else if (type == LGLSXP || type == INTSXP || type == REALSXP ||
             type == CPLXSXP || type == RAWSXP) {
    readable = callInGlobalEnv("as.character", column);
    if (TYPEOF(readable) != STRSXP)
      throw Rcpp::not_compatible("not compatible with STRSXP");
  } else {
    throw Rcpp::not_compatible("not compatible with STRSXP");
  }
  source = column;
  readableLength = Rf_xlength(readable);
}

void Column<Rcpp::CharacterVector>::getValue(Rcpp::DataFrame& frame,
                                             int row, Tavik::Value& value) {
  SEXP frameObject = frame;
  if (frameObject != sourceFrame) {
    SEXP column = columnAt(frame, index);
    if (column != source) prepare(column);
    sourceFrame = frameObject;
  }
  if (row < 0 || row >= readableLength)
    throw Tavik::TavikException("Data frame column " +
                                std::to_string(index + 1) +
                                " has fewer rows than the first column");
  if (factorCodes) {
    const int code = INTEGER(readable)[row];
    const bool known = code >= 1 && code <= static_cast<int>(levelText.size());
    value.str = known ? levelText[code - 1] : kMissingText;
    return;
  }
  value.str = textOf(STRING_ELT(readable, row));
}

}  // namespace R
