#include "app/cli/project_summary.h"

#include <sstream>

#include "text/cp932_text.h"

namespace morvane {
namespace {

void ItemCounts(std::ostringstream& out, const TCatalogueStore& store) {
  out << "項目数 (テーブルレベル / 列レベル):\n";
  for (DataKind kind : kDataKinds) {
    out << "  " << DataKindCode(kind) << " " << DataKindCaption(kind) << ": "
        << store.Items(kind, kItemLevelTable).size() << " / "
        << store.Items(kind, kItemLevelColumn).size() << "\n";
  }
}

void RecordCounts(std::ostringstream& out, const TCatalogueStore& store) {
  out << "レコード数 (テーブル / 列):\n";
  for (DataKind kind : kDataKinds) {
    size_t columns = 0;
    for (const auto& record : store.Records(kind)) columns += record->columns.size();
    out << "  " << DataKindCode(kind) << " " << DataKindCaption(kind) << ": "
        << store.Records(kind).size() << " / " << columns << "\n";
  }
}

void Sheets(std::ostringstream& out, const TCatalogueStore& store) {
  out << "ERシート: " << store.er.sheets.size() << "\n";
  for (const auto& sheet : store.er.sheets) {
    out << "  「" << Cp932ForDisplay(sheet->name) << "」 ウィンドウ " << sheet->tables.size()
        << ", 線 " << sheet->lines.size() << "\n";
    for (const auto& table : sheet->tables) {
      out << "    " << Cp932ForDisplay(table->name) << " " << Cp932ForDisplay(table->caption)
          << " (" << table->left << ", " << table->top << ", " << table->width << " x "
          << table->height << ") 列 " << table->columns.size() << "\n";
    }
    for (const auto& line : sheet->lines) {
      out << "    " << Cp932ForDisplay(line->fromWindow->name) << " - "
          << Cp932ForDisplay(line->toWindow->name) << "\n";
    }
  }
}

}  // namespace

std::string ProjectSummary(const TCatalogueStore& store) {
  std::ostringstream out;
  out << "データベース: " << ProductName(store.product) << "\n";
  out << "ファイルバージョン: " << store.fileVersion << "\n";
  ItemCounts(out, store);
  RecordCounts(out, store);
  out << "リレーション: " << store.relations.size() << "\n";
  Sheets(out, store);
  out << "SQL: " << store.sqlText.size() << " 行, 最大レコード数 "
      << Cp932ForDisplay(store.sqlMaxRow) << "\n";
  return out.str();
}

}  // namespace morvane
