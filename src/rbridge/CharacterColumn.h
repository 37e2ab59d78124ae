// The character variant. Reading turns wide text into R strings marked
// UTF-8, in batches so that R is entered once per batch rather than once
// per cell; when the text cells keep their addresses (labels) each
// distinct text becomes one R string. Writing converts R strings from the
// encoding R declares for them: as keys (each distinct label or factor
// level in use once, its wide text kept for the transfer), or cell by cell
// into one buffer (values).
#ifndef TAVIK4R_RBRIDGE_CHARACTERCOLUMN_H
#define TAVIK4R_RBRIDGE_CHARACTERCOLUMN_H

#include <Rcpp.h>

#include <deque>
#include <string>
#include <vector>

#include "model/FlatMap.h"
#include "model/IKeyedText.h"
#include "rbridge/IColumn.h"

namespace R {

template <typename V>
class Column;

template <>
class Column<Rcpp::CharacterVector> : public IColumn, public Tavik::IKeyedText {
 public:
  Column(const std::string& name, int index);
  ~Column() override {}

  void addValue(const Tavik::Value& value) override;
  void commit(Rcpp::List& list, Rcpp::CharacterVector& names) override;
  SEXP createSExpr() override;
  void getValue(Rcpp::DataFrame& frame, int row, Tavik::Value& value) override;
  void checkValue(Rcpp::DataFrame& frame, int row) override;
  void reserve(R_xlen_t cells) override;
  void markStableText() override { stableText = true; }

  // Keys for writing: a factor's code, or one key per distinct R string.
  // keyFrame makes the column of frame the one keyed.
  void keyFrame(Rcpp::DataFrame& frame);
  int keyOf(int row) override;
  int keyCount() const override;
  const wchar_t* textOfKey(int key) override;
  const int* codes() override { return factorCodes ? codes_ : nullptr; }

  // addValue for the read loop: inline, without a virtual call per cell.
  void append(const Tavik::Value& value) {
    if (filled == capacity) grow();
    const wchar_t* text = value.str;
    if (text == nullptr) {
      SET_STRING_ELT(data, filled++, NA_STRING);
    } else if (*text == L'\0') {
      SET_STRING_ELT(data, filled++, R_BlankString);
    } else if (stableText && text == lastAddedText) {
      // Rows often repeat the previous label (data sorted by a dimension).
      SET_STRING_ELT(data, filled++, lastAddedCharsxp);
    } else if (SEXP* known = stableText ? charsxpByText.find(text) : nullptr) {
      lastAddedText = text;
      lastAddedCharsxp = *known;
      SET_STRING_ELT(data, filled++, *known);
    } else {
      queue(text);
    }
  }

  // append for labels that carry their place in their set: the R string
  // made for a place is kept by place, so a row costs an array look-up.
  void appendLabel(const Tavik::Value& value) {
    const int place = *value.integer;
    if (place < 0) {
      append(value);
      return;
    }
    const std::size_t at = static_cast<std::size_t>(place);
    if (at < byPlace.size() && byPlace[at] != nullptr) {
      if (filled == capacity) grow();
      SET_STRING_ELT(data, filled++, byPlace[at]);
      return;
    }
    if (at >= byPlace.size()) byPlace.resize(at + 1, nullptr);
    // A label seen for the first time: its R string is either made now or
    // queued, and then kept by place when its batch is made.
    const std::size_t queued = pending.size();
    nextPlace = place;
    append(value);
    nextPlace = -1;
    if (pending.size() == queued) byPlace[at] = STRING_ELT(data, filled - 1);
  }

  // appendLabel over a batch of cells, width apart: room for the batch is
  // made once, and a label already met costs one look-up and one store.
  void appendLabels(const Tavik::Value* cells, std::size_t rows,
                    std::size_t width) {
    makeRoom(filled + static_cast<R_xlen_t>(rows));
    std::size_t r = 0;
    while (r < rows) {
      SEXP target = data;
      const std::size_t known = byPlace.size();
      SEXP const* strings = byPlace.data();
      for (; r < rows; ++r) {
        const std::size_t at =
            static_cast<std::size_t>(*cells[r * width].integer);
        // A negative place turns into a large one and takes the long road.
        if (at >= known || strings[at] == nullptr) break;
        SET_STRING_ELT(target, filled++, strings[at]);
      }
      if (r < rows) appendLabel(cells[r++ * width]);
    }
  }

  std::string name;
  Rcpp::CharacterVector data;
  int index;

 private:
  // Reading from the engine.
  struct Pending {
    R_xlen_t cell;
    std::size_t offset;
    std::size_t length;
    const wchar_t* stable;  // the label's address, or null
    int place;              // the label's place in its set, or -1
  };
  void grow();
  void makeRoom(R_xlen_t cells);
  void resize(R_xlen_t length);
  void queue(const wchar_t* text);
  void flush();

  R_xlen_t filled = 0;
  R_xlen_t capacity = 0;
  bool stableText = false;
  // Every R string cached here is also stored in data, which keeps it.
  Tavik::FlatMap<const wchar_t*, SEXP> charsxpByText;
  const wchar_t* lastAddedText = nullptr;
  SEXP lastAddedCharsxp = nullptr;
  // Cells whose R strings are still to be made: their UTF-8 bytes
  // one after the other.
  std::vector<Pending> pending;
  std::string pendingBytes;
  std::string utf8;
  // Labels queued since the last batch, by address, so a label met again
  // before its R string exists is converted only once.
  Tavik::FlatMap<const wchar_t*, bool> queuedByText;
  const wchar_t* lastQueuedText = nullptr;
  // The R string of each label place met so far (each is also in data,
  // which keeps it), and the place of the label being appended.
  std::vector<SEXP> byPlace;
  int nextPlace = -1;

  // Writing to the engine.
  void prepare(SEXP frame, SEXP column);
  void decode(SEXP charsxp, R_xlen_t row, std::wstring& into);
  const wchar_t* textOf(SEXP charsxp, R_xlen_t row);
  const wchar_t* cellText(SEXP charsxp, R_xlen_t row);
  void locate(Rcpp::DataFrame& frame, int row);
  [[noreturn]] void refuseText(R_xlen_t row, const char* why) const;

  SEXP source = nullptr;
  // The frame source came from: within one transfer its columns stay.
  SEXP sourceFrame = nullptr;
  std::string sourceName;
  Rcpp::RObject readable;
  const SEXP* cells = nullptr;
  const int* codes_ = nullptr;
  R_xlen_t readableLength = 0;
  bool factorCodes = false;
  bool nativeUtf8 = false;
  Rcpp::RObject levels;
  const SEXP* levelCells = nullptr;
  std::vector<const wchar_t*> levelText;
  Tavik::FlatMap<SEXP, const wchar_t*> textByCharsxp;
  SEXP lastCharsxp = nullptr;
  const wchar_t* lastText = nullptr;
  SEXP converting = nullptr;
  // Deque elements never move, so the addresses handed out stay valid.
  std::deque<std::wstring> texts;
  std::wstring wide;
  std::vector<wchar_t> cell;
  SEXP lastCellCharsxp = nullptr;
  // Keys of a character column: the R string of each key, the first row
  // it was met in (for messages), and the key of each R string.
  std::vector<SEXP> keyStrings;
  std::vector<R_xlen_t> keyRows;
  Tavik::FlatMap<SEXP, int> keyByCharsxp;
  SEXP lastKeyCharsxp = nullptr;
  int lastKey = 0;
};

}  // namespace R

#endif
