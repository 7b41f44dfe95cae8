// Data and yardstick for the table output benchmark (run.sh):
//   excel_bench project OUT.vnk         an Oracle 8 project of 500 tables of 40 columns
//   excel_bench xlsxwriter IN.vnk OUT.xlsx
//       libxlsxwriter writing the cells the table output writes for every table of IN.vnk (own
//       sheets, default item placement) into a fresh workbook; prints its own writing time.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "project/new_project.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "text/codec.h"
#include "xlsx/cell_ref.h"

#ifdef MORVANE_HAVE_XLSXWRITER
#include <xlsxwriter.h>
#endif

namespace morvane {
namespace {

constexpr int kTables = 500;
constexpr int kColumns = 40;

int MakeProject(const std::string& out) {
  TCatalogueStore store;
  NewProject(store, Product::Oracle8, EstimateTextWidth);
  const size_t table_values = store.Items(DataKind::Table, kItemLevelTable).size();
  const size_t column_values = store.Items(DataKind::Table, kItemLevelColumn).size();
  const std::string comment = ToCp932("受注明細の項目");
  for (int t = 0; t < kTables; ++t) {
    TTableRec& record = store.AddRecord(DataKind::Table);
    record.owner = "SCOTT";
    record.type = "TABLE";
    record.name = "TABLE_" + std::to_string(t);
    std::vector<std::string> values(table_values, "100");
    values[0] = record.owner;
    values[1] = record.name;
    values[2] = record.type;
    record.values = TValueList(values);
    for (int c = 1; c <= kColumns; ++c) {
      std::vector<std::string> row(column_values, "");
      row[0] = std::to_string(c);
      row[1] = "COLUMN_" + std::to_string(c);
      row[2] = "VARCHAR2";
      for (size_t v = 3; v < row.size(); ++v) row[v] = v % 4 == 0 ? comment : std::to_string(c * 3);
      record.columns.push_back({TValueList(row)});
    }
  }
  return SaveProjectFile(store, out).ok ? 0 : 1;
}

#ifdef MORVANE_HAVE_XLSXWRITER
void Write(lxw_worksheet* sheet, const std::string& address, std::string_view cp932) {
  std::optional<xlsx::CellRef> ref = xlsx::ParseCellRef(address);
  if (!ref) return;
  worksheet_write_string(sheet, ref->row - 1, static_cast<lxw_col_t>(ref->col - 1),
                         ToUtf8(cp932).c_str(), nullptr);
}

int WriteWithXlsxwriter(const std::string& in, const std::string& out) {
  TCatalogueStore store;
  if (!OpenProjectFile(store, in, EstimateTextWidth, nullptr).ok) return 1;
  auto start = std::chrono::steady_clock::now();
  const size_t k = DataKindIndex(DataKind::Table);
  const TFormatSettings& settings = store.formatSettings;
  lxw_workbook* book = workbook_new(out.c_str());
  for (const auto& record : store.Records(DataKind::Table)) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, ToUtf8(record->name).c_str());
    for (const TItemDef& item : store.Items(DataKind::Table, kItemLevelTable)) {
      if (item.output == 1) Write(sheet, item.excelCell, record->values.ValueOr(item.index));
    }
    for (const TItemDef& item : store.Items(DataKind::Table, kItemLevelColumn)) {
      if (item.output != 1) continue;
      int row = settings.columnStartRow[k];
      if (settings.columnHeader[k])
        Write(sheet, item.excelColumn + std::to_string(row++), item.name);
      for (const TColumnRow& column : record->columns) {
        Write(sheet, item.excelColumn + std::to_string(row++), column.values.ValueOr(item.index));
      }
    }
  }
  int status = workbook_close(book);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("libxlsxwriter writing: %.3f s\n", seconds);
  return status == LXW_NO_ERROR ? 0 : 1;
}
#endif

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "project") return morvane::MakeProject(args[1]);
#ifdef MORVANE_HAVE_XLSXWRITER
  if (args.size() == 3 && args[0] == "xlsxwriter") {
    return morvane::WriteWithXlsxwriter(args[1], args[2]);
  }
#endif
  std::fputs("usage: excel_bench project OUT.vnk | xlsxwriter IN.vnk OUT.xlsx\n", stderr);
  return 2;
}
