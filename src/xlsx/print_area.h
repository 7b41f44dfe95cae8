// The print area of a sheet (its _xlnm.Print_Area name) grown to hold the cells with values,
// so that a template's print area covers whatever was written below or beside it.
#pragma once

#include "xlsx/worksheet.h"

namespace morvane::xlsx {

// Extends the last row and column of the sheet's print area (a single rectangle) to the last
// row and column that hold a value; a formula without a result does not count. A sheet without
// a print area, or with one of several areas, is left as it is.
void ExtendPrintAreaToValues(Worksheet& sheet);

}  // namespace morvane::xlsx
