#include "engine/owner_qualifier.h"

#include "engine/lexer.h"

namespace morvane::emulator {

std::string ResolveOwnerQualifiers(const std::string& sql, const std::string& owner) {
  if (owner.empty()) return sql;
  Tokens tokens = Tokenize(sql);
  bool changed = false;
  for (size_t i = 0; i + 1 < tokens.size(); ++i) {
    Token& t = tokens[i];
    if (t.kind != TokenKind::kWord && t.kind != TokenKind::kQuoted) continue;
    if (!IsSymbol(tokens[i + 1], ".")) continue;
    if (i > 0 && IsSymbol(tokens[i - 1], ".")) continue;  // not the first part of a name
    if (IdentifierName(t) != owner) continue;
    t = Token{TokenKind::kWord, "main"};
    changed = true;
  }
  return changed ? JoinTokens(tokens) : sql;
}

}  // namespace morvane::emulator
