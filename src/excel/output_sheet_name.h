// Names of output sheets: the wanted name (a table or ER sheet name) made acceptable to Excel,
// and the " (n)" names tried while a name is refused.
#pragma once

#include <string>
#include <string_view>

#include "excel/worksheet.h"

namespace morvane::excel {

// The first 31 characters of a CP932 name (a double-byte character counting as one), with
// every character Excel refuses in sheet names (: \ / ? * [ ], one that does not convert, and an
// apostrophe at either end) replaced by "_". Names that differ only in such characters then
// get the " (n)" retries like any other taken name.
std::string OutputSheetName(std::string_view wanted);

// The name tried after `tried` was refused for the n-th time (n = 2, 3, ...): its last
// (digits of n + 3) characters give way to " (n)", keeping the length; a name shorter than the
// suffix becomes the suffix alone.
std::string NumberedSheetName(std::string_view tried, int n);

// Names the sheet OutputSheetName(wanted), trying numbered names while the name is refused.
// Gives up with the last refusal once more names were tried than the workbook has sheets, as
// then no taken name can be the reason.
void NameOutputSheet(const Worksheet& sheet, std::string_view wanted);

}  // namespace morvane::excel
