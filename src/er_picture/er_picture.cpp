#include "er_picture/er_picture.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include "er_picture/er_painting.h"

namespace morvane {
namespace {

constexpr int kMargin = 8;

QRect WindowRect(const TERTableRec& table, QPoint offset) {
  return QRect(table.left, table.top, table.width, table.height).translated(offset);
}

void PaintWindow(QPainter& painter, const TERTableRec& table, QPoint offset) {
  const QRect outer = WindowRect(table, offset);
  PaintERWindowFrame(painter, outer, ERDisplayText(table.caption), true, true);
  const QRect client = ERWindowClientRect(outer);
  painter.save();
  painter.fillRect(client, Qt::white);
  painter.setClipRect(client);
  painter.setFont(ERColumnFont());
  painter.setPen(Qt::black);
  int y = client.top();
  for (const TERColumnRec& column : table.columns) {
    if (!column.checked) continue;
    // A fixed baseline, as in the window's list, so underscores are not cut off.
    painter.drawText(QPoint(client.left() + 2, y + 10),
                     ERDisplayText(column.listText.empty()
                                       ? column.keyMark + column.columnName + "  " + column.typeText
                                       : column.listText));
    y += kERColumnRowHeight;
    if (y > client.bottom()) break;
  }
  painter.restore();
}

bool EndsWith(const QString& path, const char* suffix) {
  return path.endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
}

}  // namespace

QRect ERPictureArea(const TERSheetRec& sheet) {
  QRect area;
  for (const auto& table : sheet.tables) area |= WindowRect(*table, {});
  if (area.isEmpty()) return {};
  for (const auto& line : sheet.lines) area |= ERLineArea(*line, {});
  return area.adjusted(-kMargin, -kMargin, kMargin, kMargin);
}

void PaintERSheetPicture(QPainter& painter, const TERSheetRec& sheet, QPoint offset) {
  PaintERLines(painter, sheet, offset,
               QRect(QPoint(INT_MIN / 2, INT_MIN / 2), QPoint(INT_MAX / 2, INT_MAX / 2)));
  for (const auto& table : sheet.tables) PaintWindow(painter, *table, offset);
}

bool SaveERSheetPicture(const TERSheetRec& sheet, const QString& path, QString* error) {
  const QRect area = ERPictureArea(sheet);
  const QString sheetName = ERDisplayText(sheet.name);
  if (area.isEmpty()) {
    *error = QStringLiteral("「%1」シートにはテーブルがありません。").arg(sheetName);
    return false;
  }
  const QPoint offset = -area.topLeft();
  if (EndsWith(path, ".svg")) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(area.size());
    svg.setViewBox(QRect(QPoint(0, 0), area.size()));
    svg.setTitle(sheetName);
    svg.setResolution(96);
    QPainter painter;
    if (!painter.begin(&svg)) {
      *error = QStringLiteral("「%1」に書き込めません。").arg(path);
      return false;
    }
    painter.fillRect(QRect(QPoint(0, 0), area.size()), Qt::white);
    PaintERSheetPicture(painter, sheet, offset);
    painter.end();
    if (!QFileInfo::exists(path)) {
      *error = QStringLiteral("「%1」に書き込めません。").arg(path);
      return false;
    }
    return true;
  }
  if (!EndsWith(path, ".png")) {
    *error = QStringLiteral("画像の形式は .svg か .png で指定してください。");
    return false;
  }
  QImage image(area.size(), QImage::Format_RGB32);
  if (image.isNull()) {
    *error = QStringLiteral("「%1」シートは大きすぎて画像にできません。").arg(sheetName);
    return false;
  }
  image.setDotsPerMeterX(3780);  // 96 dpi
  image.setDotsPerMeterY(3780);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    PaintERSheetPicture(painter, sheet, offset);
  }
  if (!image.save(path, "PNG")) {
    *error = QStringLiteral("「%1」に書き込めません。").arg(path);
    return false;
  }
  return true;
}

QString ERSheetPicturePath(const QString& path, const QString& sheetName) {
  QString safe = sheetName;
  for (QChar& c : safe) {
    if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':') ||
        c.unicode() < 0x20) {
      c = QLatin1Char('_');
    }
  }
  const QFileInfo info(path);
  const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
  const QString base = path.left(path.size() - suffix.size());
  return base + QLatin1Char('_') + safe + suffix;
}

}  // namespace morvane
