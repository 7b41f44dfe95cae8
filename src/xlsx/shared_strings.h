// The workbook's shared string table. Each entry keeps its original XML (rich-text runs,
// phonetic guides) for writing and its plain text for reading.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>

namespace morvane::xlsx {

// The plain text of an <si> or <is> element: its <t> and the <t> of its runs, joined;
// phonetic guides (<rPh>) are not part of the text.
std::string StringItemText(pugi::xml_node item);

class SharedStrings {
 public:
  void Parse(std::string_view xml);
  // Writes only the entries marked used, in order; new_index receives each old index's place.
  std::string ToXml(const std::vector<bool>& used, std::vector<uint32_t>* new_index) const;

  size_t size() const { return entries_.size(); }
  const std::string& Text(uint32_t index) const;
  // Adds (or finds) a plain string.
  uint32_t AddPlain(std::string_view text);
  // Adds (or finds) an entry of another table, keeping its formatting.
  uint32_t AddFrom(const SharedStrings& other, uint32_t index);

 private:
  struct Entry {
    std::string text;
    std::string rich_xml;  // inner XML of <si> when it is more than plain text
  };
  // Hashes text of any string kind alike, so that a lookup needs no string of its own.
  struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  std::vector<Entry> entries_;
  std::unordered_map<std::string, uint32_t, TextHash, std::equal_to<>> plain_index_;
  std::unordered_map<std::string, uint32_t> rich_index_;
};

}  // namespace morvane::xlsx
