// Keeping a window on its screen: the arithmetic, apart from any widget.
#pragma once

#include <QRect>

namespace morvane {

// The frame rectangle `frame` moved and, where it is larger, shrunk so that it lies wholly inside
// `available` (the screen's area without panels). A frame that already fits is returned as it is.
QRect FitIntoArea(const QRect& frame, const QRect& available);

}  // namespace morvane

class QWidget;

namespace morvane {

// Keeps the whole of top-level `window` on the available area of its screen; the window system's
// frame keeps its size and the window inside it gives way. A maximized window is left alone.
void FitToScreen(QWidget& window);

}  // namespace morvane
