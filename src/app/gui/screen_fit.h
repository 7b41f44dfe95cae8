// Keeping a window on its screen: the arithmetic, apart from any widget.
#pragma once

#include <QRect>

namespace morvane {

// The frame rectangle `frame` moved and, where it is larger, shrunk so that it lies wholly inside
// `available` (the screen's area without panels). A frame that already fits is returned as it is.
QRect FitIntoArea(const QRect& frame, const QRect& available);

}  // namespace morvane
