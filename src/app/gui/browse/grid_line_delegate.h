// The grid lines of the report lists: each cell is drawn as usual, then its right and bottom
// edges in the style's grid colour, as a table view would.
#pragma once

#include <QStyledItemDelegate>

namespace morvane {

class TGridLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace morvane
