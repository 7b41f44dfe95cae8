// A template workbook written by hand, part by part, holding what a user's template may hold:
// styles, merged cells, column widths, row heights, print area and titles, header and footer,
// conditional formats, data validation, a picture, printer settings, formulas and a second
// sheet that formulas refer to.
#pragma once

#include <string>

namespace morvane::xlsx::testing {

// Writes the workbook to `path`. Its sheets are "Template" (active) and "Lists".
void WriteHandmadeTemplate(const std::string& path);

// The picture placed on the template, as stored in the file.
const std::string& TemplatePicture();

}  // namespace morvane::xlsx::testing
