// Text in SVG pictures of ER sheets. Qt's SVG writer names only a font's first family and
// ignores the painter's clip, so the picture's text is drawn in a placeholder family per box and
// finished afterwards: every text gets a list of families a Japanese desktop may have and is
// clipped to its box, as the window on screen clips it.
#pragma once

#include <QByteArray>
#include <QFont>
#include <QRect>
#include <vector>

namespace morvane {

// The families written for the picture's text, best first.
inline constexpr const char* kERSvgFontFamilies =
    "'ＭＳ Ｐゴシック', 'Noto Sans CJK JP', 'IPAexGothic', 'IPAGothic', sans-serif";

// Clip boxes of an SVG picture while it is painted.
class TERSvgTextBoxes {
 public:
  // `font` with its family replaced by the placeholder of a new box `clip`.
  QFont Box(QFont font, const QRect& clip);
  // The SVG document `svg` with the placeholders replaced by the family list and clip paths.
  QByteArray Finish(const QByteArray& svg) const;

 private:
  std::vector<QRect> boxes_;
};

}  // namespace morvane
