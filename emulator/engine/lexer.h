// Splits SQL text into tokens that keep every byte, so a statement can be rewritten piece by
// piece and joined back without disturbing the parts that were not touched.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvane::emulator {

enum class TokenKind {
  kSpace,    // blanks, tabs, line breaks
  kComment,  // -- to end of line, or /* ... */
  kWord,     // identifier or keyword (letters, digits, _ $ # and any non-ASCII byte)
  kQuoted,   // "quoted identifier"
  kString,   // 'string literal'
  kNumber,   // 12, 3.5, 1e3
  kSymbol,   // one punctuation character, or || <= >= <> !=
};

struct Token {
  TokenKind kind;
  std::string text;
};

using Tokens = std::vector<Token>;

Tokens Tokenize(std::string_view sql);
std::string JoinTokens(const Tokens& tokens);

// True for tokens that carry meaning (not space or comment).
inline bool IsSignificant(const Token& t) {
  return t.kind != TokenKind::kSpace && t.kind != TokenKind::kComment;
}

// Case-insensitive keyword test on a word token.
bool IsKeyword(const Token& t, std::string_view upper_word);
inline bool IsSymbol(const Token& t, std::string_view s) {
  return t.kind == TokenKind::kSymbol && t.text == s;
}

// Upper-cases ASCII letters only; other bytes stay as they are.
std::string AsciiUpper(std::string_view text);

// The name an identifier token stands for: quoted identifiers keep their case (without the
// quotes), plain words are upper-cased as the vendors do.
std::string IdentifierName(const Token& t);

// Text for an identifier in SQLite: always double-quoted.
std::string QuoteIdentifier(std::string_view name);

// Text for a string literal in SQLite.
std::string QuoteString(std::string_view text);

}  // namespace morvane::emulator
