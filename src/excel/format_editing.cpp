#include "excel/format_editing.h"

#include <algorithm>
#include <utility>

#include "model/item_def.h"
#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane {
namespace {

// The characters of a CP932 text, a double-byte character as one.
std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> chars;
  size_t i = 0;
  while (i < text.size()) {
    const size_t length =
        IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    chars.push_back(text.substr(i, length));
    i += length;
  }
  return chars;
}

// A character's place in the alphabet, 1 for A to 26 for Z; anything else counts as A.
int LetterNumber(std::string_view character) {
  if (character.size() != 1 || character[0] < 'A' || character[0] > 'Z') return 1;
  return character[0] - 'A' + 1;
}

bool IsDigit(std::string_view character) {
  return character.size() == 1 && character[0] >= '0' && character[0] <= '9';
}

const TFormatRow* FirstChecked(const TFormatList& list) {
  for (const TFormatRow& row : list.rows) {
    if (row.checked) return &row;
  }
  return nullptr;
}

// Splits an upper-cased cell into its letters and its row number: the row number begins at the
// first digit among the first three characters; without one the whole text is letters, row 1.
// A row number that is not a positive integer is row 1 too.
std::pair<std::string, int> SplitCell(std::string_view cell) {
  const std::vector<std::string_view> chars = Characters(cell);
  size_t letters_end = cell.size();
  for (size_t i = 0; i < chars.size() && i < 3; ++i) {
    if (IsDigit(chars[i])) {
      letters_end = static_cast<size_t>(chars[i].data() - cell.data());
      break;
    }
  }
  int row = 0;
  if (letters_end == cell.size() || !ParseInt32(cell.substr(letters_end), row) || row <= 0) {
    row = 1;
  }
  return {std::string(cell.substr(0, letters_end)), row};
}

// Gives the checked rows consecutive column letters from `number` on, each followed by
// `suffix`; unchecked rows get an empty first column.
void NumberCheckedRows(TFormatList& list, int number, const std::string& suffix) {
  for (TFormatRow& row : list.rows) {
    if (row.checked) {
      row.first = ColumnLetters(number - 1) + suffix;
      ++number;
    } else {
      row.first.clear();
    }
  }
}

TFormatRow RowOf(const TItemDef& item, std::string first, std::string second) {
  return {item.output != 0, std::move(first), std::move(second), item.name, item.index};
}

// Puts the items in the rows' order and sets their addresses and output from the rows; the cell
// only when the list shows one. A row finds its item by index and name, so items that share a
// name stay apart and a list that changed meanwhile is not written by rows of another. Items
// that no row finds keep their places before the others.
void StoreList(const TFormatList& list, bool withCell, ItemList& items) {
  size_t unplaced = items.size();  // items [0, unplaced) have not been placed yet
  for (const TFormatRow& row : list.rows) {
    auto end = items.begin() + static_cast<ptrdiff_t>(unplaced);
    auto found = std::find_if(items.begin(), end, [&row](const TItemDef& item) {
      return item.index == row.item && item.name == row.name;
    });
    if (found == end) continue;
    TItemDef item = std::move(*found);
    item.output = row.checked ? 1 : 0;
    if (list.firstColumn == TFirstColumn::kCell) {
      item.excelCell = row.first;
      item.excelColumn = row.second;
    } else {
      item.excelColumn = row.first;
      if (withCell) item.excelCell = row.second;
    }
    items.erase(found);
    items.push_back(std::move(item));
    --unplaced;
  }
}

// Stores a number box and shows what was stored.
int StoreNumber(std::string& text) {
  const int number = NumberOrZero(text);
  text = std::to_string(number);
  return number;
}

}  // namespace

TFormatList TableFormatList(const ItemList& items, bool oneSheet) {
  TFormatList list;
  list.firstColumn = oneSheet ? TFirstColumn::kColumn : TFirstColumn::kCell;
  for (const TItemDef& item : items) {
    list.rows.push_back(oneSheet ? RowOf(item, item.excelColumn, item.excelCell)
                                 : RowOf(item, item.excelCell, item.excelColumn));
  }
  return list;
}

TFormatList ColumnFormatList(const ItemList& items) {
  TFormatList list;
  list.firstColumn = TFirstColumn::kColumn;
  for (const TItemDef& item : items) list.rows.push_back(RowOf(item, item.excelColumn, {}));
  return list;
}

void SwapFirstColumns(TFormatList& list) {
  list.firstColumn =
      list.firstColumn == TFirstColumn::kCell ? TFirstColumn::kColumn : TFirstColumn::kCell;
  for (TFormatRow& row : list.rows) std::swap(row.first, row.second);
}

int MoveRowUp(TFormatList& list, int selected) {
  if (selected <= 0 || selected >= static_cast<int>(list.rows.size())) return selected;
  std::swap(list.rows[selected], list.rows[selected - 1]);
  return selected - 1;
}

int MoveRowDown(TFormatList& list, int selected) {
  if (selected < 0 || selected + 1 >= static_cast<int>(list.rows.size())) return selected;
  std::swap(list.rows[selected], list.rows[selected + 1]);
  return selected + 1;
}

void SetAllChecked(TFormatList& list, bool checked) {
  for (TFormatRow& row : list.rows) row.checked = checked;
}

int StartColumnNumber(std::string_view text) {
  const std::string upper = UpperAsciiLetters(text);
  const std::vector<std::string_view> chars = Characters(upper);
  if (chars.empty()) return 1;
  const int first = LetterNumber(chars[0]);
  if (chars.size() == 1) return first;
  return first * 26 + LetterNumber(chars[1]);
}

void ResetColumns(TFormatList& list) {
  const TFormatRow* start = FirstChecked(list);
  if (!start) {
    NumberCheckedRows(list, 1, {});
    return;
  }
  const std::string address = UpperAsciiLetters(start->first);
  if (list.firstColumn == TFirstColumn::kColumn) {
    NumberCheckedRows(list, StartColumnNumber(address), {});
    return;
  }
  const auto [letters, row] = SplitCell(address);
  NumberCheckedRows(list, StartColumnNumber(letters), std::to_string(row));
}

int NumberOrZero(std::string_view text) {
  int number = 0;
  return ParseInt32(TrimBlanks(text), number) ? number : 0;
}

TFormatDialogState LoadFormatState(const TCatalogueStore& store, DataKind dataKind) {
  const TFormatSettings& s = store.formatSettings;
  TFormatDialogState state;
  if (IsDataKind(dataKind)) {
    const size_t i = DataKindIndex(dataKind);
    state.tableNoOutput = s.tableNoOutput[i] != 0;
    state.tableOneSheet = s.tableOneSheet[i] != 0;
    state.tableStartRow = std::to_string(s.tableStartRow[i]);
    state.tableHeader = s.tableHeader[i] != 0;
    state.columnStartRow = std::to_string(s.columnStartRow[i]);
    state.columnHeader = s.columnHeader[i] != 0;
    state.table = TableFormatList(store.Items(dataKind, kItemLevelTable), state.tableOneSheet);
    state.column = ColumnFormatList(store.Items(dataKind, kItemLevelColumn));
  }
  state.erLeft = std::to_string(s.erLeft);
  state.erTop = std::to_string(s.erTop);
  state.erType = s.erType != 0;
  state.lineType =
      s.lineType >= kLineTypeStraight && s.lineType <= kLineTypeCurved ? s.lineType : 0;
  return state;
}

void ApplyFormatState(TFormatDialogState& state, TCatalogueStore& store, DataKind dataKind) {
  TFormatSettings& s = store.formatSettings;
  if (IsDataKind(dataKind)) {
    const size_t i = DataKindIndex(dataKind);
    StoreList(state.table, true, store.Items(dataKind, kItemLevelTable));
    s.tableNoOutput[i] = state.tableNoOutput ? 1 : 0;
    s.tableOneSheet[i] = state.tableOneSheet ? 1 : 0;
    s.tableStartRow[i] = StoreNumber(state.tableStartRow);
    s.tableHeader[i] = state.tableHeader ? 1 : 0;
    StoreList(state.column, false, store.Items(dataKind, kItemLevelColumn));
    s.columnStartRow[i] = StoreNumber(state.columnStartRow);
    s.columnHeader[i] = state.columnHeader ? 1 : 0;
  }
  s.erLeft = StoreNumber(state.erLeft);
  s.erTop = StoreNumber(state.erTop);
  s.erType = state.erType ? 1 : 0;
  s.lineType = state.lineType == kLineTypeStraight || state.lineType == kLineTypeElbow
                   ? state.lineType
                   : kLineTypeCurved;
  if (IsDataKind(dataKind)) {
    store.sortColumn[DataKindIndex(dataKind)] = 0;
    store.sortDirection[DataKindIndex(dataKind)] = 0;
    store.listRebuild = true;
  }
  store.SetModified();
}

}  // namespace morvane
