// How ER sheets look, shared by the sheet on screen and the pictures made of it: the column
// list font, the table window's frame and title bar, and the relationship lines.
#pragma once

#include <QFont>
#include <QPen>
#include <QRect>
#include <QString>
#include <string>

#include "er/er_fit.h"
#include "model/er_data.h"

class QPainter;

namespace morvane {

constexpr int kERColumnRowHeight = 12;  // one line of a window's column list
constexpr int kERFrameWidth = 3;        // the sizeable border
constexpr int kERTitleBarHeight = 16;   // the small title bar of a tool window
constexpr int kERLineWidth = 2;

// A window's caption or column text for display (CP932 in the document).
QString ERDisplayText(const std::string& cp932);

// The column lists' font: a Japanese proportional gothic of 9 points (12 pixels).
QFont ERColumnFont();
// The title bar's font.
QFont ERCaptionFont();
// Text widths in the caption and column list fonts, for sizing windows to their content.
// Needs a QGuiApplication (the offscreen platform will do).
TERTextMeasure ERTextMeasure();
// Black, 2 pixels wide.
QPen ERLinePen();

// The segment of a line in sheet coordinates shifted by `offset`, as drawn.
QLineF ERLineSegment(const TTargetLine& line, QPointF offset);
// The area a line's painting touches, for partial repaints.
QRect ERLineArea(const TTargetLine& line, QPoint offset);

// Draws every line of the sheet whose area meets `clip` (sheet coordinates + offset).
void PaintERLines(QPainter& painter, const TERSheetRec& sheet, QPoint offset, const QRect& clip);

// Draws a table window's frame and title bar into `outer` (the window's whole rectangle); the
// client area inside is left to the caller. `closeBox` also draws the close button's box.
void PaintERWindowFrame(QPainter& painter, const QRect& outer, const QString& caption, bool active,
                        bool closeBox, const QFont& captionFont = ERCaptionFont());
// The close button's box with its cross.
void PaintERCloseBox(QPainter& painter, const QRect& box);
// The client area of a window whose whole rectangle is `outer`.
QRect ERWindowClientRect(const QRect& outer);
// The title bar of a window whose whole rectangle is `outer`.
QRect ERWindowTitleRect(const QRect& outer);

}  // namespace morvane
