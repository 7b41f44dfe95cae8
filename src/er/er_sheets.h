// Rules for the sheets of the ER diagram: default names, adding, deleting, renaming and moving.
// These are pure operations on TERDiagram; the caller asks the user first, shows the warnings
// named here and sets the document's modified flag.
#pragma once

#include <string>
#include <string_view>

#include "model/er_data.h"

namespace morvane {

// Warning texts (UTF-8).
inline constexpr std::string_view kMsgCannotDeleteAllSheets =
    "シートをすべて削除することはできません。";
inline constexpr std::string_view kMsgSheetNameEmpty = "シート名が入力されていません。";
inline constexpr std::string_view kMsgSheetNameDuplicate = "既に同名のシートが存在します。";
inline constexpr std::string_view kRenameSheetCaption = "シート名の変更";

// "シート" followed by the smallest n >= 1 that no sheet is named (ASCII case ignored); CP932.
std::string NextERSheetName(const TERDiagram& diagram);

// Appends a sheet with the next default name and makes it current.
TERSheetRec& AddERSheet(TERDiagram& diagram);
// Appends a sheet with the given name (a project file's) and makes it current.
TERSheetRec& AddERSheet(TERDiagram& diagram, std::string name);

// Interactive deletion is allowed only while more than one sheet exists
// (otherwise warn kMsgCannotDeleteAllSheets).
bool CanDeleteERSheet(const TERDiagram& diagram);

// Removes the sheet at `index` with its windows and lines. When the last sheet was removed the
// one before it becomes current; otherwise the sheet now at the same index does.
void DeleteERSheet(TERDiagram& diagram, int index);

// Removes every sheet (the layout reset of New and Open).
void DeleteAllERSheets(TERDiagram& diagram);

enum class SheetNameCheck { kOk, kEmpty, kDuplicate };

// Checks a name typed for the sheet at `index`: blanks are trimmed from both ends (the trimmed
// text goes to *trimmed); empty is refused, so is the name of any other sheet ignoring ASCII
// case. Keeping the name or changing only its case is fine.
SheetNameCheck CheckERSheetName(const TERDiagram& diagram, int index, std::string_view entry,
                                std::string* trimmed);

// Checks as above and renames when the check passes.
SheetNameCheck RenameERSheet(TERDiagram& diagram, int index, std::string_view entry);

// The warning text of a refused name (UTF-8); empty for kOk.
std::string_view SheetNameCheckMessage(SheetNameCheck check);

// The confirmation "「name」シートを削除しますか？" (UTF-8) for a CP932 sheet name.
std::string DeleteSheetQuestion(std::string_view sheetName);

// Moves the sheet at `from` to position `to`, shifting the sheets between; the moved sheet
// becomes current. Returns false (nothing changes) when from equals to or either is out of range.
bool MoveERSheet(TERDiagram& diagram, int from, int to);

}  // namespace morvane
