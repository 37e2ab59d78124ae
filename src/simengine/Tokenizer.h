// Splits project-file text into words, quoted texts, punctuation and line
// ends. A word may contain "::" (scoped names); a single ':' is punctuation.
// '#' starts a comment up to the end of the line.
#ifndef TAVIK_SIM_TOKENIZER_H
#define TAVIK_SIM_TOKENIZER_H

#include <string>

namespace Sim {

enum class TokenKind { Word, Quoted, Punct, Newline, End };

struct Token {
  TokenKind kind = TokenKind::End;
  std::wstring text;  // Word, Quoted: the text; Punct: the character
  int line = 0;

  bool is(wchar_t punct) const {
    return kind == TokenKind::Punct && text[0] == punct;
  }
  bool isWord(const wchar_t* word) const {
    return kind == TokenKind::Word && text == word;
  }
};

class Tokenizer {
 public:
  explicit Tokenizer(std::wstring text) : text_(std::move(text)) {}
  // Fills token with the next token; a malformed quote is refused.
  void next(Token& token);
  int line() const { return line_; }

 private:
  void skipBlanksAndComments();

  std::wstring text_;
  size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace Sim

#endif
