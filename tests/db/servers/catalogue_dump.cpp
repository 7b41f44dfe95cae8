#include "catalogue_dump.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>

#include "server_fixture.h"
#include "text/codec.h"

namespace morvane::server_test {

namespace {

std::string Utf8(std::string_view cp932) {
  CodecResult result = Cp932ToUtf8(cp932);
  return result.ok ? result.text : "<not CP932: " + result.error + ">";
}

std::string Line(const TValueList& values) {
  std::string line;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) line += " | ";
    line += Utf8(values[i]);
  }
  return line;
}

}  // namespace

std::string DumpCatalogue(const OdbcCatalogue& catalogue) {
  std::string text;
  for (const TTableRec& record : catalogue.records) {
    text +=
        "== " + Utf8(record.owner) + " | " + Utf8(record.type) + " | " + Utf8(record.name) + "\n";
    text += "   " + Line(record.values) + "\n";
    for (const TColumnRow& row : record.columns) text += " - " + Line(row.values) + "\n";
  }
  text += "relations:\n";
  for (const TRelationRec& relation : catalogue.relations) {
    text += Utf8(relation.fkTable) + " ->";
    for (const std::string& pk : relation.pkTables) text += " " + Utf8(pk);
    text += "\n";
  }
  text += "largest index count: " + std::to_string(catalogue.largestIndexCount) + "\n";
  return text;
}

void ExpectGolden(const std::string& name, const std::string& text) {
  std::string path = std::string(MORVANE_SERVER_GOLDEN_DIR) + "/" + name;
  if (getenv("MORVANE_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(path, std::ios::binary) << text;
    return;
  }
  EXPECT_EQ(ReadTextFile(path), text)
      << "golden file " << path << " (run with MORVANE_UPDATE_GOLDEN=1 to rewrite)";
}

}  // namespace morvane::server_test
