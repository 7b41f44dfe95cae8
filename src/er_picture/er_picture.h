// Pictures of ER sheets: the windows with their captions and checked columns and the lines, as
// on screen, cropped to the drawn area, written as SVG or PNG. Needs a QGuiApplication (the
// offscreen platform will do) but no widgets.
#pragma once

#include <QRect>
#include <QString>

#include "model/er_data.h"

class QPainter;

namespace morvane {

// The drawn area of a sheet in sheet coordinates, with a small margin; empty when the sheet
// has no windows.
QRect ERPictureArea(const TERSheetRec& sheet);

class TERSvgTextBoxes;

// Draws the sheet's lines and windows with sheet coordinates shifted by `offset`. For an SVG
// picture, `svgText` takes the text's clip boxes (see er_svg_text.h).
void PaintERSheetPicture(QPainter& painter, const TERSheetRec& sheet, QPoint offset,
                         TERSvgTextBoxes* svgText = nullptr);

// A PNG picture has at most this many pixels, and sides of at most kMaxERPictureSide pixels; a
// larger sheet is drawn scaled down to fit.
inline constexpr long long kMaxERPicturePixels = 64'000'000;
inline constexpr int kMaxERPictureSide = 16'384;

// Writes the picture of one sheet to `path`, complete or not at all: SVG when the name ends in
// .svg, PNG when it ends in .png (either case). On failure returns false with a message for the
// user in *error; a PNG scaled down to the limits says so in *note.
bool SaveERSheetPicture(const TERSheetRec& sheet, const QString& path, QString* error,
                        QString* note = nullptr);

// Where the picture of one of several sheets goes: `path` with "_" and the sheet name put before
// its suffix, characters a file name cannot hold replaced by "_".
QString ERSheetPicturePath(const QString& path, const QString& sheetName);

}  // namespace morvane
