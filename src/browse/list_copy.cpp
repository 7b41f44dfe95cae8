#include "browse/list_copy.h"

namespace morvane {

std::string ListCopyText(const std::vector<std::string>& captions, const std::vector<int>& rows,
                         const CellReader& cell, bool withTitles) {
  std::string text;
  if (withTitles) {
    for (size_t c = 0; c < captions.size(); ++c) {
      if (c > 0) text += '\t';
      text += captions[c];
    }
    text += "\r\n";
  }
  bool first_row = true;
  for (int row : rows) {
    if (!first_row) text += "\r\n";
    first_row = false;
    for (size_t c = 0; c < captions.size(); ++c) {
      if (c > 0) text += '\t';
      text += cell(row, static_cast<int>(c));
    }
  }
  return text;
}

std::string SelectionCountText(int selectedRows) {
  return std::to_string(selectedRows) + "個を選択";
}

std::string FilteredSelectionCountText(int selectedRows, int shownRows) {
  return std::to_string(selectedRows) + " / " + SelectionCountText(shownRows);
}

std::vector<RowRange> InvertedSelection(int rowCount, const std::vector<int>& selectedRows) {
  std::vector<RowRange> ranges;
  int next = 0;  // first row not yet accounted for
  for (int selected : selectedRows) {
    if (selected < next || selected >= rowCount) continue;
    if (selected > next) ranges.emplace_back(next, selected - 1);
    next = selected + 1;
  }
  if (next < rowCount) ranges.emplace_back(next, rowCount - 1);
  return ranges;
}

}  // namespace morvane
