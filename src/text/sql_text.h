// The free SQL text of the document: one entry per line of the SQL text box, as the project file
// stores it (one field per line).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// The lines of a text box's text. Lines end at LF or CR LF; a text that ends with a line break
// has no empty line after it, so "A\nB\n" gives {"A", "B"}, "" gives {} and "\n" gives {""}.
std::vector<std::string> SqlTextLines(std::string_view text);

// The text of the lines joined with LF; the inverse of SqlTextLines up to a final line break.
std::string SqlTextOfLines(const std::vector<std::string>& lines);

}  // namespace morvane
