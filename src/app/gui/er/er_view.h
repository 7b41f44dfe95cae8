// TERView: the ER view, the tabbed sheets of pagER (tabs at the bottom, one TERSheetView per
// TERSheetRec), the sheet menu popBook, the table drag from the tree and the commands that
// change the diagram. It renders the store's ER diagram and changes it only through
// TERCommands and the relation command, reporting every change through `modified`.
#pragma once

#include <QObject>
#include <QPoint>
#include <functional>
#include <memory>

#include "er/er_commands.h"
#include "model/catalogue_store.h"
#include "model/prompt.h"

class QAction;
class QMenu;

namespace morvane {

class TERSheetTabs;
class TERSheetView;
class TfrmERSheetList;
class TfrmERTable;

// MIME type of a table dragged from the tree (its name as data).
inline constexpr char kTableDragMime[] = "application/x-morvane-table";

class TERView : public QObject {
  Q_OBJECT

 public:
  TERView(TERSheetTabs* pagER, TCatalogueStore& store, IPrompt& prompt,
          std::function<void()> modified, QObject* parent = nullptr);
  ~TERView() override;

  // Removes every tab and its view (the layout reset; the document's sheets are not touched).
  void Clear();
  // Makes one tab per sheet of the store, in order, and activates the current sheet.
  void Rebuild();

  TERSheetTabs* pagER() const { return pagER_; }
  int SheetCount() const;
  TERSheetView* SheetView(int index) const;
  TERSheetView* CurrentSheetView() const;
  // The window in whose column list the mouse was last pressed, on the current sheet.
  TfrmERTable* CurrentTable() const;

  // The table drag from the tree: while it runs (drag state 1) sheets accept the drop.
  void BeginTableDrag(const TTableRec* table) { tableToAdd_ = table; }
  void EndTableDrag() { tableToAdd_ = nullptr; }
  const TTableRec* TableToAdd() const { return tableToAdd_; }

  // --- used by the sheet views ---------------------------------------------------------------
  TERCommands& Commands() { return commands_; }
  // Places the dragged table on `view`'s sheet for a drop at `sheetPoint`.
  void DropTable(TERSheetView& view, QPoint sheetPoint);
  // "ﾘﾚｰｼｮﾝからﾃｰﾌﾞﾙ追加" on a window of `view`.
  void RunRelation(TERSheetView& view, TERTableRec& table);
  // Windows get the relation menu in Red Brick projects.
  bool RelationMenu() const;
  // The sheet of `view` becomes the current one.
  void MakeCurrent(TERSheetView& view);
  void ShowSheetMenu(QPoint globalPos);

  // The list of sheets (the button after the tabs): goes to the sheet chosen in it.
  void ShowSheetList();
  // Shows the list and returns how it was closed (QDialog::Accepted or not). Tests replace it.
  using SheetListShower = std::function<int(TfrmERSheetList& form)>;
  void SetSheetListShower(SheetListShower shower) { showSheetList_ = std::move(shower); }

  // Asks where to save pictures (suggested path given); empty means cancelled. Tests replace it.
  using PathAsker = std::function<QString(const QString& suggested)>;
  void SetPicturePathAsker(PathAsker asker) { askPicturePath_ = std::move(asker); }

  QMenu* popBook = nullptr;

 public slots:
  void popBookPopup();
  void popBook_AddClick();
  void popBook_DeleteClick();
  void popBook_RenameClick();
  void popBook_FitAllClick();
  // The window fonts' text widths, for sizing windows to their content.
  const TERTextMeasure& PlacementMeasure() const { return placementMeasure_; }
  void popBook_PictureClick();
  void popBook_AllPicturesClick();
  void pagERChange(int index);

 private:
  void BuildSheetMenu();
  QWidget* AddSheetPage(TERSheetRec& sheet);
  void pagERTabMoved(int from, int to);
  void Modified();
  int IndexOf(const TERSheetView& view) const;

  TERSheetTabs* pagER_;
  TCatalogueStore& store_;
  IPrompt& prompt_;
  std::function<void()> modified_;
  TERCommands commands_;
  TERTextMeasure placementMeasure_;  // the window fonts' text widths
  const TTableRec* tableToAdd_ = nullptr;
  bool syncing_ = false;  // tabs are being changed by the program
  PathAsker askPicturePath_;
  SheetListShower showSheetList_;
  TfrmERSheetList* sheetList_ = nullptr;  // a child of the window, made when first shown
  QAction* popBook_Delete_ = nullptr;
};

}  // namespace morvane
