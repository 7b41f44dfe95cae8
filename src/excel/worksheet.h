// Handles to a worksheet and to one of its cells. A handle stays safe to use after its sheet
// is deleted or its workbook closed: every call then fails with ExcelError.
#pragma once

#include <memory>
#include <string>

#include "xlsx/cell_ref.h"

namespace morvane::xlsx {
class Worksheet;
}

namespace morvane::excel {

class Workbook;
class Shapes;
class Worksheet;

class Range {
 public:
  Range(Workbook* book, std::weak_ptr<xlsx::Worksheet> sheet, xlsx::CellRef ref)
      : book_(book), sheet_(std::move(sheet)), ref_(ref) {}
  // The value as text: numbers without a trailing ".0", dates as "2001/02/03", booleans as
  // TRUE/FALSE, errors as "#N/A", an empty cell as "".
  std::string Value() const;
  // Writes text, keeping the cell's format.
  void SetValue(const std::string& text) const;
  int Row() const { return static_cast<int>(ref_.row); }
  int Column() const { return static_cast<int>(ref_.col); }

 private:
  Workbook* book_;
  std::weak_ptr<xlsx::Worksheet> sheet_;
  xlsx::CellRef ref_;
};

class Worksheet {
 public:
  Worksheet(Workbook* book, std::weak_ptr<xlsx::Worksheet> sheet)
      : book_(book), sheet_(std::move(sheet)) {}

  std::string Name() const;
  // Fails when the name is not allowed or another sheet of the workbook has it.
  void SetName(const std::string& name) const;
  // Copy After:=after. The copy (in after's workbook) becomes the active sheet, and that
  // workbook the active workbook.
  void Copy(const Worksheet& after) const;
  void Delete() const;
  // Range("B3"); a bad address fails.
  excel::Range Range(const std::string& address) const;
  // Cells.SpecialCells(11): the last used cell. Other types fail.
  excel::Range SpecialCells(int type) const;
  excel::Shapes Shapes() const;
  Workbook& Parent() const;
  void Activate() const;
  // After writing: grows the sheet's print area, if it has one, to hold every cell with a
  // value, and heightens rows whose wrapped text needs more than one line.
  void FitPrintLayout() const;
  // Drops the sheet's print area, so that everything drawn on it prints.
  void ClearPrintArea() const;

  // Whether the sheet's tab is shown (hidden sheets cannot be activated); reads nothing.
  bool Visible() const;
  // The engine's sheet; fails when it has been deleted.
  std::shared_ptr<xlsx::Worksheet> Lock() const;  // read from the file when not read yet
  bool SameSheet(const Worksheet& other) const { return Handle() == other.Handle(); }

 private:
  Workbook* book_;
  std::shared_ptr<xlsx::Worksheet> Handle() const;  // without reading it
  std::weak_ptr<xlsx::Worksheet> sheet_;
};

}  // namespace morvane::excel
