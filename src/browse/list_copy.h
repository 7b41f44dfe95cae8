// The copy and selection commands of the lists, without any widget: the clipboard text of the
// selected rows, the selection count of the status bar and the ranges of an inverted selection.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morvane {

// The cell text (CP932) of a row and column of a list.
using CellReader = std::function<std::string(int row, int column)>;

// The clipboard text of `rows` (in display order) of a list with `captions`: cells separated by
// TAB, rows by CR LF, no line break after the last row. With titles, the captions come first as
// a line of their own, ended by CR LF even when no row follows.
std::string ListCopyText(const std::vector<std::string>& captions, const std::vector<int>& rows,
                         const CellReader& cell, bool withTitles);

// The status bar's selection count, e.g. "3個を選択" (UTF-8).
std::string SelectionCountText(int selectedRows);
// The same while the list shows only some of its rows: selected / shown, e.g. "3 / 120個を選択".
std::string FilteredSelectionCountText(int selectedRows, int shownRows);

// A run of rows [first, last], both included.
using RowRange = std::pair<int, int>;

// The rows of a list of `rowCount` rows that are not in `selectedRows` (sorted ascending, no
// duplicates), as runs: the selection after inverting it.
std::vector<RowRange> InvertedSelection(int rowCount, const std::vector<int>& selectedRows);

}  // namespace morvane
