#include "er/er_from_record.h"

#include "er/er_tables.h"

namespace morvane {

std::vector<TERColumnRec> ERColumnsFromRecord(const TTableRec& record,
                                              const TColumnValuePositions& positions) {
  std::vector<TERColumnRec> columns;
  columns.reserve(record.columns.size());
  for (const TColumnRow& row : record.columns)
    columns.push_back(MakeERColumn(row.values, positions));
  return columns;
}

TERTableRec& AddERTableFromRecord(TERDiagram& diagram, TERSheetRec& sheet, const TTableRec& record,
                                  const TColumnValuePositions& positions, int left, int top,
                                  int width, int height, const TERTextMeasure* fit) {
  TERTableRec& table =
      AddERTable(sheet, NextERTableName(diagram), record.name, left, top, width, height);
  table.columns = ERColumnsFromRecord(record, positions);
  if (width == 0 && height == 0) FitPlacedERTable(table, fit);
  return table;
}

}  // namespace morvane
