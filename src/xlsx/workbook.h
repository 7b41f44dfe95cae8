// A workbook: read from an .xlsx file or made new, changed sheet by sheet, written to a new
// .xlsx file. Text is UTF-8 throughout.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "xlsx/cell_ref.h"
#include "xlsx/content_types.h"
#include "xlsx/relationships.h"
#include "xlsx/shared_strings.h"
#include "xlsx/styles.h"
#include "xlsx/worksheet.h"
#include "xlsx/zip_package.h"

namespace morvane::xlsx {

class Workbook {
 public:
  // Reads a workbook; throws xlsx::Error with a readable reason.
  static std::unique_ptr<Workbook> Open(const std::string& path);
  static std::unique_ptr<Workbook> FromBytes(std::string_view bytes);
  // A new workbook with `sheet_count` empty sheets named Sheet1, Sheet2, ...
  static std::unique_ptr<Workbook> Create(int sheet_count);

  // Writes the workbook as a new file (replaced only once complete).
  void Save(const std::string& path, int compression_level = 6) const;

  // At most this much XML (the sum over the parts parsed: workbook, styles, shared strings and
  // the sheets and drawings used) is read from one workbook; its tree takes about 10 to 20 times
  // as much memory. Reading more is refused, and no workbook is written of which one sheet would
  // need more.
  static constexpr unsigned long long kMaxParsedXmlBytes = 64ull << 20;

  // Sheets, in tab order. A worksheet is read from the file when it is first asked for, so a
  // workbook costs only the sheets that are used; reading may throw xlsx::Error.
  size_t SheetCount() const { return sheets_.size(); }
  Worksheet& Sheet(size_t index) { return Loaded(index); }
  const Worksheet& Sheet(size_t index) const { return Loaded(index); }
  std::shared_ptr<Worksheet> SheetHandle(size_t index) const;
  // A sheet not read yet, and reading it (which may throw xlsx::Error).
  std::shared_ptr<Worksheet> UnreadSheetHandle(size_t index) const { return sheets_.at(index); }
  Worksheet& Read(Worksheet& sheet) const;
  // The name and kind of a sheet, without reading it.
  const std::string& SheetName(size_t index) const { return sheets_.at(index)->name; }
  SheetKind KindOf(size_t index) const { return sheets_.at(index)->kind; }
  // Position of a sheet, or -1 when it is not (or no longer) part of this workbook.
  int IndexOf(const Worksheet& sheet) const;
  // Position of the sheet of that name (compared as Excel compares sheet names), or -1.
  int IndexOf(std::string_view name) const;
  // The sheet of that name, or null.
  Worksheet* FindSheet(std::string_view name);
  size_t ActiveIndex() const { return active_; }
  void Activate(size_t index);

  // Renames a sheet; throws xlsx::Error saying why when the name is not allowed or taken.
  void Rename(Worksheet& sheet, std::string_view name);
  // Removes a sheet; the last visible sheet cannot be removed.
  void Delete(Worksheet& sheet);
  // Places a copy of `sheet` of `source` (this or another workbook) at `position` and makes it
  // the active sheet. The copy is named like the original, or "name (2)" when that is taken.
  Worksheet& CopySheet(const Workbook& source, const Worksheet& sheet, size_t position);

  std::string CellText(const Worksheet& sheet, CellRef ref) const;
  void SetCellText(Worksheet& sheet, CellRef ref, std::string_view text);

  // The sheet's drawing, made (with its part and relationship) when it has none yet.
  Drawing& DrawingOf(Worksheet& sheet);

  // What could not be carried over into this workbook, each reason once, in Japanese.
  const std::vector<std::string>& Notices() const { return notices_; }
  void Notice(const std::string& text);

  bool date1904() const { return date1904_; }
  const StyleSheet& styles() const { return styles_; }
  const SharedStrings& strings() const { return strings_; }
  const std::vector<DefinedName>& global_names() const { return global_names_; }
  uint64_t serial() const { return serial_; }

 private:
  friend class SheetCopier;
  Workbook();

  void Load(ZipPackage package);
  void LoadWorkbookPart();
  void LoadStylesAndStrings(const Relationships& rels);
  std::set<std::string> ReadSheetList(pugi::xml_node root, const Relationships& rels);
  void ReadDefinedNames(pugi::xml_node root);
  void ChargeXml(size_t bytes, const std::string& part) const;
  void ParsePart(pugi::xml_document& doc, const std::string& part) const;
  Worksheet& Loaded(size_t index) const;
  void LoadAllSheets() const;
  void LoadSheet(Worksheet& sheet) const;
  void LoadDrawing(Worksheet& sheet) const;
  std::string NewPartName(const std::string& stem, const std::string& extension);
  std::string UniqueCopyName(const std::string& base);
  // Points the references to the sheet of key old_key at new_prefix ("'New name'!").
  void UpdateReferences(const std::string& old_key, const std::string& new_prefix);

  void CheckReadableSize(const Worksheet& sheet, size_t xml_bytes, unsigned long long shared_bytes,
                         const ZipPackage& out) const;
  void PutSheets(ZipPackage& out, ContentTypes& types, Relationships& workbook_rels,
                 std::vector<std::string>& sheet_rel_ids, const std::vector<uint32_t>& sst_map,
                 const unsigned long long& shared_bytes) const;
  std::string WorkbookXml(const std::vector<std::string>& sheet_rel_ids) const;
  void WriteSheetList(pugi::xml_node sheets, const std::string& r_prefix,
                      const std::vector<std::string>& sheet_rel_ids) const;
  void WriteDefinedNames(pugi::xml_node root) const;
  void WriteActiveTab(pugi::xml_node root) const;

  uint64_t serial_;
  // Parts carried unchanged (theme, media, printer settings, ...) and the parts of sheets not
  // read yet, which reading a sheet takes out.
  mutable ZipPackage package_;
  mutable unsigned long long parsed_xml_bytes_ = 0;
  ContentTypes types_;
  Relationships root_rels_;
  std::string workbook_part_ = "xl/workbook.xml";
  pugi::xml_document workbook_doc_;
  Relationships workbook_rels_;  // relationships other than sheets, styles and strings
  StyleSheet styles_;
  SharedStrings strings_;
  std::vector<std::shared_ptr<Worksheet>> sheets_;
  std::vector<DefinedName> global_names_;
  std::vector<FormulaSheetKeys> global_name_sheets_;  // see Worksheet::local_name_sheets
  size_t active_ = 0;
  bool date1904_ = false;
  // A new workbook takes over the styles and theme of the first sheet copied into it.
  bool styles_untouched_ = false;
  uint64_t adopted_styles_from_ = 0;
  std::set<std::string> used_parts_;                     // only ever grows
  std::map<std::string, int> first_unused_part_number_;  // by stem and extension
  std::map<std::pair<uint64_t, std::string>, std::string> copied_media_;
  std::vector<std::string> notices_;
};

}  // namespace morvane::xlsx
