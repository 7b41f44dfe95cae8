#include "app/gui/browse/report_view.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <algorithm>

#include "app/gui/browse/grid_line_delegate.h"
#include "browse/list_copy.h"
#include "text/codec.h"

namespace morvane {
namespace {

// Text shown by any model (lists not backed by TListModel) as CP932.
std::string ModelText(const QVariant& value) {
  CodecResult converted = Utf8ToCp932(value.toString().toStdString());
  return converted.ok ? converted.text : std::string("?");
}

void SelectRanges(QAbstractItemView* view, const std::vector<RowRange>& ranges) {
  QAbstractItemModel* model = view->model();
  QItemSelection selection;
  const int last_column = std::max(0, model->columnCount() - 1);
  for (const RowRange& range : ranges) {
    selection.select(model->index(range.first, 0), model->index(range.second, last_column));
  }
  view->selectionModel()->select(selection,
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

}  // namespace

QTreeView* MakeReportView(const char* objectName, QWidget* parent) {
  auto* view = new QTreeView(parent);
  view->setObjectName(QLatin1String(objectName));
  view->setModel(new TListModel(view));
  view->setRootIsDecorated(false);
  view->setItemsExpandable(false);
  view->setUniformRowHeights(true);
  view->setAllColumnsShowFocus(true);
  view->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSortingEnabled(false);
  view->header()->setStretchLastSection(false);
  view->header()->setSectionsMovable(false);
  view->setItemDelegate(new TGridLineDelegate(view));
  return view;
}

TListModel* ListModelOf(const QAbstractItemView* view) {
  return view ? qobject_cast<TListModel*>(view->model()) : nullptr;
}

void SetReportColumns(QTreeView* view, std::vector<TListColumn> columns) {
  std::vector<int> widths;
  for (const TListColumn& column : columns) widths.push_back(column.width);
  ListModelOf(view)->SetColumns(std::move(columns));
  for (size_t i = 0; i < widths.size(); ++i) {
    view->header()->resizeSection(static_cast<int>(i), widths[i]);
  }
}

std::vector<TShownColumn> ShownColumns(const QTreeView* view) {
  std::vector<TShownColumn> shown;
  const TListModel* model = ListModelOf(view);
  if (!model) return shown;
  for (int c = 0; c < model->columnCount(); ++c) {
    shown.push_back({model->Columns()[c].caption, view->header()->sectionSize(c)});
  }
  return shown;
}

std::vector<int> SelectedRows(const QAbstractItemView* view) {
  std::vector<int> rows;
  if (!view->selectionModel()) return rows;
  for (const QItemSelectionRange& range : view->selectionModel()->selection()) {
    for (int row = range.top(); row <= range.bottom(); ++row) rows.push_back(row);
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

int SelectedRowCount(const QAbstractItemView* view) {
  return static_cast<int>(SelectedRows(view).size());
}

void SelectAllRows(QAbstractItemView* view) {
  const int rows = view->model()->rowCount();
  SelectRanges(view, rows > 0 ? std::vector<RowRange>{{0, rows - 1}} : std::vector<RowRange>{});
}

void InvertSelectedRows(QAbstractItemView* view) {
  SelectRanges(view, InvertedSelection(view->model()->rowCount(), SelectedRows(view)));
}

void SelectListRows(QAbstractItemView* view, const std::vector<int>& rows) {
  std::vector<RowRange> ranges;
  for (int row : rows) {
    if (!ranges.empty() && ranges.back().second + 1 == row) {
      ranges.back().second = row;
    } else {
      ranges.emplace_back(row, row);
    }
  }
  if (!rows.empty()) {
    view->selectionModel()->setCurrentIndex(view->model()->index(rows.front(), 0),
                                            QItemSelectionModel::NoUpdate);
  }
  SelectRanges(view, ranges);
}

std::string SelectedRowsCopyText(const QAbstractItemView* view, bool withTitles) {
  const QAbstractItemModel* model = view->model();
  const TListModel* list = ListModelOf(view);
  std::vector<std::string> captions;
  for (int c = 0; c < model->columnCount(); ++c) {
    captions.push_back(list ? list->Columns()[c].caption
                            : ModelText(model->headerData(c, Qt::Horizontal)));
  }
  CellReader cell = [model, list](int row, int column) {
    return list ? std::string(list->Cell(row, column))
                : ModelText(model->data(model->index(row, column)));
  };
  return ListCopyText(captions, SelectedRows(view), cell, withTitles);
}

}  // namespace morvane
