#include "app/gui/screen_fit.h"

#include <QScreen>
#include <QWidget>
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

void FitToScreen(QWidget& window) {
  if (window.isMaximized() || window.isFullScreen()) return;
  QScreen* display = window.screen();
  if (!display) return;
  const QRect frame = window.frameGeometry();
  const QRect inner = window.geometry();
  const QRect fitted = FitIntoArea(frame, display->availableGeometry());
  if (fitted == frame) return;
  window.setGeometry(fitted.adjusted(inner.left() - frame.left(), inner.top() - frame.top(),
                                     inner.right() - frame.right(),
                                     inner.bottom() - frame.bottom()));
}

}  // namespace morvane
