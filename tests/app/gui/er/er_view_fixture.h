// A shown main window in the ER view, with helpers that drive sheets and table windows as the
// user does: drops from the tree, column-list drags, title-bar moves.
#pragma once

#include <QListWidget>
#include <QMimeData>
#include <QScrollBar>
#include <QtTest/QTest>

#include "app/gui/er/er_sheet_tabs.h"
#include "app/gui/er/er_sheet_view.h"
#include "app/gui/er/er_tab_strip.h"
#include "app/gui/er/er_table_form.h"
#include "app/gui/er/er_view.h"
#include "main_window_fixture.h"

namespace morvane::testing {

class ERViewTest : public MainWindowTest {
 protected:
  void NewProject(Product product = Product::Oracle8) {
    Window().FileNew(product);
    mnuShow_ERClick(Window());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
  }

  // A table-information record with `columns` column rows (NAME, NUMBER(10,2), key on the first).
  TTableRec& AddTable(const std::string& name, int columns) {
    TTableRec& record = Store().AddRecord(DataKind::Table);
    record.owner = "S";
    record.type = "TABLE";
    record.name = name;
    for (int i = 0; i < columns; ++i) {
      TValueList values;
      for (int j = 0; j < 12; ++j) values.push_back("");
      values.Set(1, "C" + std::to_string(i + 1));
      values.Set(2, "NUMBER");
      values.Set(6, "10");
      values.Set(7, "2");
      values.Set(9, i == 0 ? "1" : "");
      values.Set(11, i == 0 ? "1" : "");
      record.columns.push_back({values});
    }
    return record;
  }

  TERView& View() { return Window().ERPanel()->View(); }
  TERSheetView& SheetView(int index = -1) {
    return *(index < 0 ? View().CurrentSheetView() : View().SheetView(index));
  }
  TERSheetRec& Sheet() { return *Store().er.Current(); }
  TfrmERTable& WindowOf(const TERTableRec& table) { return *SheetView().WindowOf(&table); }

  // Drags `record` from the tree and drops it at `at` on the current sheet's surface (surface
  // coordinates); returns whether the surface accepted the drag.
  bool DropTable(const TTableRec& record, QPoint at) {
    QWidget* surface = SheetView().Surface();
    Window().TableDragStarted(record);
    QMimeData mime;
    mime.setData(QLatin1String(kTableDragMime), QByteArray::fromStdString(record.name));
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(surface, &enter);
    bool accepted = enter.isAccepted();
    if (accepted) {
      QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
      QCoreApplication::sendEvent(surface, &drop);
      accepted = drop.isAccepted();
    }
    Window().TableDragEnded(accepted);
    return accepted;
  }

  // Drags `from`'s column list onto `to`'s; returns whether the target list accepted it.
  bool DragColumnList(const TERTableRec& from, const TERTableRec& to) {
    QWidget* list = WindowOf(to).lstColumn()->viewport();
    QMimeData mime;
    mime.setData(QLatin1String(kERWindowDragMime), QByteArray::fromStdString(from.name));
    QDragEnterEvent enter(QPoint(5, 5), Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(5, 5), Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list, &drop);
    return drop.isAccepted();
  }

  // Drags a window by its title bar by `delta`.
  void MoveByTitleBar(const TERTableRec& table, QPoint delta) {
    TfrmERTable& window = WindowOf(table);
    const QPoint grip(20, 8);
    const QPoint start = window.pos() + grip;  // in the sheet, fixed while the window moves
    QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(&window, start + delta / 2 - window.pos());
    QTest::mouseMove(&window, start + delta - window.pos());
    QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, start + delta - window.pos());
  }

  std::vector<std::string> SheetNames() {
    std::vector<std::string> names;
    for (const auto& s : Store().er.sheets) names.push_back(ToUtf8(s->name));
    return names;
  }
  QStringList TabTexts() {
    QStringList texts;
    for (int i = 0; i < View().pagER()->count(); ++i) texts << View().pagER()->tabText(i);
    return texts;
  }
  // Lines of the current sheet as "Table1>Table2 4/2" (names, then sides).
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (const auto& l : Sheet().lines) {
      lines.push_back(l->fromWindow->name + ">" + l->toWindow->name + " " +
                      std::to_string(LineSideCode(l->fromSide)) + "/" +
                      std::to_string(LineSideCode(l->toSide)));
    }
    return lines;
  }
};

}  // namespace morvane::testing
