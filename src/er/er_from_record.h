// Placing a catalogue record on an ER sheet as a table window.
#pragma once

#include <vector>

#include "er/er_fit.h"
#include "model/er_data.h"
#include "model/records.h"

namespace morvane {

// The window's column entries: one per column row of the record, in order, from the values at
// the given positions.
std::vector<TERColumnRec> ERColumnsFromRecord(const TTableRec& record,
                                              const TColumnValuePositions& positions);

// Adds a window for the record to `sheet`: named with the lowest free "Table"+n of the whole
// diagram, captioned with the record's name, holding its column entries (all checked).
// A width or height of 0 means 150; with a `fit` measure, a width and height both 0 give the
// size that shows the caption and columns.
TERTableRec& AddERTableFromRecord(TERDiagram& diagram, TERSheetRec& sheet, const TTableRec& record,
                                  const TColumnValuePositions& positions, int left, int top,
                                  int width, int height, const TERTextMeasure* fit = nullptr);

}  // namespace morvane
