// Walks the meaningful tokens of a statement for the small hand-written parsers (DDL and the
// dialect rewriter), remembering where each token stands in the full token list.
#pragma once

#include <string>
#include <string_view>

#include "engine/lexer.h"

namespace morvane::emulator {

class TokenCursor {
 public:
  explicit TokenCursor(const Tokens& tokens);

  bool AtEnd() const { return pos_ >= sig_.size(); }
  // The token `ahead` places on, or an empty symbol token past the end.
  const Token& Peek(size_t ahead = 0) const;
  bool PeekKeyword(std::string_view word, size_t ahead = 0) const;
  bool PeekSymbol(std::string_view symbol, size_t ahead = 0) const;
  const Token& Next();

  bool Accept(std::string_view keyword);
  bool AcceptSymbol(std::string_view symbol);
  void Expect(std::string_view keyword);
  void ExpectSymbol(std::string_view symbol);
  // An identifier (plain or quoted), as IdentifierName gives it.
  std::string Identifier();
  // schema.name or name; the schema part is dropped.
  std::string ObjectName();
  int Integer();

  // Skips tokens up to (not including) a comma or closing parenthesis at depth 0, or the end.
  void SkipToListEnd();
  // Source text of everything from the current token to the end (original spacing kept).
  std::string RestText() const;
  // Source text of the tokens between significant positions [from, to).
  std::string TextBetween(size_t from, size_t to) const;
  size_t position() const { return pos_; }

 private:
  [[noreturn]] void Fail(const std::string& expected) const;

  const Tokens& tokens_;
  std::vector<size_t> sig_;  // indexes of the significant tokens in tokens_
  size_t pos_ = 0;
};

}  // namespace morvane::emulator
