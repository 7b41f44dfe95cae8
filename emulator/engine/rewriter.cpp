#include "engine/rewriter.h"

#include <algorithm>
#include <map>
#include <set>

#include "engine/lexer.h"
#include "engine/sql_error.h"

namespace morvane::emulator {
namespace {

// Indexes of the significant tokens.
std::vector<size_t> Significant(const Tokens& tokens) {
  std::vector<size_t> sig;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (IsSignificant(tokens[i])) sig.push_back(i);
  }
  return sig;
}

bool IsName(const Token& t) { return t.kind == TokenKind::kWord || t.kind == TokenKind::kQuoted; }

// ---- token-level substitutions ----

// SYSTEM.NAME() in a FROM list reads the table function's rows: drop the parentheses.
Tokens DropTableFunctionParens(const Tokens& in, const std::string& schema) {
  std::vector<size_t> sig = Significant(in);
  std::set<size_t> drop;
  for (size_t k = 0; k + 4 < sig.size(); ++k) {
    if (IsKeyword(in[sig[k]], schema) && IsSymbol(in[sig[k + 1]], ".") && IsName(in[sig[k + 2]]) &&
        IsSymbol(in[sig[k + 3]], "(") && IsSymbol(in[sig[k + 4]], ")")) {
      for (size_t i = sig[k + 3]; i <= sig[k + 4]; ++i) drop.insert(i);
    }
  }
  Tokens out;
  for (size_t i = 0; i < in.size(); ++i) {
    if (!drop.count(i)) out.push_back(in[i]);
  }
  return out;
}

bool IsClauseWord(const Token& t) {
  static const char* kWords[] = {"WHERE", "ON",     "JOIN",      "LEFT",    "RIGHT",
                                 "INNER", "OUTER",  "FULL",      "CROSS",   "ORDER",
                                 "GROUP", "UNION",  "HAVING",    "NATURAL", "USING",
                                 "MINUS", "EXCEPT", "INTERSECT", "SELECT",  "FROM"};
  for (const char* w : kWords) {
    if (IsKeyword(t, w)) return true;
  }
  return false;
}

// SQLite knows an aliased table only by its alias: S.T.C becomes A.C where "S.T A" is in a
// FROM list.
Tokens UseAliasesForThreePartNames(const Tokens& in) {
  std::vector<size_t> sig = Significant(in);
  std::map<std::string, std::string> alias_of;
  for (size_t k = 0; k + 3 < sig.size(); ++k) {
    const Token& s = in[sig[k]];
    const Token& t = in[sig[k + 2]];
    if (!IsName(s) || !IsSymbol(in[sig[k + 1]], ".") || !IsName(t)) continue;
    if (k > 0 && IsSymbol(in[sig[k - 1]], ".")) continue;
    size_t a = k + 3;
    if (IsKeyword(in[sig[a]], "AS") && a + 1 < sig.size()) ++a;
    const Token& alias = in[sig[a]];
    if (IsName(alias) && !IsClauseWord(alias)) {
      alias_of[IdentifierName(s) + "." + IdentifierName(t)] = alias.text;
    }
  }
  if (alias_of.empty()) return in;
  std::set<size_t> drop;
  std::map<size_t, std::string> replace;
  for (size_t k = 0; k + 4 < sig.size(); ++k) {
    if (!IsName(in[sig[k]]) || !IsSymbol(in[sig[k + 1]], ".") || !IsName(in[sig[k + 2]]) ||
        !IsSymbol(in[sig[k + 3]], ".") || !IsName(in[sig[k + 4]])) {
      continue;
    }
    auto it = alias_of.find(IdentifierName(in[sig[k]]) + "." + IdentifierName(in[sig[k + 2]]));
    if (it == alias_of.end()) continue;
    replace[sig[k]] = it->second;
    for (size_t i = sig[k] + 1; i <= sig[k + 2]; ++i) drop.insert(i);
  }
  Tokens out;
  for (size_t i = 0; i < in.size(); ++i) {
    if (drop.count(i)) continue;
    out.push_back(in[i]);
    if (replace.count(i)) out.back().text = replace[i];
  }
  return out;
}

// SYSDATE is a pseudo-column: SYSDATE(); Oracle's MINUS is SQLite's EXCEPT.
Tokens ReplaceOracleWords(const Tokens& in) {
  Tokens out = in;
  std::vector<size_t> sig = Significant(out);
  for (size_t k = 0; k < sig.size(); ++k) {
    Token& t = out[sig[k]];
    bool after_dot = k > 0 && IsSymbol(out[sig[k - 1]], ".");
    bool before_paren = k + 1 < sig.size() && IsSymbol(out[sig[k + 1]], "(");
    if (IsKeyword(t, "SYSDATE") && !after_dot && !before_paren) t.text = "SYSDATE()";
    if (IsKeyword(t, "MINUS")) t.text = "EXCEPT";
  }
  return out;
}

// ---- outer joins written with (+) ----

struct FromItem {
  std::string text;
  std::string name;  // alias, or the (possibly dotted) table name, upper case
  bool outer = false;
  std::vector<std::string> conditions;
  std::set<std::string> depends_on;
  bool placed = false;
};

std::string Trimmed(const Tokens& tokens, size_t from, size_t to) {
  while (from < to && !IsSignificant(tokens[from])) ++from;
  while (to > from && !IsSignificant(tokens[to - 1])) --to;
  std::string text;
  for (size_t i = from; i < to; ++i) text += tokens[i].text;
  return text;
}

// Splits [from, to) at depth-0 tokens for which `is_separator` holds.
template <typename Pred>
std::vector<std::pair<size_t, size_t>> SplitAtDepth0(const Tokens& t, size_t from, size_t to,
                                                     Pred is_separator) {
  std::vector<std::pair<size_t, size_t>> parts;
  int depth = 0;
  size_t start = from;
  bool in_between = false;
  for (size_t i = from; i < to; ++i) {
    if (IsSymbol(t[i], "(")) ++depth;
    if (IsSymbol(t[i], ")")) --depth;
    if (depth != 0) continue;
    if (IsKeyword(t[i], "BETWEEN")) in_between = true;
    if (is_separator(t[i])) {
      if (in_between && IsKeyword(t[i], "AND")) {
        in_between = false;
        continue;
      }
      parts.push_back({start, i});
      start = i + 1;
    }
  }
  parts.push_back({start, to});
  return parts;
}

std::string ItemName(const Tokens& t, size_t from, size_t to) {
  std::vector<size_t> sig;
  for (size_t i = from; i < to; ++i) {
    if (IsSignificant(t[i])) sig.push_back(i);
  }
  if (sig.empty()) return "";
  const Token& last = t[sig.back()];
  if (sig.size() > 1 && IsName(last) && !IsSymbol(t[sig[sig.size() - 2]], ".")) {
    return IdentifierName(last);
  }
  std::string name;
  for (size_t i : sig) name += IsName(t[i]) ? IdentifierName(t[i]) : t[i].text;
  return name;
}

// Qualifiers of the column references (A.B.C gives "A.B") in a condition.
std::set<std::string> Qualifiers(const Tokens& c) {
  std::set<std::string> result;
  std::vector<size_t> sig = Significant(c);
  for (size_t k = 0; k < sig.size(); ++k) {
    if (!IsName(c[sig[k]]) || (k > 0 && IsSymbol(c[sig[k - 1]], "."))) continue;
    std::vector<std::string> parts{IdentifierName(c[sig[k]])};
    size_t j = k;
    while (j + 2 < sig.size() && IsSymbol(c[sig[j + 1]], ".") && IsName(c[sig[j + 2]])) {
      parts.push_back(IdentifierName(c[sig[j + 2]]));
      j += 2;
    }
    if (parts.size() < 2) continue;
    std::string q = parts[0];
    for (size_t p = 1; p + 1 < parts.size(); ++p) q += "." + parts[p];
    result.insert(q);
  }
  return result;
}

// Removes every (+) from a condition; returns the qualifier of the column each one followed.
std::set<std::string> TakeOuterMarks(Tokens& c) {
  std::set<std::string> marked;
  std::vector<size_t> sig = Significant(c);
  std::set<size_t> drop;
  for (size_t k = 0; k + 2 < sig.size(); ++k) {
    if (!IsSymbol(c[sig[k]], "(") || !IsSymbol(c[sig[k + 1]], "+") ||
        !IsSymbol(c[sig[k + 2]], ")")) {
      continue;
    }
    std::vector<std::string> parts;
    size_t j = k;
    while (j >= 1 && IsName(c[sig[j - 1]])) {
      parts.insert(parts.begin(), IdentifierName(c[sig[j - 1]]));
      if (j >= 2 && IsSymbol(c[sig[j - 2]], ".")) {
        j -= 2;
      } else {
        break;
      }
    }
    if (parts.size() < 2) {
      throw SqlError(ErrorKind::kUnsupported, "(+) needs a column qualified by its table");
    }
    std::string q = parts[0];
    for (size_t p = 1; p + 1 < parts.size(); ++p) q += "." + parts[p];
    marked.insert(q);
    for (size_t i = sig[k]; i <= sig[k + 2]; ++i) drop.insert(i);
  }
  Tokens kept;
  for (size_t i = 0; i < c.size(); ++i) {
    if (!drop.count(i)) kept.push_back(c[i]);
  }
  c = kept;
  return marked;
}

bool HasOuterMark(const Tokens& t, size_t from, size_t to) {
  std::vector<size_t> sig;
  for (size_t i = from; i < to; ++i) {
    if (IsSignificant(t[i])) sig.push_back(i);
  }
  for (size_t k = 0; k + 2 < sig.size(); ++k) {
    if (IsSymbol(t[sig[k]], "(") && IsSymbol(t[sig[k + 1]], "+") && IsSymbol(t[sig[k + 2]], ")")) {
      return true;
    }
  }
  return false;
}

// Position of the first depth-0 keyword of `words` in [from, to), or `to`.
size_t FindAtDepth0(const Tokens& t, size_t from, size_t to,
                    std::initializer_list<const char*> words) {
  int depth = 0;
  for (size_t i = from; i < to; ++i) {
    if (IsSymbol(t[i], "(")) ++depth;
    if (IsSymbol(t[i], ")")) --depth;
    if (depth != 0) continue;
    for (const char* w : words) {
      if (IsKeyword(t[i], w)) return i;
    }
  }
  return to;
}

std::string ConvertOuterJoins(const Tokens& t) {
  size_t from_kw = FindAtDepth0(t, 0, t.size(), {"FROM"});
  size_t where_kw = FindAtDepth0(t, from_kw, t.size(), {"WHERE"});
  if (from_kw == t.size() || where_kw == t.size()) return JoinTokens(t);
  size_t where_end =
      FindAtDepth0(t, where_kw + 1, t.size(), {"GROUP", "ORDER", "HAVING", "CONNECT", "START"});
  if (!HasOuterMark(t, where_kw + 1, where_end)) return JoinTokens(t);
  if (FindAtDepth0(t, where_kw + 1, where_end, {"OR"}) != where_end) {
    throw SqlError(ErrorKind::kUnsupported, "outer join operator (+) not allowed in operand of OR");
  }

  std::vector<FromItem> items;
  for (auto [a, b] :
       SplitAtDepth0(t, from_kw + 1, where_kw, [](const Token& x) { return IsSymbol(x, ","); })) {
    FromItem item;
    item.text = Trimmed(t, a, b);
    item.name = ItemName(t, a, b);
    items.push_back(std::move(item));
  }
  auto find_item = [&](const std::string& name) -> FromItem* {
    for (FromItem& item : items) {
      if (item.name == name) return &item;
    }
    return nullptr;
  };

  std::vector<std::string> plain_conditions;
  for (auto [a, b] : SplitAtDepth0(t, where_kw + 1, where_end,
                                   [](const Token& x) { return IsKeyword(x, "AND"); })) {
    Tokens condition(t.begin() + a, t.begin() + b);
    std::set<std::string> marked = TakeOuterMarks(condition);
    std::string text = Trimmed(condition, 0, condition.size());
    if (marked.empty()) {
      plain_conditions.push_back(text);
      continue;
    }
    FromItem* outer = marked.size() == 1 ? find_item(*marked.begin()) : nullptr;
    if (!outer)
      throw SqlError(ErrorKind::kUnsupported, "(+) must mark columns of one table in FROM");
    outer->outer = true;
    outer->conditions.push_back(text);
    for (const std::string& q : Qualifiers(condition)) {
      if (q != outer->name && find_item(q)) outer->depends_on.insert(q);
    }
  }

  std::string from_text;
  std::set<std::string> placed;
  for (FromItem& item : items) {
    if (item.outer) continue;
    from_text += (from_text.empty() ? "" : ",") + item.text;
    placed.insert(item.name);
  }
  for (size_t round = 0; round < items.size(); ++round) {
    for (FromItem& item : items) {
      if (!item.outer || placed.count(item.name)) continue;
      bool ready = std::all_of(item.depends_on.begin(), item.depends_on.end(),
                               [&](const std::string& d) { return placed.count(d) > 0; });
      if (!ready) continue;
      std::string on;
      for (const std::string& c : item.conditions)
        on += (on.empty() ? "" : " AND ") + ("(" + c + ")");
      from_text += (from_text.empty() ? "" : " ") + std::string("LEFT OUTER JOIN ") + item.text +
                   " ON " + on;
      placed.insert(item.name);
      break;
    }
  }
  if (placed.size() != items.size()) {
    throw SqlError(ErrorKind::kUnsupported, "a table may not be outer joined to itself in a cycle");
  }

  std::string sql = JoinTokens(Tokens(t.begin(), t.begin() + from_kw + 1)) + " " + from_text;
  if (!plain_conditions.empty()) {
    sql += " WHERE ";
    for (size_t i = 0; i < plain_conditions.size(); ++i)
      sql += (i ? " AND " : "") + plain_conditions[i];
  }
  return sql + " " + JoinTokens(Tokens(t.begin() + where_end, t.end()));
}

// Where each parenthesis closes and where the (+) marks stand, found once for the statement
// so that every query level works on index ranges of the one token list.
class Groups {
 public:
  explicit Groups(const Tokens& t) : close_(t.size(), kNone), marks_before_(t.size() + 1, 0) {
    std::vector<size_t> open;
    std::vector<size_t> sig = Significant(t);
    std::vector<bool> mark_at(t.size(), false);
    for (size_t k = 0; k + 2 < sig.size(); ++k) {
      if (IsSymbol(t[sig[k]], "(") && IsSymbol(t[sig[k + 1]], "+") &&
          IsSymbol(t[sig[k + 2]], ")")) {
        mark_at[sig[k]] = true;
      }
    }
    for (size_t i = 0; i < t.size(); ++i) {
      marks_before_[i + 1] = marks_before_[i] + (mark_at[i] ? 1 : 0);
      if (IsSymbol(t[i], "(")) open.push_back(i);
      if (IsSymbol(t[i], ")") && !open.empty()) {
        close_[open.back()] = i;
        open.pop_back();
      }
    }
  }
  static constexpr size_t kNone = static_cast<size_t>(-1);
  // The closing parenthesis of the one at `open`, or kNone.
  size_t Close(size_t open) const { return close_[open]; }
  bool HasMark(size_t from, size_t to) const { return marks_before_[to] > marks_before_[from]; }

 private:
  std::vector<size_t> close_;
  std::vector<size_t> marks_before_;  // marks beginning before each token
};

// Rewrites the tokens [from, to): first the parenthesised groups inside that hold (+) marks,
// then the outer joins of this query level. Groups without marks are copied as they stand.
Tokens RewriteLevel(const Tokens& in, const Groups& groups, size_t from, size_t to) {
  Tokens t;
  for (size_t i = from; i < to; ++i) {
    if (!IsSymbol(in[i], "(")) {
      t.push_back(in[i]);
      continue;
    }
    size_t j = groups.Close(i);
    if (j == Groups::kNone || j >= to) {  // unbalanced: leave it for SQLite to report
      t.insert(t.end(), in.begin() + static_cast<long>(i), in.begin() + static_cast<long>(to));
      break;
    }
    if (groups.HasMark(i + 1, j)) {
      Tokens inner = RewriteLevel(in, groups, i + 1, j);
      t.push_back(in[i]);
      t.insert(t.end(), inner.begin(), inner.end());
      t.push_back(in[j]);
    } else {
      t.insert(t.end(), in.begin() + static_cast<long>(i), in.begin() + static_cast<long>(j) + 1);
    }
    i = j;
  }
  if (!HasOuterMark(t, 0, t.size())) return t;
  std::string sql;
  auto parts = SplitAtDepth0(t, 0, t.size(), [](const Token& x) {
    return IsKeyword(x, "UNION") || IsKeyword(x, "INTERSECT") || IsKeyword(x, "EXCEPT") ||
           IsKeyword(x, "MINUS");
  });
  for (size_t p = 0; p < parts.size(); ++p) {
    if (p > 0) sql += t[parts[p].first - 1].text;
    sql += ConvertOuterJoins(Tokens(t.begin() + static_cast<long>(parts[p].first),
                                    t.begin() + static_cast<long>(parts[p].second)));
  }
  return Tokenize(sql);
}

}  // namespace

void CheckNesting(const Tokens& tokens) {
  int depth = 0;
  for (const Token& t : tokens) {
    if (IsSymbol(t, "(") && ++depth > kMaxNesting) {
      throw SqlError(ErrorKind::kTooDeep, "parentheses nested more than " +
                                              std::to_string(kMaxNesting) + " levels deep");
    }
    if (IsSymbol(t, ")")) --depth;
  }
}

std::string RewriteDialect(Family family, const std::string& sql) {
  Tokens tokens = Tokenize(sql);
  tokens = DropTableFunctionParens(tokens, CatalogueSchema(family));
  tokens = UseAliasesForThreePartNames(tokens);
  if (family == Family::kOracle) tokens = ReplaceOracleWords(tokens);
  CheckNesting(tokens);
  Groups groups(tokens);
  if (groups.HasMark(0, tokens.size())) tokens = RewriteLevel(tokens, groups, 0, tokens.size());
  return JoinTokens(tokens);
}

}  // namespace morvane::emulator
