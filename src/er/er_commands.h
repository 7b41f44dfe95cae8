// The editing commands of the ER view without their widgets: adding, deleting, renaming and
// moving sheets, placing, moving and closing table windows, ticking columns and toggling lines.
// Each command asks and warns through IPrompt exactly as the view does, changes the diagram,
// keeps the sides of the affected lines up to date and reports every change through the
// `modified` callback (the caller sets the document's modified flag and updates the toolbar).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "er/er_fit.h"
#include "er/er_tables.h"
#include "model/er_data.h"
#include "model/prompt.h"

namespace morvane {

// Distance from the drop point to a dropped window's top-left corner, both ways.
constexpr int kDroppedTableOffset = 15;

struct TERPoint {
  int x = 0;
  int y = 0;
  bool operator==(const TERPoint&) const = default;
};

// The top-left corner, in sheet coordinates, of a window dropped at `drop` (sheet coordinates):
// 15 pixels up and left of the pointer, never above or left of the sheet's origin.
TERPoint DroppedTablePosition(TERPoint drop);

// The sheet among `diagram`'s that holds `window`, or nullptr.
TERSheetRec* SheetOfWindow(const TERDiagram& diagram, const TERTableRec* window);

// Recomputes the sides of every line of `sheet` that ends at `window`.
void UpdateLineSidesOf(TERSheetRec& sheet, const TERTableRec& window);

class TERCommands {
 public:
  TERCommands(TERDiagram& diagram, IPrompt& prompt, std::function<void()> modified);

  // "新規ｼｰﾄ": a sheet with the first free default name, made current.
  TERSheetRec& AddSheet();
  // "削除" on the current sheet: refuses to delete the only sheet (warning), otherwise asks.
  // True when the sheet was deleted; the current index then follows the index rule.
  bool DeleteCurrentSheet();
  // "名前変更" on the current sheet: asks for a name until it is accepted or cancelled, warning
  // about empty and duplicate names. True when renamed.
  bool RenameCurrentSheet();
  // A tab dragged from `from` to `to`; the moved sheet becomes current. False when nothing moved.
  bool MoveSheet(int from, int to);

  // How windows placed by AddWindow measure their text to fit their size to it; without a
  // measure they get the default size.
  void SetPlacementMeasure(TERTextMeasure measure) { placementMeasure_ = std::move(measure); }
  // A new window on the current sheet named with the lowest free "Table"+n, built from a
  // table's caption and column entries, at the given sheet position, sized to its content.
  TERTableRec* AddWindow(std::string caption, std::vector<TERColumnRec> columns, int left, int top);
  // A window moved or resized: stores the geometry (sheet coordinates) and recomputes the sides
  // of its lines. False when nothing changed.
  bool SetWindowBounds(TERTableRec& window, int left, int top, int width, int height);
  // "内容に合わせる": sizes the window to show its caption and checked columns whole (within
  // the caps, at least 150 x 150). False when the size stays.
  bool FitWindow(TERTableRec& window, const TERTextMeasure& measure);
  // "すべて内容に合わせる": every window of the sheet; returns how many changed size.
  int FitAllWindows(TERSheetRec& sheet, const TERTextMeasure& measure);
  // The close button: asks "「caption」テーブルを削除しますか？"; on Yes removes the window and
  // its lines. True when removed (the window record is gone).
  bool CloseWindow(TERTableRec& window);
  // A column's check box toggled.
  bool SetColumnChecked(TERTableRec& window, int row, bool checked);
  // One window's column list dropped on another's: removes the line joining them, or adds one
  // from `from` to `to` with its sides.
  LineToggle ToggleLine(TERTableRec& from, TERTableRec& to);

  TERDiagram& Diagram() { return diagram_; }

 private:
  void Modified() {
    if (modified_) modified_();
  }

  TERDiagram& diagram_;
  IPrompt& prompt_;
  std::function<void()> modified_;
  TERTextMeasure placementMeasure_;
};

}  // namespace morvane
