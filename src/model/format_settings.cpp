#include "model/format_settings.h"

namespace morvane {

TFormatSettings DefaultFormatSettings() {
  TFormatSettings s;
  for (int i = 0; i < kDataKindCount; ++i) {
    const DataKind kind = kDataKinds[i];
    s.tableNoOutput[i] = kind == DataKind::Sql ? 1 : 0;
    s.tableOneSheet[i] = 0;
    s.tableStartRow[i] = 1;
    s.tableHeader[i] = 1;
    s.columnStartRow[i] = 5;
    s.columnHeader[i] = kind == DataKind::TableIndex ? 0 : 1;
  }
  s.erLeft = 0;
  s.erTop = 0;
  s.erType = 1;
  s.lineType = kLineTypeStraight;
  return s;
}

std::array<std::string*, 12> TImportLayout::Columns() {
  return {&itemNameColumn,   &dataTypeColumn, &lengthColumn,   &precisionColumn,
          &scaleColumn,      &sizeColumn,     &notNullColumn,  &uniqueColumn,
          &primaryKeyColumn, &comment1Column, &comment2Column, &comment3Column};
}

std::array<const std::string*, 12> TImportLayout::Columns() const {
  return {&itemNameColumn,   &dataTypeColumn, &lengthColumn,   &precisionColumn,
          &scaleColumn,      &sizeColumn,     &notNullColumn,  &uniqueColumn,
          &primaryKeyColumn, &comment1Column, &comment2Column, &comment3Column};
}

}  // namespace morvane
