// The output format settings of the Excel output and the layout of the Excel import.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/data_kind.h"

namespace morvane {

// Connector types of ER lines in Excel (lineType).
constexpr int kLineTypeStraight = 1;  // 直線
constexpr int kLineTypeElbow = 2;     // 折れ線
constexpr int kLineTypeCurved = 3;    // 曲線

// Six fields per data kind (arrays indexed by data kind minus 1) and four for ER sheets.
// Start rows and margins are kept as typed; the Excel output reports rows the template rejects.
struct TFormatSettings {
  using PerKindFlag = std::array<uint8_t, kDataKindCount>;
  using PerKindInt = std::array<int, kDataKindCount>;

  PerKindFlag tableNoOutput{};  // データは出力しない: table-level items are not written
  PerKindFlag tableOneSheet{};  // 1シートに出力する: one row per table on a single sheet
  PerKindInt tableStartRow{};   // one-sheet mode: row of the header row or the first table
  PerKindFlag tableHeader{};    // one-sheet mode: a row of item names first
  PerKindInt columnStartRow{};  // own-sheet mode: first row of the column-level block
  PerKindFlag columnHeader{};   // own-sheet mode: the column block starts with item names

  int erLeft = 0;                    // left margin of every table box, in points
  int erTop = 0;                     // top margin of every table box, in points
  uint8_t erType = 1;                // データタイプを出力する: boxes show data types
  int lineType = kLineTypeStraight;  // connector type

  bool operator==(const TFormatSettings&) const = default;
};

// The defaults a new project starts with (lineType is set by New itself).
TFormatSettings DefaultFormatSettings();

// The layout of Excel sheets read by the import: the table-name cell, the first item row and
// twelve column letters.
struct TImportLayout {
  std::string tableNameCell = "A1";
  int firstItemRow = 5;
  std::string itemNameColumn = "A";
  std::string dataTypeColumn;
  std::string lengthColumn;
  std::string precisionColumn;
  std::string scaleColumn;
  std::string sizeColumn;
  std::string notNullColumn;
  std::string uniqueColumn;
  std::string primaryKeyColumn;
  std::string comment1Column;
  std::string comment2Column;
  std::string comment3Column;

  // The twelve column letters in file order (item name .. comment 3).
  std::array<std::string*, 12> Columns();
  std::array<const std::string*, 12> Columns() const;

  bool operator==(const TImportLayout&) const = default;
};

}  // namespace morvane
