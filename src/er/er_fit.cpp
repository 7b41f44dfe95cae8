#include "er/er_fit.h"

#include <algorithm>

#include "er/er_tables.h"

namespace morvane {
namespace {

// The window's parts around its text, in pixels (the frame and title bar of a tool window,
// the check box before each column line, the close button beside the caption).
constexpr int kFrame = 3;
constexpr int kTitleBar = 16;
constexpr int kRowHeight = 12;
constexpr int kCheckIndent = kRowHeight + 2;
constexpr int kCloseButton = kTitleBar - 4;
constexpr int kSlack = 8;  // breathing room and a vertical scroll bar's share when capped

}  // namespace

TERSize FitERTableSize(const TERTableRec& table, const TERTextMeasure& measure) {
  int text = measure.caption(table.caption) + kCloseButton + kSlack;
  int rows = 0;
  for (const TERColumnRec& column : table.columns) {
    if (!column.checked) continue;
    const std::string line =
        column.listText.empty() ? ERColumnListText(column, 2) : column.listText;
    text = std::max(text, kCheckIndent + measure.column(line) + kSlack);
    ++rows;
  }
  TERSize size;
  size.width = std::clamp(text + 2 * kFrame, kDefaultERTableSize, kERFitMaxWidth);
  size.height = std::clamp(kTitleBar + 2 * kFrame + rows * kRowHeight + kSlack, kDefaultERTableSize,
                           kERFitMaxHeight);
  return size;
}

void FitPlacedERTable(TERTableRec& table, const TERTextMeasure* measure) {
  if (measure == nullptr || !*measure) return;
  const TERSize size = FitERTableSize(table, *measure);
  table.width = size.width;
  table.height = size.height;
}

int FitERTables(TERSheetRec& sheet, const TERTextMeasure& measure) {
  int changed = 0;
  for (const auto& table : sheet.tables) {
    const TERSize size = FitERTableSize(*table, measure);
    if (size.width == table->width && size.height == table->height) continue;
    table->width = size.width;
    table->height = size.height;
    ++changed;
  }
  return changed;
}

}  // namespace morvane
