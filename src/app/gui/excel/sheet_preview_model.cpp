#include "app/gui/excel/sheet_preview_model.h"

#include "app/gui/qt_text.h"
#include "xlsx/cell_ref.h"

namespace morvane {

void TSheetPreviewModel::SetPreview(std::optional<excel::SheetPreview> preview) {
  beginResetModel();
  preview_ = std::move(preview);
  endResetModel();
}

int TSheetPreviewModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !preview_ ? 0 : static_cast<int>(preview_->rows);
}

int TSheetPreviewModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || !preview_ ? 0 : static_cast<int>(preview_->columns);
}

QVariant TSheetPreviewModel::data(const QModelIndex& index, int role) const {
  if (!preview_ || !index.isValid()) return {};
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  return FromCp932(preview_->Value(static_cast<uint32_t>(index.row()) + 1,
                                   static_cast<uint32_t>(index.column()) + 1));
}

QVariant TSheetPreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return QString::fromStdString(xlsx::ColumnLetters(static_cast<uint32_t>(section) + 1));
}

}  // namespace morvane
