// The character variant. Reading makes one R string per distinct text
// when the text cells keep their addresses; writing converts each distinct
// R string (or factor level) to wide text once and hands out its address
// for the rest of the transfer.
#ifndef TAVIK4R_RBRIDGE_CHARACTERCOLUMN_H
#define TAVIK4R_RBRIDGE_CHARACTERCOLUMN_H

#include <Rcpp.h>

#include <deque>
#include <string>
#include <vector>

#include "model/FlatMap.h"
#include "rbridge/IColumn.h"
#include "rbridge/WideText.h"

namespace R {

template <typename V>
class Column;

template <>
class Column<Rcpp::CharacterVector> : public IColumn {
 public:
  Column(const std::string& name, int index);
  ~Column() override {}

  void addValue(const Tavik::Value& value) override;
  void commit(Rcpp::List& list, Rcpp::CharacterVector& names) override;
  SEXP createSExpr() override;
  void getValue(Rcpp::DataFrame& frame, int row,
                Tavik::Value& value) override;
  void reserve(R_xlen_t cells) override;
  void markStableText() override { stableText = true; }

  // addValue for the read loop: inline, without a virtual call per cell.
  // The string is stored before anything else allocates, which keeps a
  // new one alive.
  void append(const Tavik::Value& value) {
    if (filled == capacity) grow();
    SET_STRING_ELT(data, filled, charsxpOf(value.str));
    ++filled;
  }

  std::string name;
  Rcpp::CharacterVector data;
  int index;

 private:
  void grow();
  void resize(R_xlen_t length);
  SEXP charsxpOf(const wchar_t* text) {
    // Text in a reused buffer (plain string values) is converted anew.
    if (!stableText) return wideText.toCharsxp(text);
    // Rows often repeat the previous label (data sorted by a dimension).
    if (text == lastAddedText) return lastAddedCharsxp;
    SEXP* known = charsxpByText.find(text);
    SEXP made = known != nullptr ? *known : newCharsxpOf(text);
    lastAddedText = text;
    lastAddedCharsxp = made;
    return made;
  }
  SEXP newCharsxpOf(const wchar_t* text);
  void prepare(SEXP column);
  const wchar_t* textOf(SEXP charsxp);

  // Reading from the engine.
  R_xlen_t filled = 0;
  R_xlen_t capacity = 0;
  bool stableText = false;
  // Every R string cached here is also stored in data, which keeps it.
  Tavik::FlatMap<const wchar_t*, SEXP> charsxpByText;
  const wchar_t* lastAddedText = nullptr;
  SEXP lastAddedCharsxp = nullptr;
  WideText wideText;

  // Writing to the engine.
  SEXP source = nullptr;
  // The frame source came from: within one transfer its columns stay.
  SEXP sourceFrame = nullptr;
  Rcpp::RObject readable;
  R_xlen_t readableLength = 0;
  bool factorCodes = false;
  std::vector<const wchar_t*> levelText;
  Tavik::FlatMap<SEXP, const wchar_t*> textByCharsxp;
  SEXP lastCharsxp = nullptr;
  const wchar_t* lastText = nullptr;
  // Deque elements never move, so the addresses handed out stay valid.
  std::deque<std::wstring> texts;
};

}  // namespace R

#endif
