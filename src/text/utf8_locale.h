// The process's character-type locale, which the ODBC driver manager uses to turn wide text into
// bytes for drivers without wide functions.
#pragma once

namespace morvane {

// Takes the environment's character-type locale when its character set is UTF-8, otherwise
// "C.UTF-8", so that Japanese names reach every driver intact. Call once at start-up, before
// any ODBC call (for the GUI: after the application object, which sets the locale itself).
void UseUtf8CharacterLocale();

}  // namespace morvane
