// Qt's own texts (file dialog buttons and labels, context menus of edit fields) in Japanese,
// like the rest of the program, whatever the desktop's language.
#pragma once

namespace morvane {

// Installs Qt's Japanese translation when the system has it; false when it is missing, in
// which case Qt's texts stay in English.
bool InstallJapaneseQtTexts();

}  // namespace morvane
