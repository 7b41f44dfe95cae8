// Copying a worksheet within a workbook or into another one, with everything that goes with
// it: styles, strings, merged cells, print settings, conditional formats, data validation and
// pictures. What cannot come along is left out whole and noted on the target workbook.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>

#include "xlsx/workbook.h"

namespace morvane::xlsx {

class SheetCopier {
 public:
  SheetCopier(const Workbook& source, const Worksheet& sheet, Workbook& target);
  // Inserts the copy at `position` among the target's sheets and makes it active.
  Worksheet& CopyTo(size_t position);

 private:
  void AdoptStylesIfNew();
  void CleanWorksheetXml(Worksheet& copy);
  void CleanConditionalFormats(Worksheet& copy);
  void CleanDataValidations(Worksheet& copy);
  void CleanExtensions(Worksheet& copy);
  void CopyRelatedParts(Worksheet& copy);
  std::unique_ptr<Drawing> CopyDrawing(std::string* part);
  std::string CopyPart(const std::string& part, const std::string& stem, bool share);
  void CopyCells(Worksheet& copy);
  void CopyLocalNames(Worksheet& copy);
  bool Reaches(const std::string& formula) const;
  uint32_t Style(uint32_t style);
  void Drop(pugi::xml_node node, const std::string& notice);

  const Workbook& source_;
  const Worksheet& sheet_;
  Workbook& target_;
  bool other_book_;
  bool same_styles_ = true;
  std::set<std::string> source_name_keys_;  // the source workbook's global names
};

}  // namespace morvane::xlsx
