// Drawing one ER sheet into an output sheet: a text box per table window and a connector per
// relationship line, glued to the boxes at the line's edges.
#pragma once

#include <string>

#include "excel/shapes.h"
#include "model/er_data.h"
#include "model/format_settings.h"

namespace morvane::excel {

// Most characters one call puts into a text box.
constexpr int kTextPieceCharacters = 200;

// The box text of a window (CP932): its caption, then for each checked column a line feed, a
// blank, the key mark and the column name, and with `withType` a blank and the type text.
std::string ERBoxText(const TERTableRec& window, bool withType);

// Puts CP932 text into a box in pieces of at most 200 characters (a double-byte character
// counting as one and never split): the first through Characters.Text, each later one inserted
// right after the text already there.
void PutTextInPieces(const Shape& box, const std::string& cp932);

// Where a window's box goes, in points: the window's sheet position and size, two-thirds as
// wide and as far from the left when erType is 0, then moved by the margins.
struct BoxPlace {
  int left, top, width, height;
};
BoxPlace ERBoxPlace(const TERTableRec& window, const TFormatSettings& settings);

// The edges a line's ends attach to: as recorded, or, when a side was never computed (a sheet
// never shown), from the windows' geometry.
struct LineSites {
  LineSide from, to;
};
LineSites ERLineSites(const TTargetLine& line);

// Draws the sheet's windows and lines onto `sheet` with the ER settings.
void DrawERSheet(const Worksheet& sheet, const TERSheetRec& er, const TFormatSettings& settings);

}  // namespace morvane::excel
