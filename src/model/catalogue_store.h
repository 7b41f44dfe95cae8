// TCatalogueStore: the one document of the program. It owns the product, the ten item lists,
// the records of the five data kinds, the relations, the output format settings, the import
// layout, the ER diagram, the free SQL text with its row limit, and the document state the
// commands consult.
//
// Exactly one store lives for the whole program; New and Open reset it in place. Records are
// held by pointer: a record stays at the same address until its data kind is cleared (or the
// store reset), so tree nodes and list rows may keep plain references to them until then.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fileio/file_lock.h"
#include "model/data_kind.h"
#include "model/er_data.h"
#include "model/format_settings.h"
#include "model/item_def.h"
#include "model/records.h"

namespace morvane {

using RecordList = std::vector<std::unique_ptr<TTableRec>>;
using ItemList = std::vector<TItemDef>;

class TCatalogueStore {
 public:
  // Creates the empty document: Reset, and the import layout at its defaults.
  TCatalogueStore();
  TCatalogueStore(TCatalogueStore&&) = default;
  TCatalogueStore& operator=(TCatalogueStore&&) = default;
  TCatalogueStore(const TCatalogueStore&) = delete;
  TCatalogueStore& operator=(const TCatalogueStore&) = delete;

  // Clears the document: product, current data kind and list level to 0, every item list,
  // every record and relation, the file name, the refresh and rebuild flags; list view flag 1.
  // Leaves the modified flag, the file version, the ER diagram, the format settings, the import
  // layout, the ER sheets chosen for output, the SQL text and the row limit as they are.
  void Reset();

  // Destroys every record of one data kind (1..5); nothing else changes. References to those
  // records become invalid.
  void ClearDataKind(DataKind dataKind);

  // The records of a data kind (1..5), in list order.
  RecordList& Records(DataKind dataKind);
  const RecordList& Records(DataKind dataKind) const;

  // The item list of (data kind 1..5, item level 1..2).
  ItemList& Items(DataKind dataKind, int itemLevel);
  const ItemList& Items(DataKind dataKind, int itemLevel) const;

  // Appends a new empty record to a data kind and returns it.
  TTableRec& AddRecord(DataKind dataKind);

  // Sets the modified flag (commands that change the document call this).
  void SetModified() { modified = true; }

  // --- document content -------------------------------------------------------------------
  Product product = Product::None;
  std::vector<TRelationRec> relations;
  TFormatSettings formatSettings = DefaultFormatSettings();
  TImportLayout importLayout;
  TERDiagram er;                     // sheets in tab order and the current sheet
  std::vector<std::string> sqlText;  // the free SQL text, one entry per line
  std::string sqlMaxRow;             // the row-limit text as typed

  // --- document state -----------------------------------------------------------------------
  std::string fileName;                   // full path of the project file; empty until saved/opened
  fileio::FileStamp fileStamp;            // the project file as read or last saved
  int fileVersion = kCurrentFileVersion;  // below 280: no database work possible
  bool modified = false;                  // unsaved changes exist
  DataKind currentDataKind = DataKind::None;  // data kind of the selected tree node
  int currentListLevel = 0;                   // 1 table list shown, 2 column list shown, 0 none
  bool refreshRequest = false;  // the next selection of a catalogue node fetches again
  bool listRebuild = false;     // the list view must be rebuilt on the next fill
  bool listViewActive = true;   // the list view is the active view; lists fill only then
  bool erViewActive = false;    // the ER view is shown
  std::array<int, kDataKindCount> sortColumn{};     // per data kind (DataKindIndex)
  std::array<int, kDataKindCount> sortDirection{};  // per data kind (DataKindIndex)
  // The owner and type whose records the table list shows; nullopt means no filter, while an
  // empty string is a real owner or type.
  std::optional<std::string> selectedOwner;
  std::optional<std::string> selectedType;
  // Where ER window lines take their values from in a column row (set by the tree selection).
  TColumnValuePositions erColumnPositions;
  std::vector<std::string> erOutputSheets;  // ER sheet names chosen for the Excel output

 private:
  std::array<RecordList, kDataKindCount> records_;
  std::array<std::array<ItemList, 2>, kDataKindCount> items_;
};

}  // namespace morvane
