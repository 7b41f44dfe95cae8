// The report lists of the right side (ltvData, ltvColumn, ltvSQL): a QTreeView without
// branches over a TListModel, and the selection and copy helpers the commands use on them.
#pragma once

#include <QTreeView>
#include <string>
#include <vector>

#include "app/gui/browse/list_model.h"
#include "browse/list_columns.h"

class QAbstractItemView;

namespace morvane {

// A report list named `objectName`: full-row, several rows selectable, grid lines, over its own
// TListModel.
QTreeView* MakeReportView(const char* objectName, QWidget* parent = nullptr);

// The TListModel of a report list made by MakeReportView, or nullptr for any other view.
TListModel* ListModelOf(const QAbstractItemView* view);

// Replaces a report list's columns (and so its rows), with the columns' widths.
void SetReportColumns(QTreeView* view, std::vector<TListColumn> columns);
// The captions and widths of a report list's columns, in column order.
std::vector<TShownColumn> ShownColumns(const QTreeView* view);

// The selected rows of a list, ascending (that is, in display order).
std::vector<int> SelectedRows(const QAbstractItemView* view);
int SelectedRowCount(const QAbstractItemView* view);
// Selects every row / flips every row's selection.
void SelectAllRows(QAbstractItemView* view);
void InvertSelectedRows(QAbstractItemView* view);
// Selects exactly `rows` (ascending), the first of them becoming the current row.
void SelectListRows(QAbstractItemView* view, const std::vector<int>& rows);

// The clipboard text (CP932) of a list's selected rows in display order, with or without the
// line of column captions.
std::string SelectedRowsCopyText(const QAbstractItemView* view, bool withTitles);

}  // namespace morvane
