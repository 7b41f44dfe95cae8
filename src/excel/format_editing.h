// The editing rules of the output format settings, apart from the dialog that shows them: the
// two item lists as the dialog lists them, moving and checking their rows, re-setting their
// cell or column letters, and storing the edited state into the document.
//
// Texts are CP932, as everywhere in the document.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/catalogue_store.h"

namespace morvane {

// One row of a format list, as the list shows it.
struct TFormatRow {
  bool checked = false;  // the item is written (output)
  std::string first;     // the first column: the text edited in place and re-set
  std::string second;    // data tab only: the other of cell and column letters
  std::string name;      // the item's name
  int item = -1;         // the item's `index`, which finds the item again on Apply

  bool operator==(const TFormatRow&) const = default;
};

// What a list's first column holds. The data tab shows the cell first in own-sheet mode and the
// column letters first in one-sheet mode; the details tab shows column letters only.
enum class TFirstColumn { kCell, kColumn };

struct TFormatList {
  TFirstColumn firstColumn = TFirstColumn::kColumn;
  std::vector<TFormatRow> rows;

  bool operator==(const TFormatList&) const = default;
};

// The data tab's list of table-level items in list order: cell then column in own-sheet mode,
// column then cell in one-sheet mode.
TFormatList TableFormatList(const ItemList& items, bool oneSheet);
// The details tab's list of column-level items in list order (column letters only).
TFormatList ColumnFormatList(const ItemList& items);

// Switches the first two columns between cell and column letters, so that every value stays
// under its heading when one-sheet mode is turned on or off.
void SwapFirstColumns(TFormatList& list);

// Moves row `selected` one place up or down. Returns its new position; nothing moves (and
// `selected` comes back) at either end or when `selected` is no row.
int MoveRowUp(TFormatList& list, int selected);
int MoveRowDown(TFormatList& list, int selected);

// Checks or unchecks every row.
void SetAllChecked(TFormatList& list, bool checked);

// The column number (1 for A, 28 for AB) that re-set columns starts from, read from the first
// two characters of `text`, upper-cased; characters outside A..Z count as A, and an empty text
// gives 1.
int StartColumnNumber(std::string_view text);

// Re-set columns: the checked rows get consecutive addresses from the first checked row's own,
// the unchecked rows an empty first column. Lists whose first column holds cells keep the first
// checked cell's row number (row 1 when there is none among its first three characters).
void ResetColumns(TFormatList& list);

// Reads a start row or margin as typed: text that is not an integer gives 0.
int NumberOrZero(std::string_view text);

// Everything the dialog edits, as its controls hold it.
struct TFormatDialogState {
  TFormatList table;
  TFormatList column;
  bool tableNoOutput = false;
  bool tableOneSheet = false;
  std::string tableStartRow;
  bool tableHeader = false;
  std::string columnStartRow;
  bool columnHeader = false;
  std::string erLeft;
  std::string erTop;
  bool erType = false;
  int lineType = 0;  // the selected button (kLineTypeStraight..kLineTypeCurved); 0 none

  bool operator==(const TFormatDialogState&) const = default;
};

// The dialog's state for `dataKind` (0: the ER settings only; the lists stay empty). A line type
// other than 1 to 3 selects no button.
TFormatDialogState LoadFormatState(const TCatalogueStore& store, DataKind dataKind);

// Apply: stores `state` into the item lists and settings of `dataKind`, puts each list in the
// dialog's order, sends that kind's list sort back to the first column ascending, asks for the
// list to be rebuilt and marks the document modified. With data kind 0 only the ER settings are
// stored. Number texts that are not integers are stored as 0 and read "0" in `state` afterwards.
void ApplyFormatState(TFormatDialogState& state, TCatalogueStore& store, DataKind dataKind);

}  // namespace morvane
