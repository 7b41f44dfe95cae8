// Where a relationship line runs: between the nearest edges of its two windows.
#pragma once

#include <cstdint>

#include "model/er_data.h"

namespace morvane {

// A line segment in sheet coordinates and the edges it attaches to (Top .. Right).
// Coordinates are 64-bit so that any window geometry a file can hold adds up safely.
struct TLineGeometry {
  int64_t x1 = 0;
  int64_t y1 = 0;
  int64_t x2 = 0;
  int64_t y2 = 0;
  LineSide fromSide = LineSide::Unknown;
  LineSide toSide = LineSide::Unknown;

  bool operator==(const TLineGeometry&) const = default;
};

// Windows that do not overlap horizontally (touching edges count as overlapping) are joined
// sideways between the facing vertical edges at their mid-heights; otherwise between the facing
// horizontal edges at their mid-widths (from the top of `from` when it reaches below the top of
// `to`). Halves are integer halves.
TLineGeometry ComputeLineGeometry(const TERTableRec& from, const TERTableRec& to);

// Computes every line of the sheet and records its sides, as painting the sheet does.
void UpdateLineSides(TERSheetRec& sheet);

}  // namespace morvane
