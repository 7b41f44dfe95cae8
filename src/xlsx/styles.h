// The workbook's style sheet (styles.xml): read to tell date and text cells apart, and
// extended when cells styled in another workbook are copied in.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

namespace morvane::xlsx {

// True when a number format code shows dates or times ("yyyy/m/d", "h:mm", "[h]:mm").
bool IsDateFormatCode(std::string_view code);

class StyleSheet {
 public:
  StyleSheet();  // a minimal style sheet with one default font and style
  StyleSheet(const StyleSheet& other);
  StyleSheet& operator=(const StyleSheet& other);

  void Parse(std::string_view xml);
  std::string ToXml() const;

  size_t CellXfCount() const { return cell_xfs_.size(); }
  // Changes whenever the style sheet is replaced, so that imports can be remembered safely.
  uint64_t serial() const { return serial_; }
  // Whether cells of this style show a date or time, or are formatted as text ("@").
  bool IsDateStyle(uint32_t xf) const { return xf < date_xf_.size() && date_xf_[xf]; }
  bool IsTextStyle(uint32_t xf) const { return xf < text_xf_.size() && text_xf_[xf]; }
  // The format wraps long text onto more lines (alignment wrapText).
  bool WrapsText(uint32_t xf) const { return xf < wrap_xf_.size() && wrap_xf_[xf]; }

  // Everything that decides how cells of style `xf` look (number format, font, fill, border,
  // alignment) as one text, so that styles of different workbooks can be compared.
  std::string Describe(uint32_t xf) const;

  // Brings cell style `xf` of another style sheet into this one (fonts, fills, borders, number
  // formats and the named style it is based on), reusing identical entries, and returns its
  // index here. Results are remembered per source style sheet.
  uint32_t ImportCellXf(const StyleSheet& source, uint32_t xf);
  // The same for a differential format used by conditional formatting.
  uint32_t ImportDxf(const StyleSheet& source, uint32_t dxf);

 private:
  struct ImportMemo {
    std::map<uint32_t, uint32_t> cell_xfs, dxfs, fonts, fills, borders, num_fmts, style_xfs;
  };

  void Index();
  void Renew();  // takes a fresh serial and forgets what was imported
  pugi::xml_node Section(const char* name);
  uint32_t ImportPooled(const char* section, const char* item, pugi::xml_node node,
                        std::unordered_map<std::string, uint32_t>& pool);
  uint32_t ImportNumFmt(const StyleSheet& source, uint32_t id, ImportMemo& memo);
  void RemapXfAttributes(const StyleSheet& source, pugi::xml_node xf, ImportMemo& memo);
  uint32_t ImportStyleXf(const StyleSheet& source, uint32_t xf, ImportMemo& memo);
  static std::vector<pugi::xml_node> Items(pugi::xml_node root, const char* section,
                                           const char* item);

  pugi::xml_document doc_;
  std::vector<pugi::xml_node> cell_xfs_;
  std::vector<bool> date_xf_;
  std::vector<bool> text_xf_;
  std::vector<bool> wrap_xf_;
  std::map<uint32_t, std::string> num_fmts_;  // custom number formats by id
  uint64_t serial_ = 0;  // tells style sheets apart for the memos, even at a reused address
  std::map<uint64_t, ImportMemo> memos_;  // by source serial
  std::unordered_map<std::string, uint32_t> font_pool_, fill_pool_, border_pool_, xf_pool_,
      style_xf_pool_, dxf_pool_;
};

}  // namespace morvane::xlsx
