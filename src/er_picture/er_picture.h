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

// Draws the sheet's lines and windows with sheet coordinates shifted by `offset`.
void PaintERSheetPicture(QPainter& painter, const TERSheetRec& sheet, QPoint offset);

// Writes the picture of one sheet to `path`: SVG when the name ends in .svg, PNG when it ends in
// .png (either case). On failure returns false with a message for the user in *error.
bool SaveERSheetPicture(const TERSheetRec& sheet, const QString& path, QString* error);

// Where the picture of one of several sheets goes: `path` with "_" and the sheet name put before
// its suffix, characters a file name cannot hold replaced by "_".
QString ERSheetPicturePath(const QString& path, const QString& sheetName);

}  // namespace morvane
