#include "er_picture/er_svg_text.h"

#include <QString>
#include <QStringList>

namespace morvane {
namespace {

QByteArray PlaceholderFamily(size_t box) { return "morvane-er-box-" + QByteArray::number(box); }

QByteArray ClipPaths(const std::vector<QRect>& boxes) {
  QByteArray defs = "<defs>\n";
  for (size_t i = 0; i < boxes.size(); ++i) {
    const QRect& r = boxes[i];
    defs += QStringLiteral(
                "<clipPath id=\"%1\"><rect x=\"%2\" y=\"%3\" width=\"%4\" "
                "height=\"%5\"/></clipPath>\n")
                .arg(QString::fromLatin1(PlaceholderFamily(i)))
                .arg(r.x())
                .arg(r.y())
                .arg(r.width())
                .arg(r.height())
                .toUtf8();
  }
  return defs + "</defs>\n";
}

}  // namespace

QFont TERSvgTextBoxes::Box(QFont font, const QRect& clip) {
  font.setFamilies(QStringList{QString::fromLatin1(PlaceholderFamily(boxes_.size()))});
  boxes_.push_back(clip);
  return font;
}

QByteArray TERSvgTextBoxes::Finish(const QByteArray& svg) const {
  QByteArray out = svg;
  const QByteArray families = QString::fromUtf8(kERSvgFontFamilies).toUtf8();
  for (size_t i = 0; i < boxes_.size(); ++i) {
    const QByteArray id = PlaceholderFamily(i);
    out.replace("font-family=\"" + id + "\"",
                "font-family=\"" + families + "\" clip-path=\"url(#" + id + ")\"");
  }
  // The clip paths go first inside the document element.
  const qsizetype svg_start = out.indexOf("<svg");
  const qsizetype body = svg_start < 0 ? -1 : out.indexOf('>', svg_start);
  if (body >= 0 && !boxes_.empty()) out.insert(body + 1, "\n" + ClipPaths(boxes_));
  return out;
}

}  // namespace morvane
