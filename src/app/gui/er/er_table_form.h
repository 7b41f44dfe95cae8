// TfrmERTable: a table window on an ER sheet. A small tool window inside the sheet with a title
// bar showing the table's name, a sizeable border and only a close button; its client is the
// check list lstColumn with one line per column entry. The window shows its TERTableRec and
// reports what the user does to it to its host, which changes the document.
#pragma once

#include <QFrame>
#include <QPoint>
#include <QRect>

#include <string>

#include "model/er_data.h"

class QListWidget;
class QListWidgetItem;
class QMenu;
class QMimeData;
class QAbstractButton;

namespace morvane {

class TfrmERTable;

// MIME type of a column-list drag between windows; the data is the source window's name.
inline constexpr char kERWindowDragMime[] = "application/x-morvane-er-window";

// What a table window reports.
class IERTableHost {
 public:
  virtual ~IERTableHost() = default;
  // The mouse was pressed in the column list: the window becomes the current one.
  virtual void ERTableActivated(TfrmERTable& window) = 0;
  // The window was moved or resized by the user.
  virtual void ERTableGeometryChanged(TfrmERTable& window) = 0;
  // The close button was pressed.
  virtual void ERTableCloseRequested(TfrmERTable& window) = 0;
  virtual void ERTableColumnChecked(TfrmERTable& window, int row, bool checked) = 0;
  // Another window's column list (the window named `source`) was dropped on this window's list.
  virtual void ERTableColumnListDropped(TfrmERTable& target, const std::string& source) = 0;
  // "ﾘﾚｰｼｮﾝからﾃｰﾌﾞﾙ追加" was chosen.
  virtual void ERTableRelationRequested(TfrmERTable& window) = 0;
  // "内容に合わせる" was chosen.
  virtual void ERTableFitRequested(TfrmERTable& /*window*/) {}
};

class TfrmERTable : public QFrame {
  Q_OBJECT

 public:
  explicit TfrmERTable(QWidget* parent = nullptr);

  // Shows `table` (name, caption and columns; not its position, which the sheet sets). With
  // `relationMenu` the column list gets the popup menu popERTable.
  void Load(TERTableRec& table, bool relationMenu);
  TERTableRec* Record() const { return record_; }
  void SetHost(IERTableHost* host) { host_ = host; }

  // Places the window without reporting it as the user's move.
  void PlaceAt(const QRect& geometry);
  // Draws the title bar as the current window's, or not.
  void SetActive(bool active);
  bool IsActive() const { return active_; }

  QListWidget* lstColumn() const { return lstColumn_; }
  QAbstractButton* CloseButton() const { return closeButton_; }
  QMenu* popERTable() const { return popERTable_; }
  // The column list's menu of windows without the relation menu: "内容に合わせる" alone.
  QMenu* popERWindow() const { return popERWindow_; }

  static constexpr int kMinimumWidth = 60;
  static constexpr int kMinimumHeight = 40;

 public slots:
  void FormClose();
  void lstColumnClickCheck(QListWidgetItem* item);
  void popERTable_RelationClick();
  void popERWindow_FitClick();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Edges of the border under a point, as Qt::Edges.
  Qt::Edges EdgesAt(QPoint point) const;
  void UpdateCursor(QPoint point);
  void StartColumnDrag();
  bool lstColumnMouseDown(QMouseEvent* event);
  bool AcceptsColumnDrag(const QMimeData* mime) const;

  IERTableHost* host_ = nullptr;
  TERTableRec* record_ = nullptr;
  QListWidget* lstColumn_;
  QAbstractButton* closeButton_;
  void AddFitAction(QMenu* menu);

  QMenu* popERTable_ = nullptr;
  QMenu* popERWindow_ = nullptr;
  bool active_ = false;
  bool placing_ = false;  // geometry set by the program

  // Moving by the title bar or resizing by the border.
  enum class Gesture { kNone, kMove, kResize };
  Gesture gesture_ = Gesture::kNone;
  Qt::Edges resizeEdges_;
  QPoint pressGlobal_;
  QRect pressGeometry_;
  // Column-list drag.
  bool dragArmed_ = false;
  QPoint dragStart_;
};

}  // namespace morvane
