// TBrowser and the filter box above ltvData. The filter narrows the rows ltvData shows; the
// document is never touched. Its text holds while the user moves through the tree, refreshes or
// sorts (every new fill of the table list is filtered by it), and goes with the project: a new
// or opened project starts unfiltered. Rows that the filter hides lose their selection, so every
// command on "the selected rows" acts on shown rows only.
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeView>
#include <QTreeWidget>
#include <unordered_set>

#include "app/gui/browse/browser.h"
#include "app/gui/browse/list_model.h"
#include "app/gui/browse/report_view.h"
#include "browse/name_filter.h"
#include "text/codec.h"

namespace morvane {

void TBrowser::ConnectListFilter() {
  if (!w_.edtFilter) return;
  connect(w_.edtFilter, &QLineEdit::textChanged, this, &TBrowser::ApplyListFilter);
  w_.edtFilter->installEventFilter(this);
  SyncListFilterBox();
}

void TBrowser::SyncListFilterBox() {
  if (w_.edtFilter) w_.edtFilter->setHidden(w_.ltvData->isHidden());
}

bool TBrowser::ListFilterAvailable() const {
  return w_.edtFilter && w_.edtFilter->isVisible() && !store_.erViewActive;
}

bool TBrowser::FocusListFilter() {
  // From a table's column list, the list of tables it belongs to comes back first.
  QTreeWidgetItem* node = w_.trvDataType->currentItem();
  if (!ListFilterAvailable() && w_.edtFilter && store_.listViewActive &&
      store_.currentListLevel == 2 && store_.currentDataKind >= DataKind::Excel &&
      store_.currentDataKind <= DataKind::TableIndex && node && node->parent()) {
    SelectNode(node->parent());
  }
  if (!ListFilterAvailable()) return false;
  w_.edtFilter->setFocus(Qt::ShortcutFocusReason);
  w_.edtFilter->selectAll();
  return true;
}

void TBrowser::ClearListFilter() {
  if (!w_.edtFilter) return;
  QSignalBlocker quiet(w_.edtFilter);
  w_.edtFilter->clear();
  ListModelOf(w_.ltvData)->SetRowFilter({});
}

void TBrowser::ApplyListFilter() {
  TListModel* model = ListModelOf(w_.ltvData);
  std::unordered_set<const TTableRec*> selected;
  for (int row : SelectedRows(w_.ltvData)) selected.insert(model->RecordAt(row));

  // A character with no CP932 form can be in no name: such a text shows no row.
  CodecResult text = Utf8ToCp932(w_.edtFilter->text().toStdString());
  TNameFilter filter(text.text);
  if (!text.ok) {
    model->SetRowFilter([](const TListRow&) { return false; });
  } else if (filter.Empty()) {
    model->SetRowFilter({});
  } else {
    model->SetRowFilter([filter = std::move(filter)](const TListRow& row) {
      return !row.record || filter.Matches(row.record->name);
    });
  }

  // The rows still shown keep their selection.
  std::vector<int> reselect;
  for (int row = 0; row < model->rowCount() && !selected.empty(); ++row) {
    if (selected.count(model->RecordAt(row))) reselect.push_back(row);
  }
  SelectListRows(w_.ltvData, reselect);
  SelCountShow();
}

bool TBrowser::ListFilterKey(QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key == Qt::Key_Escape && !w_.edtFilter->text().isEmpty()) {
    w_.edtFilter->clear();
    return true;
  }
  // Down or Enter goes on to the rows found.
  if (key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) {
    w_.ltvData->setFocus(Qt::TabFocusReason);
    if (SelectedRowCount(w_.ltvData) == 0 && w_.ltvData->model()->rowCount() > 0) {
      SelectListRows(w_.ltvData, {0});
    }
    return true;
  }
  return false;
}

}  // namespace morvane
