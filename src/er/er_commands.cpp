#include "er/er_commands.h"

#include <algorithm>

#include "er/er_fit.h"
#include "er/er_sheets.h"
#include "er/line_geometry.h"
#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane {

TERPoint DroppedTablePosition(TERPoint drop) {
  return {std::max(drop.x - kDroppedTableOffset, 0), std::max(drop.y - kDroppedTableOffset, 0)};
}

TERSheetRec* SheetOfWindow(const TERDiagram& diagram, const TERTableRec* window) {
  for (const auto& sheet : diagram.sheets) {
    for (const auto& table : sheet->tables) {
      if (table.get() == window) return sheet.get();
    }
  }
  return nullptr;
}

void UpdateLineSidesOf(TERSheetRec& sheet, const TERTableRec& window) {
  for (auto& line : sheet.lines) {
    if (line->fromWindow != &window && line->toWindow != &window) continue;
    const TLineGeometry g = ComputeLineGeometry(*line->fromWindow, *line->toWindow);
    line->fromSide = g.fromSide;
    line->toSide = g.toSide;
  }
}

TERCommands::TERCommands(TERDiagram& diagram, IPrompt& prompt, std::function<void()> modified)
    : diagram_(diagram), prompt_(prompt), modified_(std::move(modified)) {}

TERSheetRec& TERCommands::AddSheet() {
  TERSheetRec& sheet = AddERSheet(diagram_);
  Modified();
  return sheet;
}

bool TERCommands::DeleteCurrentSheet() {
  const TERSheetRec* sheet = diagram_.Current();
  if (sheet == nullptr) return false;
  if (!CanDeleteERSheet(diagram_)) {
    prompt_.Warn(ToCp932(kMsgCannotDeleteAllSheets));
    return false;
  }
  if (!prompt_.AskYesNo(ToCp932(DeleteSheetQuestion(sheet->name)))) return false;
  DeleteERSheet(diagram_, diagram_.currentIndex);
  Modified();
  return true;
}

bool TERCommands::RenameCurrentSheet() {
  TERSheetRec* sheet = diagram_.Current();
  if (sheet == nullptr) return false;
  const std::string caption = ToCp932(kRenameSheetCaption);
  const std::string label = ToCp932("「") + sheet->name + ToCp932("」");
  std::string proposed = sheet->name;
  for (;;) {
    std::optional<std::string> entry = prompt_.AskText(caption, label, proposed);
    if (!entry) return false;
    const SheetNameCheck check =
        CheckERSheetName(diagram_, diagram_.currentIndex, *entry, &proposed);
    if (check == SheetNameCheck::kOk) break;
    prompt_.Warn(ToCp932(SheetNameCheckMessage(check)));
  }
  sheet->name = proposed;
  Modified();
  return true;
}

bool TERCommands::MoveSheet(int from, int to) {
  if (!MoveERSheet(diagram_, from, to)) return false;
  Modified();
  return true;
}

TERTableRec* TERCommands::AddWindow(std::string caption, std::vector<TERColumnRec> columns,
                                    int left, int top) {
  TERSheetRec* sheet = diagram_.Current();
  if (sheet == nullptr) return nullptr;
  TERTableRec& window =
      AddERTable(*sheet, NextERTableName(diagram_), std::move(caption), left, top, 0, 0);
  window.columns = std::move(columns);
  FitPlacedERTable(window, &placementMeasure_);
  Modified();
  return &window;
}

bool TERCommands::SetWindowBounds(TERTableRec& window, int left, int top, int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (window.left == left && window.top == top && window.width == width &&
      window.height == height) {
    return false;
  }
  window.left = left;
  window.top = top;
  window.width = width;
  window.height = height;
  if (TERSheetRec* sheet = SheetOfWindow(diagram_, &window)) UpdateLineSidesOf(*sheet, window);
  Modified();
  return true;
}

bool TERCommands::FitWindow(TERTableRec& window, const TERTextMeasure& measure) {
  const TERSize size = FitERTableSize(window, measure);
  return SetWindowBounds(window, window.left, window.top, size.width, size.height);
}

int TERCommands::FitAllWindows(TERSheetRec& sheet, const TERTextMeasure& measure) {
  int changed = 0;
  for (const auto& window : sheet.tables) changed += FitWindow(*window, measure) ? 1 : 0;
  return changed;
}

bool TERCommands::CloseWindow(TERTableRec& window) {
  TERSheetRec* sheet = SheetOfWindow(diagram_, &window);
  if (sheet == nullptr) return false;
  if (!prompt_.AskYesNo(ToCp932(DeleteTableQuestion(window.caption)))) return false;
  // The name is copied: removing the window frees the record that holds it.
  const std::string name = window.name;
  RemoveERTable(*sheet, name);
  Modified();
  return true;
}

bool TERCommands::SetColumnChecked(TERTableRec& window, int row, bool checked) {
  if (row < 0 || row >= static_cast<int>(window.columns.size())) return false;
  if (window.columns[row].checked == checked) return false;
  window.columns[row].checked = checked;
  Modified();
  return true;
}

LineToggle TERCommands::ToggleLine(TERTableRec& from, TERTableRec& to) {
  TERSheetRec* sheet = SheetOfWindow(diagram_, &from);
  if (sheet == nullptr) return LineToggle::kRefused;
  const LineToggle result = ToggleERLine(*sheet, &from, &to);
  if (result == LineToggle::kRefused) return result;
  Modified();
  return result;
}

}  // namespace morvane
