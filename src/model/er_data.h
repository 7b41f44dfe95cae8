// The ER diagram as data: named sheets holding table windows and the relationship lines
// between them. The ER widgets render and edit these records and keep no document data of
// their own; the project file saves and restores them.
//
// Geometry is in sheet coordinates: a window's position within the whole sheet, which is its
// visible position plus the sheet's current scroll position.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace morvane {

// Default outer size of a table window, used when a width or height of 0 is given.
constexpr int kDefaultERTableSize = 150;

// One line of a table window's check list.
struct TERColumnRec {
  std::string keyMark;  // "*" for a key column, else " "
  std::string columnName;
  std::string typeText;  // data type with length and scale, e.g. NUMBER(10,2)
  bool checked = true;   // only checked columns are drawn into Excel
  // The check-list text: keyMark + columnName + two blanks + typeText for a placed window;
  // a window read back from a project file shows one blank instead of two.
  std::string listText;

  bool operator==(const TERColumnRec&) const = default;
};

// One table window on a sheet.
struct TERTableRec {
  std::string name;     // component name "Table"+n, unique across all sheets (ASCII case ignored)
  std::string caption;  // the table's name
  int left = 0;         // sheet coordinates
  int top = 0;
  int width = kDefaultERTableSize;  // outer size
  int height = kDefaultERTableSize;
  std::vector<TERColumnRec> columns;
};

// The edge a line end attaches to (a line's fromSide and toSide).
enum class LineSide : int { Unknown = 0, Top = 1, Left = 2, Bottom = 3, Right = 4 };

// The edge's number, which is also the connection site of a box in a workbook drawing.
constexpr int LineSideCode(LineSide side) { return static_cast<int>(side); }

// A relationship line between two windows of the same sheet.
struct TTargetLine {
  TERTableRec* fromWindow = nullptr;      // first end (the referencing table, or the drag source)
  TERTableRec* toWindow = nullptr;        // second end
  LineSide fromSide = LineSide::Unknown;  // Unknown: not yet computed
  LineSide toSide = LineSide::Unknown;
};

// One sheet. Owns its windows and lines; windows and lines are held by pointer so that widgets
// and lines may refer to them until they are removed.
struct TERSheetRec {
  std::string name;  // shown on the tab; unique among sheets, ASCII case ignored
  int scrollX = 0;   // the view's current horizontal scroll position
  int scrollY = 0;   // the view's current vertical scroll position
  std::vector<std::unique_ptr<TERTableRec>> tables;  // in the order they were added
  std::vector<std::unique_ptr<TTargetLine>> lines;   // in creation order
};

// All sheets of a project in tab order, and the current one.
struct TERDiagram {
  std::vector<std::unique_ptr<TERSheetRec>> sheets;
  int currentIndex = -1;  // index of the current sheet; -1 only while there is none

  TERSheetRec* Current() {
    return currentIndex >= 0 && currentIndex < static_cast<int>(sheets.size())
               ? sheets[currentIndex].get()
               : nullptr;
  }
  const TERSheetRec* Current() const { return const_cast<TERDiagram*>(this)->Current(); }
};

// Where a column row's values for an ER window line are found: five 0-based positions into the
// row's values, chosen by the tree selection and the database product.
struct TColumnValuePositions {
  int name = 1;
  int type = 2;
  int length = 6;
  int scale = 7;
  int keyMark = 11;

  bool operator==(const TColumnValuePositions&) const = default;
};

}  // namespace morvane
