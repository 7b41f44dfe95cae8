#include "engine/token_cursor.h"

#include "engine/sql_error.h"

namespace morvane::emulator {

TokenCursor::TokenCursor(const Tokens& tokens) : tokens_(tokens) {
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (IsSignificant(tokens[i])) sig_.push_back(i);
  }
}

const Token& TokenCursor::Peek(size_t ahead) const {
  static const Token kEnd{TokenKind::kSymbol, ""};
  return pos_ + ahead < sig_.size() ? tokens_[sig_[pos_ + ahead]] : kEnd;
}

bool TokenCursor::PeekKeyword(std::string_view word, size_t ahead) const {
  return IsKeyword(Peek(ahead), word);
}

bool TokenCursor::PeekSymbol(std::string_view symbol, size_t ahead) const {
  return IsSymbol(Peek(ahead), symbol);
}

const Token& TokenCursor::Next() {
  const Token& t = Peek();
  if (!AtEnd()) ++pos_;
  return t;
}

bool TokenCursor::Accept(std::string_view keyword) {
  if (!PeekKeyword(keyword)) return false;
  ++pos_;
  return true;
}

bool TokenCursor::AcceptSymbol(std::string_view symbol) {
  if (!PeekSymbol(symbol)) return false;
  ++pos_;
  return true;
}

void TokenCursor::Expect(std::string_view keyword) {
  if (!Accept(keyword)) Fail(std::string(keyword));
}

void TokenCursor::ExpectSymbol(std::string_view symbol) {
  if (!AcceptSymbol(symbol)) Fail(std::string(symbol));
}

std::string TokenCursor::Identifier() {
  const Token& t = Peek();
  if (t.kind != TokenKind::kWord && t.kind != TokenKind::kQuoted) Fail("identifier");
  ++pos_;
  return IdentifierName(t);
}

std::string TokenCursor::ObjectName() {
  std::string name = Identifier();
  while (AcceptSymbol(".")) name = Identifier();
  return name;
}

int TokenCursor::Integer() {
  bool negative = AcceptSymbol("-");
  const Token& t = Peek();
  if (t.kind != TokenKind::kNumber) Fail("number");
  ++pos_;
  int value = std::stoi(t.text);
  return negative ? -value : value;
}

void TokenCursor::SkipToListEnd() {
  int depth = 0;
  while (!AtEnd()) {
    if (depth == 0 && (PeekSymbol(",") || PeekSymbol(")"))) return;
    if (PeekSymbol("(")) ++depth;
    if (PeekSymbol(")")) --depth;
    ++pos_;
  }
}

std::string TokenCursor::RestText() const { return TextBetween(pos_, sig_.size()); }

std::string TokenCursor::TextBetween(size_t from, size_t to) const {
  if (from >= to || from >= sig_.size()) return "";
  size_t last = sig_[std::min(to, sig_.size()) - 1];
  std::string text;
  for (size_t i = sig_[from]; i <= last; ++i) text += tokens_[i].text;
  return text;
}

void TokenCursor::Fail(const std::string& expected) const {
  std::string found = AtEnd() ? "end of statement" : "\"" + Peek().text + "\"";
  throw SqlError(ErrorKind::kSyntax, "expected " + expected + " but found " + found);
}

}  // namespace morvane::emulator
