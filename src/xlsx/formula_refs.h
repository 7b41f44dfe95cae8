// Finding and rewriting the sheet and name references in formula text, for copying a sheet to
// another workbook and for renaming or deleting sheets.
#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::xlsx {

// Quotes a sheet name for use before "!" in a formula: 'My Sheet' ('' for an apostrophe).
std::string QuoteSheetName(std::string_view name);

// Rewrites each sheet prefix ("Sheet1!", "'My Sheet'!") of a formula: `rewrite` receives the
// sheet name and returns the new prefix including "!" (possibly empty), or nothing to keep it.
// Text inside string literals is left alone. Prefixes of other workbooks ("[1]Sheet1!") are
// passed with an empty name.
std::string RewriteSheetPrefixes(
    std::string_view formula,
    const std::function<std::optional<std::string>(const std::string& sheet)>& rewrite);

// True when the formula refers to a sheet other than `own_sheet` (compared by SheetNameKey),
// to another workbook, to one of `names` (keys from SheetNameKey) or to a table column.
bool ReachesBeyondSheet(std::string_view formula, std::string_view own_sheet,
                        const std::set<std::string>& names);

// The keys (SheetNameKey) of the sheets a formula's prefixes name, other workbooks' left out.
std::vector<std::string> SheetKeysOf(std::string_view formula);

// Whether a formula names a sheet, remembered for the formula text last asked about: renaming
// one of hundreds of sheets asks every defined name, and most of them never change.
class FormulaSheetKeys {
 public:
  bool Names(const std::string& formula, std::string_view sheet_key);

 private:
  bool known_ = false;
  std::string formula_;
  std::vector<std::string> keys_;
};

// Formula cells keep their formula as XML ("<f t=\"shared\" si=\"0\">A1*2</f>"): these read and
// replace the formula text inside.
std::string FormulaTextOf(std::string_view f_xml);
std::string WithFormulaText(std::string_view f_xml, std::string_view text);

}  // namespace morvane::xlsx
