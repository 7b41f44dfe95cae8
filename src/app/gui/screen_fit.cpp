#include "app/gui/screen_fit.h"

#include <algorithm>

namespace morvane {

QRect FitIntoArea(const QRect& frame, const QRect& available) {
  if (!available.isValid()) return frame;
  const int width = std::min(frame.width(), available.width());
  const int height = std::min(frame.height(), available.height());
  const int left = std::clamp(frame.left(), available.left(), available.right() - width + 1);
  const int top = std::clamp(frame.top(), available.top(), available.bottom() - height + 1);
  return QRect(left, top, width, height);
}

}  // namespace morvane
