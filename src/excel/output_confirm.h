// The confirmation that starts every Excel output: which sheet is the template.
#pragma once

#include <functional>
#include <optional>

#include "excel/application.h"
#include "model/prompt.h"

namespace morvane::excel {

// Asks whether the sheet active in Excel is to be the template, until the user confirms a
// sheet that is still the active one (Yes), or stops (Cancel, or Cancel at the open-a-sheet
// question, or OK at the not-running warning). No, and a first failure to find an active sheet,
// ask the user to open a sheet; OK there (or Retry at the later warning) calls `openSheet`
// and asks again. Returns the confirmed template, or nothing when the user stopped.
std::optional<Worksheet> ConfirmFormatSheet(ExcelApplication& app, IPrompt& prompt,
                                            const std::function<void()>& openSheet);

}  // namespace morvane::excel
