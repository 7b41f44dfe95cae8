#include "excel/output_confirm.h"

#include <string>

#include "excel/excel_error.h"
#include "excel/output_messages.h"
#include "text/codec.h"

namespace morvane::excel {

std::string ConfirmFormatSheetQuestion(std::string_view sheetName) {
  return ToCp932("「") + std::string(sheetName) +
         ToCp932("」シートをフォーマットにして、新規のファイルに出力します。\r\nよろしいですか？");
}

namespace {

// "Open a sheet" (OK and Cancel): true when the user opened one and wants to go on.
bool AskToOpenSheet(IPrompt& prompt, const std::function<void()>& openSheet) {
  PromptButton answer = prompt.Ask(PromptKind::kConfirm, ToCp932(kMsgOpenFormatSheet),
                                   {PromptButton::kOk, PromptButton::kCancel}, PromptButton::kOk,
                                   PromptButton::kCancel);
  if (answer != PromptButton::kOk) return false;
  if (openSheet) openSheet();
  return true;
}

// The not-running warning (OK and Retry): true for Retry.
bool AskToRetry(IPrompt& prompt, const std::function<void()>& openSheet) {
  PromptButton answer =
      prompt.Ask(PromptKind::kWarning, ToCp932(kMsgExcelNotAvailable),
                 {PromptButton::kOk, PromptButton::kRetry}, PromptButton::kOk, PromptButton::kOk);
  if (answer != PromptButton::kRetry) return false;
  if (openSheet) openSheet();
  return true;
}

// True when `format` is still the active sheet, under the same name.
bool StillActive(ExcelApplication& app, const Worksheet& format, const std::string& name) {
  try {
    Worksheet active = app.ActiveSheet();
    return format.Name() == name && active.SameSheet(format);
  } catch (const ExcelError&) {
    return false;
  }
}

}  // namespace

std::optional<Worksheet> ConfirmFormatSheet(ExcelApplication& app, IPrompt& prompt,
                                            const std::function<void()>& openSheet) {
  bool first_attempt = true;
  for (;;) {
    std::optional<Worksheet> format;
    std::string name;
    try {
      format = app.ActiveSheet();
      name = format->Name();
    } catch (const ExcelError&) {
      bool go_on =
          first_attempt ? AskToOpenSheet(prompt, openSheet) : AskToRetry(prompt, openSheet);
      first_attempt = false;
      if (!go_on) return std::nullopt;
      continue;
    }
    switch (prompt.AskYesNoCancel(ConfirmFormatSheetQuestion(name))) {
      case PromptButton::kYes:
        if (StillActive(app, *format, name)) return format;
        break;  // another sheet became active meanwhile: ask about that one
      case PromptButton::kNo:
        first_attempt = false;
        if (!AskToOpenSheet(prompt, openSheet)) return std::nullopt;
        break;
      default:
        return std::nullopt;
    }
  }
}

}  // namespace morvane::excel
