// The failure of an Excel operation, carrying a readable message (UTF-8) for the error box. It is
// the workbook engine's own error class, so that a failure of either reads the same.
#pragma once

#include "xlsx/error.h"

namespace morvane::excel {

using ExcelError = xlsx::Error;

}  // namespace morvane::excel
