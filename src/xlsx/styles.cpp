#include "xlsx/styles.h"

#include <algorithm>
#include <atomic>
#include <cctype>

#include "xlsx/xml_util.h"

namespace morvane::xlsx {
namespace {

constexpr const char* kMinimalStyles =
    "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
    "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"游ゴシック\"/><family val=\"3\"/>"
    "<charset val=\"128\"/></font></fonts>"
    "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
    "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
    "</cellStyleXfs>"
    "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" "
    "xfId=\"0\"/></cellXfs>"
    "<cellStyles count=\"1\"><cellStyle name=\"標準\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
    "<dxfs count=\"0\"/><tableStyles count=\"0\"/></styleSheet>";

// The order of the sections of a style sheet.
constexpr const char* kSectionOrder[] = {"numFmts",      "fonts",   "fills",      "borders",
                                         "cellStyleXfs", "cellXfs", "cellStyles", "dxfs",
                                         "tableStyles",  "colors",  "extLst"};

bool IsBuiltinDateFormat(uint32_t id) {
  return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
         (id >= 50 && id <= 58);
}

uint64_t NextSerial() {
  static std::atomic<uint64_t> counter{0};
  return ++counter;
}

uint32_t UintAttr(pugi::xml_node node, const char* name) { return node.attribute(name).as_uint(0); }

}  // namespace

bool IsDateFormatCode(std::string_view code) {
  for (size_t i = 0; i < code.size(); ++i) {
    char c = code[i];
    char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c == ';') return false;  // only the first section decides
    if (c == '"') {
      i = code.find('"', i + 1);
      if (i == std::string_view::npos) return false;
    } else if (c == '\\' || c == '_' || c == '*') {
      ++i;
    } else if (c == '[') {
      size_t close = code.find(']', i);
      if (close == std::string_view::npos) return false;
      std::string_view inside = code.substr(i + 1, close - i - 1);
      if (!inside.empty() && inside.find_first_not_of("hHmMsS") == std::string_view::npos) {
        return true;  // elapsed time such as [h]
      }
      i = close;
    } else if (lower == 'g' && i + 7 <= code.size()) {
      std::string word(code.substr(i, 7));
      for (char& w : word) w = static_cast<char>(std::tolower(static_cast<unsigned char>(w)));
      if (word == "general") {
        i += 6;
        continue;
      }
      return true;  // era name
    } else if (lower == 'y' || lower == 'm' || lower == 'd' || lower == 'h' || lower == 's' ||
               lower == 'g') {
      return true;
    } else if (lower == 'e') {
      bool scientific = i + 1 < code.size() && (code[i + 1] == '+' || code[i + 1] == '-');
      if (!scientific) return true;  // era year
    }
  }
  return false;
}

StyleSheet::StyleSheet() { Parse(kMinimalStyles); }

StyleSheet::StyleSheet(const StyleSheet& other) { *this = other; }

StyleSheet& StyleSheet::operator=(const StyleSheet& other) {
  if (this != &other) {
    doc_.reset(other.doc_);
    Renew();
    Index();
  }
  return *this;
}

void StyleSheet::Parse(std::string_view xml) {
  ParseXml(doc_, xml, "styles.xml");
  NormalizeToDefaultNamespace(doc_, kMainNs);
  Renew();
  Index();
}

void StyleSheet::Renew() {
  serial_ = NextSerial();
  memos_.clear();
  font_pool_.clear();
  fill_pool_.clear();
  border_pool_.clear();
  xf_pool_.clear();
  style_xf_pool_.clear();
  dxf_pool_.clear();
}

void StyleSheet::Index() {
  pugi::xml_node root = doc_.document_element();
  num_fmts_.clear();
  for (pugi::xml_node fmt : Items(root, "numFmts", "numFmt")) {
    num_fmts_[UintAttr(fmt, "numFmtId")] = fmt.attribute("formatCode").value();
  }
  cell_xfs_ = Items(root, "cellXfs", "xf");
  date_xf_.assign(cell_xfs_.size(), false);
  text_xf_.assign(cell_xfs_.size(), false);
  wrap_xf_.assign(cell_xfs_.size(), false);
  for (size_t i = 0; i < cell_xfs_.size(); ++i) {
    wrap_xf_[i] = ChildByLocal(cell_xfs_[i], "alignment").attribute("wrapText").as_bool();
    uint32_t id = UintAttr(cell_xfs_[i], "numFmtId");
    auto custom = num_fmts_.find(id);
    if (custom != num_fmts_.end()) {
      date_xf_[i] = IsDateFormatCode(custom->second);
      text_xf_[i] = custom->second == "@";
    } else {
      date_xf_[i] = IsBuiltinDateFormat(id);
      text_xf_[i] = id == 49;
    }
  }
}

std::string StyleSheet::Describe(uint32_t xf) const {
  if (xf >= cell_xfs_.size()) return "";
  pugi::xml_node node = cell_xfs_[xf];
  pugi::xml_node root = doc_.document_element();
  auto item = [&](const char* attr, const char* section, const char* name) {
    std::vector<pugi::xml_node> items = Items(root, section, name);
    uint32_t index = UintAttr(node, attr);
    return index < items.size() ? NodeToString(items[index]) : std::string();
  };
  uint32_t fmt = UintAttr(node, "numFmtId");
  auto custom = num_fmts_.find(fmt);
  std::string text = "format=" + (custom != num_fmts_.end() ? custom->second : std::to_string(fmt));
  text += " font=" + item("fontId", "fonts", "font");
  text += " fill=" + item("fillId", "fills", "fill");
  text += " border=" + item("borderId", "borders", "border");
  for (pugi::xml_node child : node.children()) text += " " + NodeToString(child);
  return text;
}

std::vector<pugi::xml_node> StyleSheet::Items(pugi::xml_node root, const char* section,
                                              const char* item) {
  return ChildrenByLocal(ChildByLocal(root, section), item);
}

std::string StyleSheet::ToXml() const {
  pugi::xml_document copy;
  copy.reset(doc_);
  for (pugi::xml_node section : copy.document_element().children()) {
    if (section.attribute("count")) {
      size_t n = 0;
      for (pugi::xml_node child : section.children()) n += child.type() == pugi::node_element;
      section.attribute("count").set_value(static_cast<unsigned long long>(n));
    }
  }
  return ToXmlString(copy);
}

pugi::xml_node StyleSheet::Section(const char* name) {
  pugi::xml_node root = doc_.document_element();
  pugi::xml_node found = ChildByLocal(root, name);
  if (found) return found;
  // Insert before the first section that comes after it in schema order.
  bool after = false;
  for (const char* candidate : kSectionOrder) {
    if (std::string_view(candidate) == name) {
      after = true;
      continue;
    }
    if (!after) continue;
    pugi::xml_node next = ChildByLocal(root, candidate);
    if (next) {
      pugi::xml_node inserted = root.insert_child_before(name, next);
      inserted.append_attribute("count").set_value(0);
      return inserted;
    }
  }
  pugi::xml_node appended = root.append_child(name);
  appended.append_attribute("count").set_value(0);
  return appended;
}

uint32_t StyleSheet::ImportPooled(const char* section, const char* item, pugi::xml_node node,
                                  std::unordered_map<std::string, uint32_t>& pool) {
  pugi::xml_node parent = Section(section);
  if (pool.empty()) {
    uint32_t index = 0;
    for (pugi::xml_node existing : ChildrenByLocal(parent, item)) {
      pool.emplace(NodeToString(existing), index++);
    }
  }
  std::string key = NodeToString(node);
  auto found = pool.find(key);
  if (found != pool.end()) return found->second;
  uint32_t index = static_cast<uint32_t>(ChildrenByLocal(parent, item).size());
  parent.append_copy(node);
  pool.emplace(std::move(key), index);
  return index;
}

uint32_t StyleSheet::ImportNumFmt(const StyleSheet& source, uint32_t id, ImportMemo& memo) {
  auto custom = source.num_fmts_.find(id);
  if (custom == source.num_fmts_.end()) return id;  // built-in formats are the same everywhere
  auto memoized = memo.num_fmts.find(id);
  if (memoized != memo.num_fmts.end()) return memoized->second;
  uint32_t mine = 0;
  uint32_t highest = 163;
  for (const auto& [existing_id, code] : num_fmts_) {
    if (code == custom->second && mine == 0) mine = existing_id;
    highest = std::max(highest, existing_id);
  }
  if (mine == 0) {
    mine = highest + 1;
    pugi::xml_node fmt = Section("numFmts").append_child("numFmt");
    fmt.append_attribute("numFmtId").set_value(mine);
    fmt.append_attribute("formatCode").set_value(custom->second.c_str());
    num_fmts_[mine] = custom->second;
  }
  memo.num_fmts[id] = mine;
  return mine;
}

void StyleSheet::RemapXfAttributes(const StyleSheet& source, pugi::xml_node xf, ImportMemo& memo) {
  pugi::xml_node source_root = source.doc_.document_element();
  auto remap = [&](const char* attr, const char* section, const char* item,
                   std::map<uint32_t, uint32_t>& memo_map,
                   std::unordered_map<std::string, uint32_t>& pool) {
    pugi::xml_attribute a = xf.attribute(attr);
    if (!a) return;
    uint32_t old_index = a.as_uint();
    auto memoized = memo_map.find(old_index);
    if (memoized == memo_map.end()) {
      std::vector<pugi::xml_node> items = Items(source_root, section, item);
      uint32_t mine =
          old_index < items.size() ? ImportPooled(section, item, items[old_index], pool) : 0;
      memoized = memo_map.emplace(old_index, mine).first;
    }
    a.set_value(memoized->second);
  };
  remap("fontId", "fonts", "font", memo.fonts, font_pool_);
  remap("fillId", "fills", "fill", memo.fills, fill_pool_);
  remap("borderId", "borders", "border", memo.borders, border_pool_);
  if (pugi::xml_attribute fmt = xf.attribute("numFmtId")) {
    fmt.set_value(ImportNumFmt(source, fmt.as_uint(), memo));
  }
}

uint32_t StyleSheet::ImportStyleXf(const StyleSheet& source, uint32_t xf, ImportMemo& memo) {
  auto memoized = memo.style_xfs.find(xf);
  if (memoized != memo.style_xfs.end()) return memoized->second;
  pugi::xml_node source_root = source.doc_.document_element();
  uint32_t mine = 0;
  // A named style maps onto the style of the same name here, if there is one.
  pugi::xml_node named;
  for (pugi::xml_node style : Items(source_root, "cellStyles", "cellStyle")) {
    if (UintAttr(style, "xfId") == xf) named = style;
  }
  bool mapped = false;
  if (named) {
    for (pugi::xml_node style : Items(doc_.document_element(), "cellStyles", "cellStyle")) {
      bool same_builtin = named.attribute("builtinId") && style.attribute("builtinId") &&
                          UintAttr(named, "builtinId") == UintAttr(style, "builtinId");
      if (same_builtin ||
          std::string_view(style.attribute("name").value()) == named.attribute("name").value()) {
        mine = UintAttr(style, "xfId");
        mapped = true;
        break;
      }
    }
  }
  std::vector<pugi::xml_node> source_xfs = Items(source_root, "cellStyleXfs", "xf");
  if (!mapped && xf < source_xfs.size()) {
    pugi::xml_document scratch;
    pugi::xml_node copy = scratch.append_copy(source_xfs[xf]);
    RemapXfAttributes(source, copy, memo);
    mine = ImportPooled("cellStyleXfs", "xf", copy, style_xf_pool_);
    if (named) {
      pugi::xml_node style = Section("cellStyles").append_copy(named);
      style.attribute("xfId").set_value(mine);
    }
  }
  memo.style_xfs[xf] = mine;
  return mine;
}

uint32_t StyleSheet::ImportCellXf(const StyleSheet& source, uint32_t xf) {
  ImportMemo& memo = memos_[source.serial_];
  auto memoized = memo.cell_xfs.find(xf);
  if (memoized != memo.cell_xfs.end()) return memoized->second;
  uint32_t mine = 0;
  if (xf < source.cell_xfs_.size()) {
    pugi::xml_document scratch;
    pugi::xml_node copy = scratch.append_copy(source.cell_xfs_[xf]);
    RemapXfAttributes(source, copy, memo);
    if (pugi::xml_attribute base = copy.attribute("xfId")) {
      base.set_value(ImportStyleXf(source, base.as_uint(), memo));
    }
    mine = ImportPooled("cellXfs", "xf", copy, xf_pool_);
    Index();
  }
  memo.cell_xfs[xf] = mine;
  return mine;
}

uint32_t StyleSheet::ImportDxf(const StyleSheet& source, uint32_t dxf) {
  ImportMemo& memo = memos_[source.serial_];
  auto memoized = memo.dxfs.find(dxf);
  if (memoized != memo.dxfs.end()) return memoized->second;
  std::vector<pugi::xml_node> items = Items(source.doc_.document_element(), "dxfs", "dxf");
  uint32_t mine = dxf < items.size() ? ImportPooled("dxfs", "dxf", items[dxf], dxf_pool_) : 0;
  memo.dxfs[dxf] = mine;
  return mine;
}

}  // namespace morvane::xlsx
