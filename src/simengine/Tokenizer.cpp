#include "simengine/Tokenizer.h"

#include "simengine/Refusal.h"

namespace Sim {

namespace {

bool isPunct(wchar_t c) {
  return c == L'{' || c == L'}' || c == L'(' || c == L')' || c == L',' ||
         c == L';' || c == L'=' || c == L':';
}

bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r'; }

}  // namespace

void Tokenizer::skipBlanksAndComments() {
  while (pos_ < text_.size()) {
    wchar_t c = text_[pos_];
    if (isBlank(c)) {
      ++pos_;
    } else if (c == L'#') {
      while (pos_ < text_.size() && text_[pos_] != L'\n') ++pos_;
    } else {
      break;
    }
  }
}

void Tokenizer::next(Token& token) {
  skipBlanksAndComments();
  token.text.clear();
  token.line = line_;
  if (pos_ >= text_.size()) {
    token.kind = TokenKind::End;
    return;
  }
  wchar_t c = text_[pos_];
  if (c == L'\n') {
    token.kind = TokenKind::Newline;
    ++pos_;
    ++line_;
    return;
  }
  if (c == L'"') {
    token.kind = TokenKind::Quoted;
    ++pos_;
    while (true) {
      if (pos_ >= text_.size() || text_[pos_] == L'\n') {
        throw Refusal(kBadValue, L"unterminated quoted text");
      }
      wchar_t q = text_[pos_++];
      if (q == L'"') break;
      if (q == L'\\' && pos_ < text_.size() && text_[pos_] != L'\n') {
        q = text_[pos_++];
        if (q == L'n') q = L'\n';
        if (q == L't') q = L'\t';
      }
      token.text.push_back(q);
    }
    return;
  }
  bool scope = c == L':' && pos_ + 1 < text_.size() && text_[pos_ + 1] == L':';
  if (isPunct(c) && !scope) {
    token.kind = TokenKind::Punct;
    token.text.assign(1, c);
    ++pos_;
    return;
  }
  token.kind = TokenKind::Word;
  while (pos_ < text_.size()) {
    c = text_[pos_];
    if (c == L':' && pos_ + 1 < text_.size() && text_[pos_ + 1] == L':') {
      token.text.append(L"::");
      pos_ += 2;
      continue;
    }
    if (isBlank(c) || c == L'\n' || c == L'#' || c == L'"' || isPunct(c)) break;
    token.text.push_back(c);
    ++pos_;
  }
}

}  // namespace Sim
