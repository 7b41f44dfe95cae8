// Texts the Excel output shows (UTF-8; the prompt takes them as CP932).
#pragma once

#include <string>
#include <string_view>

namespace morvane::excel {

inline constexpr std::string_view kMsgOpenFormatSheet =
    "新規のExcelシートか、フォーマットにするExcelシートを開いてください。\r\nよろしいですか？";
inline constexpr std::string_view kMsgExcelNotAvailable =
    "Excelが起動されていないか、ExcelのOLEが取得できません。";
inline constexpr std::string_view kMsgFormatInvalid = "フォーマットが不正です。";
inline constexpr std::string_view kMsgOutputFinished = "終了しました。";
inline constexpr std::string_view kMsgOutputFailed = "出力に失敗しました。";
inline constexpr std::string_view kActivityExcelOutput = "Excel出力";

// "「name」シートをフォーマットにして、新規のファイルに出力します。\r\nよろしいですか？" in
// CP932, for a CP932 sheet name.
std::string ConfirmFormatSheetQuestion(std::string_view sheetName);

}  // namespace morvane::excel
