// The bundled table-definition template (data/templates/default): one sheet with the table
// values in row 1, a title in row 3 and a bordered column block with headings from row 5,
// matching the output settings of a new project.
#pragma once

#include <string_view>

namespace morvane::excel {

// The template as .xlsx bytes, embedded in the program.
std::string_view DefaultTemplateBytes();

}  // namespace morvane::excel
