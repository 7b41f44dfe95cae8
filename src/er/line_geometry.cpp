#include "er/line_geometry.h"

namespace morvane {

TLineGeometry ComputeLineGeometry(const TERTableRec& from, const TERTableRec& to) {
  const int64_t sLeft = from.left, sTop = from.top, sWidth = from.width, sHeight = from.height;
  const int64_t tLeft = to.left, tTop = to.top, tWidth = to.width, tHeight = to.height;
  const int64_t sRight = sLeft + sWidth, sBottom = sTop + sHeight;
  const int64_t tRight = tLeft + tWidth, tBottom = tTop + tHeight;

  TLineGeometry g;
  if (sRight < tLeft || sLeft > tRight) {
    g.y1 = sTop + sHeight / 2;
    g.y2 = tTop + tHeight / 2;
    if (tLeft < sRight) {
      g.x1 = sLeft;
      g.x2 = tRight;
      g.fromSide = LineSide::Left;
      g.toSide = LineSide::Right;
    } else {
      g.x1 = sRight;
      g.x2 = tLeft;
      g.fromSide = LineSide::Right;
      g.toSide = LineSide::Left;
    }
  } else {
    g.x1 = sLeft + sWidth / 2;
    g.x2 = tLeft + tWidth / 2;
    if (sBottom > tTop) {
      g.y1 = sTop;
      g.y2 = tBottom;
      g.fromSide = LineSide::Top;
      g.toSide = LineSide::Bottom;
    } else {
      g.y1 = sBottom;
      g.y2 = tTop;
      g.fromSide = LineSide::Bottom;
      g.toSide = LineSide::Top;
    }
  }
  return g;
}

void UpdateLineSides(TERSheetRec& sheet) {
  for (auto& line : sheet.lines) {
    if (line->fromWindow == nullptr || line->toWindow == nullptr) continue;
    const TLineGeometry g = ComputeLineGeometry(*line->fromWindow, *line->toWindow);
    line->fromSide = g.fromSide;
    line->toSide = g.toSide;
  }
}

}  // namespace morvane
