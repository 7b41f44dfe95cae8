#include "engine/lexer.h"

#include <cctype>

namespace morvane::emulator {
namespace {

bool IsWordByte(unsigned char c) {
  return std::isalnum(c) || c == '_' || c == '$' || c == '#' || c >= 0x80;
}

// Length of a quoted run starting at pos (quote doubled inside counts as one character).
size_t QuotedLength(std::string_view sql, size_t pos, char quote) {
  size_t i = pos + 1;
  while (i < sql.size()) {
    if (sql[i] == quote) {
      if (i + 1 < sql.size() && sql[i + 1] == quote) {
        i += 2;
        continue;
      }
      return i + 1 - pos;
    }
    ++i;
  }
  return sql.size() - pos;
}

size_t NumberLength(std::string_view sql, size_t pos) {
  size_t i = pos;
  while (i < sql.size() && (std::isdigit(static_cast<unsigned char>(sql[i])) || sql[i] == '.')) {
    ++i;
  }
  if (i < sql.size() && (sql[i] == 'e' || sql[i] == 'E')) {
    size_t j = i + 1;
    if (j < sql.size() && (sql[j] == '+' || sql[j] == '-')) ++j;
    if (j < sql.size() && std::isdigit(static_cast<unsigned char>(sql[j]))) {
      i = j;
      while (i < sql.size() && std::isdigit(static_cast<unsigned char>(sql[i]))) ++i;
    }
  }
  return i - pos;
}

Token NextToken(std::string_view sql, size_t pos) {
  unsigned char c = sql[pos];
  auto make = [&](TokenKind kind, size_t len) {
    return Token{kind, std::string(sql.substr(pos, len))};
  };
  if (std::isspace(c)) {
    size_t i = pos;
    while (i < sql.size() && std::isspace(static_cast<unsigned char>(sql[i]))) ++i;
    return make(TokenKind::kSpace, i - pos);
  }
  if (c == '-' && pos + 1 < sql.size() && sql[pos + 1] == '-') {
    size_t end = sql.find('\n', pos);
    return make(TokenKind::kComment, (end == std::string_view::npos ? sql.size() : end) - pos);
  }
  if (c == '/' && pos + 1 < sql.size() && sql[pos + 1] == '*') {
    size_t end = sql.find("*/", pos + 2);
    return make(TokenKind::kComment, (end == std::string_view::npos ? sql.size() : end + 2) - pos);
  }
  if (c == '\'') return make(TokenKind::kString, QuotedLength(sql, pos, '\''));
  if (c == '"') return make(TokenKind::kQuoted, QuotedLength(sql, pos, '"'));
  if (std::isdigit(c) || (c == '.' && pos + 1 < sql.size() &&
                          std::isdigit(static_cast<unsigned char>(sql[pos + 1])))) {
    return make(TokenKind::kNumber, NumberLength(sql, pos));
  }
  if (IsWordByte(c)) {
    size_t i = pos;
    while (i < sql.size() && IsWordByte(static_cast<unsigned char>(sql[i]))) ++i;
    return make(TokenKind::kWord, i - pos);
  }
  static constexpr std::string_view kPairs[] = {"||", "<=", ">=", "<>", "!=", "=="};
  for (std::string_view pair : kPairs) {
    if (sql.substr(pos, 2) == pair) return make(TokenKind::kSymbol, 2);
  }
  return make(TokenKind::kSymbol, 1);
}

}  // namespace

Tokens Tokenize(std::string_view sql) {
  Tokens tokens;
  size_t pos = 0;
  while (pos < sql.size()) {
    tokens.push_back(NextToken(sql, pos));
    pos += tokens.back().text.size();
  }
  return tokens;
}

std::string JoinTokens(const Tokens& tokens) {
  std::string text;
  for (const Token& t : tokens) text += t.text;
  return text;
}

std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool IsKeyword(const Token& t, std::string_view upper_word) {
  if (t.kind != TokenKind::kWord || t.text.size() != upper_word.size()) return false;
  for (size_t i = 0; i < t.text.size(); ++i) {
    char c = t.text[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != upper_word[i]) return false;
  }
  return true;
}

std::string IdentifierName(const Token& t) {
  if (t.kind == TokenKind::kQuoted) {
    std::string inner = t.text.substr(1, t.text.size() >= 2 ? t.text.size() - 2 : 0);
    std::string name;
    for (size_t i = 0; i < inner.size(); ++i) {
      name += inner[i];
      if (inner[i] == '"' && i + 1 < inner.size() && inner[i + 1] == '"') ++i;
    }
    return name;
  }
  return AsciiUpper(t.text);
}

namespace {
std::string Quote(std::string_view text, char quote) {
  std::string out(1, quote);
  for (char c : text) {
    out += c;
    if (c == quote) out += quote;
  }
  out += quote;
  return out;
}
}  // namespace

std::string QuoteIdentifier(std::string_view name) { return Quote(name, '"'); }
std::string QuoteString(std::string_view text) { return Quote(text, '\''); }

}  // namespace morvane::emulator
