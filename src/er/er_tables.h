// Rules for table windows and relationship lines on an ER sheet: window names, placing and
// removing windows, building their column entries from a column row, and toggling lines.
// The caller sets the document's modified flag after each change.
#pragma once

#include <string>
#include <string_view>

#include "model/er_data.h"
#include "model/product_profile.h"
#include "model/value_list.h"

namespace morvane {

// "Table" followed by the smallest n >= 1 that no window on any sheet is named
// (ASCII case ignored).
std::string NextERTableName(const TERDiagram& diagram);

// The window with this name (ASCII case ignored), or nullptr.
TERTableRec* FindERTable(const TERSheetRec& sheet, std::string_view name);
TERTableRec* FindERTable(const TERDiagram& diagram, std::string_view name);

// Appends a window without columns. A width or height of 0 means the default 150.
TERTableRec& AddERTable(TERSheetRec& sheet, std::string name, std::string caption, int left,
                        int top, int width, int height);

// The type text of a column entry: type, then "(length,scale)", "(length)" or "(scale)" as far
// as those are not empty. NUMBER/10/2 gives NUMBER(10,2); DECIMAL//2 gives DECIMAL(2).
std::string ERTypeText(std::string_view type, std::string_view length, std::string_view scale);

// The check-list text of an entry: keyMark + columnName + `blanks` blanks + typeText.
// Placed windows use two blanks, windows read from a project file one.
std::string ERColumnListText(const TERColumnRec& column, int blanks);

// A checked column entry built from a column row's values at the given positions (a position
// beyond the row gives an empty value). Its list text uses two blanks.
TERColumnRec MakeERColumn(const TValueList& rowValues, const TColumnValuePositions& positions);

// The confirmation "「caption」テーブルを削除しますか？" (UTF-8) for a CP932 caption.
std::string DeleteTableQuestion(std::string_view caption);

// Closes the window named `name`: removes every line of the sheet that ends at a window of that
// name, then the first window of that name. Returns false when no such window is on the sheet.
bool RemoveERTable(TERSheetRec& sheet, std::string_view name);

// Appends a line between two windows of the sheet, its sides computed from their geometry.
TTargetLine& AddERLine(TERSheetRec& sheet, TERTableRec* from, TERTableRec* to);

// The first line of the sheet joining a and b in either direction (names compared ignoring
// ASCII case), or nullptr.
TTargetLine* FindERLine(const TERSheetRec& sheet, const TERTableRec& a, const TERTableRec& b);

enum class LineToggle { kAdded, kRemoved, kRefused };

// Dropping one window's column list on another: removes the first line joining them in either
// direction, or adds a line from `from` to `to`. Refused when from and to are the same window
// or either is not on the sheet.
LineToggle ToggleERLine(TERSheetRec& sheet, TERTableRec* from, TERTableRec* to);

}  // namespace morvane
