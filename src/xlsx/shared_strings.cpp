#include "xlsx/shared_strings.h"

#include "xlsx/error.h"
#include "xlsx/xml_util.h"

namespace morvane::xlsx {
namespace {

void AppendTextElement(std::string& out, std::string_view text) {
  bool keep_space =
      !text.empty() && (text.front() == ' ' || text.back() == ' ' || text.front() == '\n' ||
                        text.back() == '\n' || text.find("  ") != std::string_view::npos);
  out += keep_space ? "<t xml:space=\"preserve\">" : "<t>";
  AppendEscaped(out, EncodeXString(text));
  out += "</t>";
}

}  // namespace

std::string StringItemText(pugi::xml_node item) {
  std::string text;
  for (pugi::xml_node child = item.first_child(); child; child = child.next_sibling()) {
    std::string_view local = LocalName(child.name());
    if (local == "t") {
      text += child.text().get();
    } else if (local == "r") {
      text += ChildByLocal(child, "t").text().get();
    }
  }
  return DecodeXString(text);
}

void SharedStrings::Parse(std::string_view xml) {
  pugi::xml_document doc;
  ParseXml(doc, xml, "sharedStrings.xml");
  NormalizeToDefaultNamespace(doc, kMainNs);
  for (pugi::xml_node si : ChildrenByLocal(doc.document_element(), "si")) {
    Entry entry;
    entry.text = StringItemText(si);
    pugi::xml_node first = si.first_child();
    bool plain = first && !first.next_sibling() && LocalName(first.name()) == "t";
    if (!plain) {
      for (pugi::xml_node child = si.first_child(); child; child = child.next_sibling()) {
        entry.rich_xml += NodeToString(child);
      }
    }
    uint32_t index = static_cast<uint32_t>(entries_.size());
    if (plain) {
      plain_index_.emplace(entry.text, index);
    } else {
      rich_index_.emplace(entry.rich_xml, index);
    }
    entries_.push_back(std::move(entry));
  }
}

std::string SharedStrings::ToXml(const std::vector<bool>& used,
                                 std::vector<uint32_t>* new_index) const {
  new_index->assign(entries_.size(), 0);
  std::string items;
  uint32_t count = 0;
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (i < used.size() && !used[i]) continue;
    (*new_index)[i] = count++;
    items += "<si>";
    if (entries_[i].rich_xml.empty()) {
      AppendTextElement(items, entries_[i].text);
    } else {
      items += entries_[i].rich_xml;
    }
    items += "</si>";
  }
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
         "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"" +
         std::to_string(count) + "\" uniqueCount=\"" + std::to_string(count) + "\">" + items +
         "</sst>";
}

const std::string& SharedStrings::Text(uint32_t index) const {
  if (index >= entries_.size()) throw Error("共有文字列の番号が範囲外です");
  return entries_[index].text;
}

uint32_t SharedStrings::AddPlain(std::string_view text) {
  if (auto found = plain_index_.find(text); found != plain_index_.end()) return found->second;
  const auto index = static_cast<uint32_t>(entries_.size());
  plain_index_.emplace(std::string(text), index);
  entries_.push_back({std::string(text), {}});
  return index;
}

uint32_t SharedStrings::AddFrom(const SharedStrings& other, uint32_t index) {
  const Entry& entry = other.entries_.at(index);
  if (entry.rich_xml.empty()) return AddPlain(entry.text);
  auto [it, inserted] =
      rich_index_.try_emplace(entry.rich_xml, static_cast<uint32_t>(entries_.size()));
  if (inserted) entries_.push_back(entry);
  return it->second;
}

}  // namespace morvane::xlsx
