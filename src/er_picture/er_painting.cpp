#include "er_picture/er_painting.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

#include "er/line_geometry.h"
#include "text/cp932_text.h"

namespace morvane {
namespace {

const QColor kFrameFace(0xd4, 0xd0, 0xc8);
const QColor kFrameShadow(0x80, 0x80, 0x80);
const QColor kActiveTitle(0x0a, 0x24, 0x6a);
const QColor kActiveTitleEnd(0xa6, 0xca, 0xf0);
const QColor kInactiveTitle(0x80, 0x80, 0x80);
const QColor kInactiveTitleEnd(0xc0, 0xc0, 0xc0);

}  // namespace

QString ERDisplayText(const std::string& cp932) {
  return QString::fromStdString(Cp932ForDisplay(cp932));
}

QFont ERColumnFont() {
  QFont font;
  font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("Noto Sans CJK JP"),
                    QStringLiteral("Noto Sans JP"), QStringLiteral("sans-serif")});
  font.setPixelSize(12);
  return font;
}

TERTextMeasure ERTextMeasure() {
  auto width_in = [](const QFont& font) {
    return [metrics = QFontMetrics(font)](std::string_view cp932) {
      return metrics.horizontalAdvance(ERDisplayText(std::string(cp932)));
    };
  };
  return {width_in(ERCaptionFont()), width_in(ERColumnFont())};
}

QFont ERCaptionFont() {
  QFont font = ERColumnFont();
  font.setPixelSize(11);
  font.setBold(true);
  return font;
}

QPen ERLinePen() { return QPen(Qt::black, kERLineWidth, Qt::SolidLine, Qt::FlatCap); }

QLineF ERLineSegment(const TTargetLine& line, QPointF offset) {
  if (line.fromWindow == nullptr || line.toWindow == nullptr) return {};
  const TLineGeometry g = ComputeLineGeometry(*line.fromWindow, *line.toWindow);
  return QLineF(QPointF(static_cast<double>(g.x1), static_cast<double>(g.y1)) + offset,
                QPointF(static_cast<double>(g.x2), static_cast<double>(g.y2)) + offset);
}

QRect ERLineArea(const TTargetLine& line, QPoint offset) {
  if (line.fromWindow == nullptr || line.toWindow == nullptr) return {};
  const QLineF segment = ERLineSegment(line, offset);
  const QRectF box = QRectF(segment.p1(), segment.p2()).normalized();
  return box.toAlignedRect().adjusted(-kERLineWidth, -kERLineWidth, kERLineWidth, kERLineWidth);
}

void PaintERLines(QPainter& painter, const TERSheetRec& sheet, QPoint offset, const QRect& clip) {
  painter.save();
  painter.setPen(ERLinePen());
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (const auto& line : sheet.lines) {
    if (!ERLineArea(*line, offset).intersects(clip)) continue;
    painter.drawLine(ERLineSegment(*line, offset));
  }
  painter.restore();
}

QRect ERWindowTitleRect(const QRect& outer) {
  return QRect(outer.left() + kERFrameWidth, outer.top() + kERFrameWidth,
               std::max(outer.width() - 2 * kERFrameWidth, 0), kERTitleBarHeight);
}

QRect ERWindowClientRect(const QRect& outer) {
  return outer.adjusted(kERFrameWidth, kERFrameWidth + kERTitleBarHeight, -kERFrameWidth,
                        -kERFrameWidth);
}

void PaintERWindowFrame(QPainter& painter, const QRect& outer, const QString& caption, bool active,
                        bool closeBox, const QFont& captionFont) {
  painter.save();
  painter.fillRect(outer, kFrameFace);
  painter.setPen(kFrameShadow);
  painter.drawRect(outer.adjusted(0, 0, -1, -1));
  painter.setPen(Qt::white);
  painter.drawLine(outer.left() + 1, outer.top() + 1, outer.right() - 1, outer.top() + 1);
  painter.drawLine(outer.left() + 1, outer.top() + 1, outer.left() + 1, outer.bottom() - 1);

  const QRect title = ERWindowTitleRect(outer);
  QLinearGradient gradient(title.topLeft(), title.topRight());
  gradient.setColorAt(0, active ? kActiveTitle : kInactiveTitle);
  gradient.setColorAt(1, active ? kActiveTitleEnd : kInactiveTitleEnd);
  painter.fillRect(title, gradient);

  const int closeSize = kERTitleBarHeight - 4;
  const QRect closeRect(title.right() - closeSize - 1, title.top() + 2, closeSize, closeSize);
  QRect textRect = title.adjusted(3, 0, -(closeSize + 4), 0);
  painter.setFont(captionFont);
  painter.setPen(Qt::white);
  const QString shown =
      QFontMetrics(painter.font()).elidedText(caption, Qt::ElideRight, textRect.width());
  painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, shown);

  if (closeBox) PaintERCloseBox(painter, closeRect);
  painter.restore();
}

void PaintERCloseBox(QPainter& painter, const QRect& box) {
  painter.save();
  painter.fillRect(box, kFrameFace);
  painter.setPen(Qt::black);
  painter.drawRect(box.adjusted(0, 0, -1, -1));
  const QRect cross = box.adjusted(3, 3, -4, -4);
  painter.drawLine(cross.topLeft(), cross.bottomRight());
  painter.drawLine(cross.topRight(), cross.bottomLeft());
  painter.restore();
}

}  // namespace morvane
