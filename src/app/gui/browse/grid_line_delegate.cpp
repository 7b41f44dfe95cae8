#include "app/gui/browse/grid_line_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace morvane {

void TGridLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
  QStyledItemDelegate::paint(painter, option, index);
  const QStyle* style = option.widget != nullptr ? option.widget->style() : QApplication::style();
  const QColor grid = QColor::fromRgba(
      static_cast<QRgb>(style->styleHint(QStyle::SH_Table_GridLineColor, &option, option.widget)));
  painter->save();
  painter->setPen(grid);
  const QRect& r = option.rect;
  painter->drawLine(r.topRight(), r.bottomRight());
  painter->drawLine(r.bottomLeft(), r.bottomRight());
  painter->restore();
}

}  // namespace morvane
