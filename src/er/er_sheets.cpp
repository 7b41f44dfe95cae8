#include "er/er_sheets.h"

#include <algorithm>

#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane {
namespace {

bool IsValidIndex(const TERDiagram& diagram, int index) {
  return index >= 0 && index < static_cast<int>(diagram.sheets.size());
}

bool NameTaken(const TERDiagram& diagram, std::string_view name, int exceptIndex) {
  for (size_t i = 0; i < diagram.sheets.size(); ++i) {
    if (static_cast<int>(i) == exceptIndex) continue;
    if (EqualsIgnoringAsciiCase(diagram.sheets[i]->name, name)) return true;
  }
  return false;
}

}  // namespace

std::string NextERSheetName(const TERDiagram& diagram) {
  static const std::string prefix = ToCp932("シート");
  for (int n = 1;; ++n) {
    std::string candidate = prefix + std::to_string(n);
    if (!NameTaken(diagram, candidate, -1)) return candidate;
  }
}

TERSheetRec& AddERSheet(TERDiagram& diagram) {
  return AddERSheet(diagram, NextERSheetName(diagram));
}

TERSheetRec& AddERSheet(TERDiagram& diagram, std::string name) {
  auto sheet = std::make_unique<TERSheetRec>();
  sheet->name = std::move(name);
  diagram.sheets.push_back(std::move(sheet));
  diagram.currentIndex = static_cast<int>(diagram.sheets.size()) - 1;
  return *diagram.sheets.back();
}

bool CanDeleteERSheet(const TERDiagram& diagram) { return diagram.sheets.size() > 1; }

void DeleteERSheet(TERDiagram& diagram, int index) {
  if (!IsValidIndex(diagram, index)) return;
  // Lines refer to windows, so they go first.
  diagram.sheets[index]->lines.clear();
  diagram.sheets[index]->tables.clear();
  diagram.sheets.erase(diagram.sheets.begin() + index);
  const int count = static_cast<int>(diagram.sheets.size());
  if (index < diagram.currentIndex || diagram.currentIndex >= count) --diagram.currentIndex;
  if (count == 0) diagram.currentIndex = -1;
}

void DeleteAllERSheets(TERDiagram& diagram) {
  while (!diagram.sheets.empty())
    DeleteERSheet(diagram, static_cast<int>(diagram.sheets.size()) - 1);
  diagram.currentIndex = -1;
}

SheetNameCheck CheckERSheetName(const TERDiagram& diagram, int index, std::string_view entry,
                                std::string* trimmed) {
  std::string name = TrimBlanks(entry);
  if (trimmed != nullptr) *trimmed = name;
  if (name.empty()) return SheetNameCheck::kEmpty;
  if (NameTaken(diagram, name, index)) return SheetNameCheck::kDuplicate;
  return SheetNameCheck::kOk;
}

SheetNameCheck RenameERSheet(TERDiagram& diagram, int index, std::string_view entry) {
  std::string name;
  SheetNameCheck check = CheckERSheetName(diagram, index, entry, &name);
  if (check == SheetNameCheck::kOk && IsValidIndex(diagram, index)) {
    diagram.sheets[index]->name = std::move(name);
  }
  return check;
}

std::string_view SheetNameCheckMessage(SheetNameCheck check) {
  switch (check) {
    case SheetNameCheck::kEmpty:
      return kMsgSheetNameEmpty;
    case SheetNameCheck::kDuplicate:
      return kMsgSheetNameDuplicate;
    case SheetNameCheck::kOk:
      break;
  }
  return {};
}

std::string DeleteSheetQuestion(std::string_view sheetName) {
  return "「" + Cp932ForDisplay(sheetName) + "」シートを削除しますか？";
}

bool MoveERSheet(TERDiagram& diagram, int from, int to) {
  if (from == to || !IsValidIndex(diagram, from) || !IsValidIndex(diagram, to)) return false;
  auto& sheets = diagram.sheets;
  if (from < to) {
    std::rotate(sheets.begin() + from, sheets.begin() + from + 1, sheets.begin() + to + 1);
  } else {
    std::rotate(sheets.begin() + to, sheets.begin() + from, sheets.begin() + from + 1);
  }
  diagram.currentIndex = to;
  return true;
}

}  // namespace morvane
