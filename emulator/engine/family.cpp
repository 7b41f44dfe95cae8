#include "engine/family.h"

#include <string>

#include "engine/lexer.h"

namespace morvane::emulator {

namespace {

std::string DialectKey(std::string_view text) {
  std::string key;
  for (char c : AsciiUpper(text)) {
    if (c != ' ' && c != '_' && c != '-') key += c;
  }
  return key;
}

}  // namespace

bool IsOracle7Dialect(std::string_view text) { return DialectKey(text) == "ORACLE7"; }

std::optional<Family> ParseFamily(std::string_view text) {
  std::string key = DialectKey(text);
  if (key == "REDBRICK") return Family::kRedBrick;
  if (key == "ORACLE" || key == "ORACLE8" || key == "ORACLE7") return Family::kOracle;
  if (key == "BROADBASE") return Family::kBroadbase;
  return std::nullopt;
}

const char* FamilyName(Family family) {
  switch (family) {
    case Family::kRedBrick:
      return "RedBrick";
    case Family::kOracle:
      return "Oracle";
    case Family::kBroadbase:
      return "Broadbase";
  }
  return "";
}

const char* CatalogueSchema(Family family) { return family == Family::kOracle ? "SYS" : "SYSTEM"; }

}  // namespace morvane::emulator
