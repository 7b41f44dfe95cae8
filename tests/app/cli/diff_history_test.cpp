// The change history workbook: rows appended to the sheet 「変更履歴」, read back with openpyxl.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "excel/change_history.h"
#include "text/codec.h"
#include "xlsx/workbook.h"

namespace morvane::excel {
namespace {

namespace fs = std::filesystem;

// Every sheet name, then the history sheet's rows as tab-separated lines, as openpyxl reads them.
std::string ReadBack(const fs::path& book) {
  const std::string command =
      "/usr/bin/python3 -c \"import sys, openpyxl\n"
      "wb = openpyxl.load_workbook(sys.argv[1])\n"
      "lines = ['|'.join(wb.sheetnames)]\n"
      "for row in wb['変更履歴'].iter_rows(values_only=True):\n"
      "    lines.append('\\t'.join('' if v is None else str(v) for v in row))\n"
      "sys.stdout.buffer.write(('\\n'.join(lines) + '\\n').encode('utf-8'))\" '" +
      book.string() + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string text;
  std::array<char, 4096> buffer;
  while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe.get()))
    text.append(buffer.data(), n);
  return text;
}

diff::TChange Change(diff::ChangeKind kind, diff::ObjectKind object, const char* name,
                     const char* item = "", const char* old_value = "",
                     const char* new_value = "") {
  diff::TChange change;
  change.change = kind;
  change.object = object;
  change.fullName = ToCp932(name);
  change.item = item;
  change.oldValue = ToCp932(old_value);
  change.newValue = ToCp932(new_value);
  return change;
}

TEST(ChangeHistoryTest, AppendsAfterTheRowsAWorkbookAlreadyHas) {
  const fs::path dir = fs::path(testing::TempDir()) / ("history_" + std::to_string(getpid()));
  fs::create_directories(dir);
  const fs::path book = dir / "定義書.xlsx";
  using diff::ChangeKind;
  using diff::ObjectKind;
  const diff::ChangeList first = {
      Change(ChangeKind::kAdded, ObjectKind::kTable, "SALES.PROMOTIONS"),
      Change(ChangeKind::kChanged, ObjectKind::kColumn, "SALES.REGIONS.REGION_NAME", "COMMENT",
             "地域名", "地域の名前")};
  const diff::ChangeList second = {
      Change(ChangeKind::kRemoved, ObjectKind::kRelation, "PAYMENTS->INVOICES")};

  // A document workbook without the sheet gets the template's; a second run appends to it.
  std::unique_ptr<xlsx::Workbook> document = xlsx::Workbook::Create(1);
  document->SetCellText(document->Sheet(0), {1, 1}, "テーブル定義書");
  document->Save(book.string());
  HistoryWriteResult written = AppendChangeHistory(book.string(), first, "2026-12-01");
  ASSERT_TRUE(written.ok) << written.error;
  EXPECT_EQ(written.firstRow, 2);
  written = AppendChangeHistory(book.string(), second, "2026-12-09");
  ASSERT_TRUE(written.ok) << written.error;
  EXPECT_EQ(written.firstRow, 4);
  EXPECT_EQ(ReadBack(book),
            "Sheet1|変更履歴\n"
            "日付\t区分\t対象\t名前\t項目\t変更前\t変更後\n"
            "2026-12-01\t追加\tテーブル\tSALES.PROMOTIONS\t\t\t\n"
            "2026-12-01\t変更\t列\tSALES.REGIONS.REGION_NAME\tCOMMENT\t地域名\t地域の名前\n"
            "2026-12-09\t削除\tリレーション\tPAYMENTS->INVOICES\t\t\t\n");

  // A new file is a workbook of the history sheet alone.
  const fs::path fresh = dir / "history.xlsx";
  ASSERT_TRUE(AppendChangeHistory(fresh.string(), second, "2026-12-09").ok);
  EXPECT_EQ(ReadBack(fresh),
            "変更履歴\n"
            "日付\t区分\t対象\t名前\t項目\t変更前\t変更後\n"
            "2026-12-09\t削除\tリレーション\tPAYMENTS->INVOICES\t\t\t\n");

  // A file that is no workbook is reported and left as it was.
  const fs::path broken = dir / "broken.xlsx";
  {
    std::FILE* f = std::fopen(broken.c_str(), "w");
    std::fputs("not a zip", f);
    std::fclose(f);
  }
  written = AppendChangeHistory(broken.string(), second, "2026-12-09");
  EXPECT_FALSE(written.ok);
  EXPECT_FALSE(written.error.empty());
  EXPECT_EQ(fs::file_size(broken), 9u);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace morvane::excel
