// TERSheetView: one ER sheet on screen. A white scrolling area whose drawing surface paints the
// relationship lines and holds the table windows; the surface grows to hold every window. The
// surface's coordinates are the sheet's own (shifted only when a file placed windows at negative
// positions), so scrolling never changes a window's stored position.
#pragma once

#include <QScrollArea>
#include <unordered_map>

#include "app/gui/er/er_table_form.h"
#include "model/er_data.h"

class QMimeData;

namespace morvane {

class TERView;
class TERSheetView;

// The drawing surface: paints the lines and accepts tables dragged from the tree.
class TERSheetSurface : public QWidget {
  Q_OBJECT

 public:
  explicit TERSheetSurface(TERSheetView& view);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The drag-over test of the sheet: only a table from the tree is accepted.
  bool SheetDragOver(const QMimeData* mime) const;

  TERSheetView& view_;
};

class TERSheetView : public QScrollArea, public IERTableHost {
  Q_OBJECT

 public:
  TERSheetView(TERSheetRec& sheet, TERView& owner);
  ~TERSheetView() override;

  TERSheetRec& Sheet() const { return sheet_; }
  TERView& Owner() const { return owner_; }
  TERSheetSurface* Surface() const { return surface_; }

  // Makes a window for every table record without one, drops windows whose record is gone,
  // places them all and sizes the surface (ERSheetRefresh after the document changed).
  void SyncWindows();
  // Repaints the lines.
  void Refresh();
  TfrmERTable* WindowOf(const TERTableRec* table) const;
  TfrmERTable* CurrentWindow() const { return current_; }

  // Sheet coordinates of a surface point, and back.
  QPoint SurfaceToSheet(QPoint p) const { return p + origin_; }
  QPoint SheetToSurface(QPoint p) const { return p - origin_; }
  QPoint Origin() const { return origin_; }

  // IERTableHost.
  void ERTableActivated(TfrmERTable& window) override;
  void ERTableGeometryChanged(TfrmERTable& window) override;
  void ERTableCloseRequested(TfrmERTable& window) override;
  void ERTableColumnChecked(TfrmERTable& window, int row, bool checked) override;
  void ERTableColumnListDropped(TfrmERTable& target, const std::string& source) override;
  void ERTableRelationRequested(TfrmERTable& window) override;
  void ERTableFitRequested(TfrmERTable& window) override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // The window's rectangle on the surface.
  QRect WidgetRect(const TERTableRec& table) const;
  void ResizeSurface();
  // Repaints the lines of one window before and after it changed.
  QRegion LinesAreaOf(const TERTableRec& table) const;
  void RestoreScroll();

  TERSheetRec& sheet_;
  TERView& owner_;
  TERSheetSurface* surface_;
  QPoint origin_;  // sheet coordinates of the surface's top-left corner
  std::unordered_map<const TERTableRec*, TfrmERTable*> windows_;
  TfrmERTable* current_ = nullptr;
};

}  // namespace morvane
