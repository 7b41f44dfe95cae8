#include "output_fixture.h"

#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane::excel::testing {

void SetUpTableItems(TCatalogueStore& store) {
  store.product = Product::Oracle8;
  auto item = [](const char* name, int index, const char* column, const char* cell, int output) {
    TItemDef def;
    def.name = name;
    def.index = index;
    def.excelColumn = column;
    def.excelCell = cell;
    def.output = static_cast<uint8_t>(output);
    return def;
  };
  store.Items(DataKind::Table, kItemLevelTable) = {
      item("OWNER", 0, "A", "A1", 1), item("NAME", 1, "B", "B1", 1), item("TYPE", 2, "C", "C1", 1),
      item("COMMENT", 3, "D", "D1", 0)};
  store.Items(DataKind::Table, kItemLevelColumn) = {
      item("NO", 0, "A", "", 1), item("COLUMN", 1, "B", "", 1), item("TYPE", 2, "C", "", 1)};
}

TTableRec& AddTable(TCatalogueStore& store, const std::string& owner, const std::string& name,
                    int columns) {
  TTableRec& record = store.AddRecord(DataKind::Table);
  record.owner = owner;
  record.name = name;
  record.type = "TABLE";
  record.values = TValueList{owner, name, "TABLE", "comment"};
  for (int i = 1; i <= columns; ++i) {
    TColumnRow row;
    row.values = TValueList{std::to_string(i), "COL_" + std::to_string(i), "NUMBER"};
    record.columns.push_back(row);
  }
  return record;
}

std::vector<std::string> ShownTexts(const ScriptedPrompt& prompt) {
  std::vector<std::string> texts;
  for (const ScriptedPrompt::Shown& shown : prompt.shown)
    texts.push_back(Cp932ForDisplay(shown.text));
  return texts;
}

}  // namespace morvane::excel::testing
