// The change history of a document: the changes of a comparison appended as rows to the sheet
// 「変更履歴」 (日付, 区分, 対象, 名前, 項目, 変更前, 変更後) of a workbook, so that one workbook
// keeps the history of every comparison.
#pragma once

#include <string>
#include <string_view>

#include "diff/change.h"

namespace morvane::excel {

inline constexpr std::string_view kHistorySheetName = "変更履歴";

struct HistoryWriteResult {
  bool ok = false;
  int firstRow = 0;  // the row of the first change written
  int rowsWritten = 0;
  std::string error;  // why not (UTF-8)
};

// Appends one row per change after the last filled row of the workbook's 「変更履歴」 sheet and
// saves the workbook (replacing the file only once it is complete). A workbook without the
// sheet gets a copy of the template's; a file that does not exist yet becomes a workbook of
// that sheet alone. `date` fills the 日付 column. `templateBytes` is an .xlsx holding a sheet
// 「変更履歴」; by default the bundled template.
HistoryWriteResult AppendChangeHistory(const std::string& path, const diff::ChangeList& changes,
                                       std::string_view date, std::string_view templateBytes = {});

// Today's date as "YYYY-MM-DD" (local time).
std::string TodayText();

}  // namespace morvane::excel
