// The read-only grid model of the workbook window's preview: a sheet's values under column
// letters and row numbers.
#pragma once

#include <QAbstractTableModel>

#include "excel/sheet_preview.h"

namespace morvane {

class TSheetPreviewModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Shows a sheet's preview; nothing shows no grid at all.
  void SetPreview(std::optional<excel::SheetPreview> preview);
  const std::optional<excel::SheetPreview>& Preview() const { return preview_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::optional<excel::SheetPreview> preview_;
};

}  // namespace morvane
