#include "er_picture/er_picture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

#include "er_picture/er_painting.h"
#include "er_picture/er_svg_text.h"
#include "fileio/file_save.h"

namespace morvane {
namespace {

constexpr int kMargin = 8;

QRect WindowRect(const TERTableRec& table, QPoint offset) {
  return QRect(table.left, table.top, table.width, table.height).translated(offset);
}

void PaintWindow(QPainter& painter, const TERTableRec& table, QPoint offset,
                 TERSvgTextBoxes* svgText) {
  const QRect outer = WindowRect(table, offset);
  const QRect client = ERWindowClientRect(outer);
  QFont caption_font = ERCaptionFont();
  QFont column_font = ERColumnFont();
  if (svgText) {
    caption_font = svgText->Box(caption_font, ERWindowTitleRect(outer));
    column_font = svgText->Box(column_font, client);
  }
  PaintERWindowFrame(painter, outer, ERDisplayText(table.caption), true, true, caption_font);
  painter.save();
  painter.fillRect(client, Qt::white);
  painter.setClipRect(client);
  painter.setFont(column_font);
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

void PaintERSheetPicture(QPainter& painter, const TERSheetRec& sheet, QPoint offset,
                         TERSvgTextBoxes* svgText) {
  PaintERLines(painter, sheet, offset,
               QRect(QPoint(INT_MIN / 2, INT_MIN / 2), QPoint(INT_MAX / 2, INT_MAX / 2)));
  for (const auto& table : sheet.tables) PaintWindow(painter, *table, offset, svgText);
}

namespace {

QByteArray SvgBytes(const TERSheetRec& sheet, const QRect& area) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(area.size());
  svg.setViewBox(QRect(QPoint(0, 0), area.size()));
  svg.setTitle(ERDisplayText(sheet.name));
  svg.setResolution(96);
  QPainter painter;
  if (!painter.begin(&svg)) return {};
  painter.fillRect(QRect(QPoint(0, 0), area.size()), Qt::white);
  TERSvgTextBoxes text;
  PaintERSheetPicture(painter, sheet, -area.topLeft(), &text);
  painter.end();
  return text.Finish(buffer.data());
}

// The factor that brings a picture of `size` within the pixel limits (1 when it fits).
double FittingScale(QSize size) {
  const double pixels = double(size.width()) * double(size.height());
  double scale = std::min(1.0, std::sqrt(double(kMaxERPicturePixels) / pixels));
  scale = std::min(scale, double(kMaxERPictureSide) / size.width());
  return std::min(scale, double(kMaxERPictureSide) / size.height());
}

QByteArray PngBytes(const TERSheetRec& sheet, const QRect& area, double scale) {
  const QSize size(std::max(1, int(area.width() * scale)), std::max(1, int(area.height() * scale)));
  QImage image(size, QImage::Format_RGB32);
  if (image.isNull()) return {};
  image.setDotsPerMeterX(3780);  // 96 dpi
  image.setDotsPerMeterY(3780);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.scale(scale, scale);
    PaintERSheetPicture(painter, sheet, -area.topLeft());
  }
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return {};
  return buffer.data();
}

}  // namespace

bool SaveERSheetPicture(const TERSheetRec& sheet, const QString& path, QString* error,
                        QString* note) {
  const QRect area = ERPictureArea(sheet);
  const QString sheetName = ERDisplayText(sheet.name);
  if (area.isEmpty()) {
    *error = QStringLiteral("「%1」シートにはテーブルがありません。").arg(sheetName);
    return false;
  }
  const bool svg = EndsWith(path, ".svg");
  if (!svg && !EndsWith(path, ".png")) {
    *error = QStringLiteral("画像の形式は .svg か .png で指定してください。");
    return false;
  }
  const double scale = svg ? 1.0 : FittingScale(area.size());
  if (scale < 1.0 && note != nullptr) {
    *note = QStringLiteral(
                "「%1」シートの画像は %2 × %3 ピクセルになり、上限 (%4 万ピクセル、"
                "一辺 %5 ピクセル) を超えるため %6% に縮小しました。")
                .arg(sheetName)
                .arg(area.width())
                .arg(area.height())
                .arg(kMaxERPicturePixels / 10000)
                .arg(kMaxERPictureSide)
                .arg(int(scale * 100));
  }
  const QByteArray bytes = svg ? SvgBytes(sheet, area) : PngBytes(sheet, area, scale);
  if (bytes.isEmpty()) {
    *error = QStringLiteral("「%1」シートの画像を作れませんでした。").arg(sheetName);
    return false;
  }
  const std::string file = path.toStdString();
  if (const int failed =
          fileio::SaveFileBytes(file, std::string_view(bytes.constData(), bytes.size()))) {
    *error = QString::fromStdString(fileio::SaveFailureText(file, failed));
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
