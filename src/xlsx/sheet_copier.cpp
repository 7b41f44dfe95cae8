#include "xlsx/sheet_copier.h"

#include <algorithm>

#include "xlsx/error.h"
#include "xlsx/formula_refs.h"
#include "xlsx/sheet_names.h"
#include "xlsx/xml_util.h"

namespace morvane::xlsx {
namespace {

// Extensions of a worksheet that only refer to the sheet itself.
constexpr const char* kConditionalFormatsExt = "{78C0D931-6437-407d-A8EE-F0AAD7539E65}";
constexpr const char* kDataValidationsExt = "{CCE6A557-97BC-4b89-ADB6-D9C93CAAB3DF}";

constexpr const char* kNoticeTables = "テーブル (リスト) はコピーされません。";
constexpr const char* kNoticeComments = "セルのコメント (メモ) はコピーされません。";
constexpr const char* kNoticeHeaderPictures = "ヘッダー・フッターの画像はコピーされません。";
constexpr const char* kNoticeControls = "OLEオブジェクト・コントロールはコピーされません。";
constexpr const char* kNoticeCustomViews = "ユーザー設定のビューはコピーされません。";
constexpr const char* kNoticeExtensions =
    "スパークライン・スライサーなどの拡張機能はコピーされません。";
constexpr const char* kNoticeCharts = "グラフ・SmartArtなどの図はコピーされません。";
constexpr const char* kNoticeFormulas =
    "他のシートや名前を参照する数式は、計算済みの値としてコピーされます。";
constexpr const char* kNoticeRules =
    "他のシートや名前を参照する条件付き書式・入力規則・名前はコピーされません。";
constexpr const char* kNoticeOther = "コピーできない要素を省きました。";

bool IsRelAttribute(std::string_view name) {
  std::string_view prefix = Prefix(name);
  if (prefix.empty() || prefix == "xmlns:") return false;
  std::string_view local = LocalName(name);
  return local == "id" || local == "embed" || local == "link" || local == "pict" || local == "dm" ||
         local == "lo" || local == "qs" || local == "cs";
}

// The attributes below node (itself included) that name a relationship, with their elements.
void CollectRelAttributes(pugi::xml_node node,
                          std::vector<std::pair<pugi::xml_node, pugi::xml_attribute>>* refs) {
  for (pugi::xml_attribute attr = node.first_attribute(); attr; attr = attr.next_attribute()) {
    if (IsRelAttribute(attr.name())) refs->emplace_back(node, attr);
  }
  for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_element) CollectRelAttributes(child, refs);
  }
}

void CollectRelIds(pugi::xml_node node, std::vector<std::string>* ids) {
  for (pugi::xml_attribute attr = node.first_attribute(); attr; attr = attr.next_attribute()) {
    if (IsRelAttribute(attr.name())) ids->push_back(attr.value());
  }
  for (pugi::xml_node child : node.children()) {
    if (child.type() == pugi::node_element) CollectRelIds(child, ids);
  }
}

std::string ExtensionOf(const std::string& part) {
  size_t dot = part.rfind('.');
  return dot == std::string::npos ? std::string() : part.substr(dot);
}

std::string RemoveAttribute(std::string attrs, std::string_view name) {
  std::string needle = " " + std::string(name) + "=\"";
  size_t at = attrs.find(needle);
  if (at == std::string::npos) return attrs;
  size_t end = attrs.find('"', at + needle.size());
  attrs.erase(at, end - at + 1);
  return attrs;
}

}  // namespace

SheetCopier::SheetCopier(const Workbook& source, const Worksheet& sheet, Workbook& target)
    : source_(source), sheet_(sheet), target_(target), other_book_(&source != &target) {
  for (const DefinedName& name : source.global_names()) {
    source_name_keys_.insert(SheetNameKey(name.name));
  }
}

void SheetCopier::AdoptStylesIfNew() {
  if (!other_book_) return;
  if (target_.styles_untouched_) {
    target_.styles_ = source_.styles_;
    target_.adopted_styles_from_ = source_.styles_.serial();
    target_.date1904_ = source_.date1904_;
    target_.styles_untouched_ = false;
    if (const Relationship* theme = source_.workbook_rels_.FirstOfKind("theme")) {
      if (source_.package_.Has(theme->target)) {
        std::string part = target_.NewPartName("xl/theme/theme", ".xml");
        target_.package_.Put(part, source_.package_.Get(theme->target));
        target_.types_.Assign(part, content_type::kTheme);
        target_.workbook_rels_.Add(rel_type::kTheme, part);
      }
    }
  }
  same_styles_ = source_.styles_.serial() == target_.adopted_styles_from_;
}

uint32_t SheetCopier::Style(uint32_t style) {
  return same_styles_ ? style : target_.styles_.ImportCellXf(source_.styles_, style);
}

void SheetCopier::Drop(pugi::xml_node node, const std::string& notice) {
  RemoveNode(node);
  target_.Notice(notice);
}

bool SheetCopier::Reaches(const std::string& formula) const {
  return other_book_ && ReachesBeyondSheet(formula, sheet_.name, source_name_keys_);
}

Worksheet& SheetCopier::CopyTo(size_t position) {
  if (sheet_.kind != SheetKind::kWorksheet) {
    throw Error("ワークシート以外のシートはコピーできません");
  }
  position = std::min(position, target_.sheets_.size());
  AdoptStylesIfNew();
  auto copy = std::make_shared<Worksheet>();
  copy->name = target_.UniqueCopyName(sheet_.name);
  uint32_t highest_id = 0;
  for (const auto& s : target_.sheets_) highest_id = std::max(highest_id, s->sheet_id);
  copy->sheet_id = highest_id + 1;
  copy->part = target_.NewPartName("xl/worksheets/sheet", ".xml");
  copy->doc.reset(sheet_.doc);
  CleanWorksheetXml(*copy);
  CopyRelatedParts(*copy);
  CopyCells(*copy);
  CopyLocalNames(*copy);
  copy->IndexContent();
  target_.sheets_.insert(target_.sheets_.begin() + static_cast<long>(position), copy);
  target_.active_ = position;
  return *copy;
}

void SheetCopier::CleanWorksheetXml(Worksheet& copy) {
  pugi::xml_node root = copy.doc.document_element();
  ChildByLocal(root, "sheetPr").remove_attribute("codeName");
  std::vector<pugi::xml_node> children;
  for (pugi::xml_node child : root.children()) children.push_back(child);
  for (pugi::xml_node child : children) {
    std::string_view local = LocalName(child.name());
    if (local == "customSheetViews") {
      Drop(child, kNoticeCustomViews);
    } else if (local == "tableParts") {
      Drop(child, kNoticeTables);
    } else if (local == "legacyDrawing") {
      Drop(child, kNoticeComments);
    } else if (local == "legacyDrawingHF" || local == "drawingHF") {
      Drop(child, kNoticeHeaderPictures);
    } else if (local == "oleObjects" || local == "controls" || local == "AlternateContent") {
      Drop(child, kNoticeControls);
    } else if (local == "webPublishItems" || local == "customProperties" ||
               local == "cellWatches" || local == "smartTags") {
      Drop(child, kNoticeOther);
    }
  }
  if (pugi::xml_node header_footer = ChildByLocal(root, "headerFooter")) {
    // Without its picture part a header's &G placeholder would point at nothing.
    for (pugi::xml_node part : header_footer.children()) {
      std::string text = part.text().get();
      size_t at;
      bool changed = false;
      while ((at = text.find("&G")) != std::string::npos) {
        text.erase(at, 2);
        changed = true;
      }
      if (changed) part.text().set(text.c_str());
    }
  }
  for (pugi::xml_node col : ChildrenByLocal(ChildByLocal(root, "cols"), "col")) {
    if (pugi::xml_attribute style = col.attribute("style")) style.set_value(Style(style.as_uint()));
  }
  CleanConditionalFormats(copy);
  CleanDataValidations(copy);
  CleanExtensions(copy);
}

void SheetCopier::CleanConditionalFormats(Worksheet& copy) {
  pugi::xml_node root = copy.doc.document_element();
  for (pugi::xml_node format : ChildrenByLocal(root, "conditionalFormatting")) {
    for (pugi::xml_node rule : ChildrenByLocal(format, "cfRule")) {
      bool reaches = false;
      for (pugi::xml_node f : ChildrenByLocal(rule, "formula")) reaches |= Reaches(f.text().get());
      if (reaches) {
        Drop(rule, kNoticeRules);
      } else if (pugi::xml_attribute dxf = rule.attribute("dxfId"); dxf && !same_styles_) {
        dxf.set_value(target_.styles_.ImportDxf(source_.styles_, dxf.as_uint()));
      }
    }
    if (ChildrenByLocal(format, "cfRule").empty()) RemoveNode(format);
  }
}

void SheetCopier::CleanDataValidations(Worksheet& copy) {
  pugi::xml_node validations = ChildByLocal(copy.doc.document_element(), "dataValidations");
  if (!validations) return;
  for (pugi::xml_node rule : ChildrenByLocal(validations, "dataValidation")) {
    bool reaches = false;
    for (const char* name : {"formula1", "formula2"}) {
      reaches |= Reaches(ChildByLocal(rule, name).text().get());
    }
    if (reaches) Drop(rule, kNoticeRules);
  }
  size_t left = ChildrenByLocal(validations, "dataValidation").size();
  if (left == 0) {
    RemoveNode(validations);
  } else if (pugi::xml_attribute count = validations.attribute("count")) {
    count.set_value(static_cast<unsigned>(left));
  }
}

void SheetCopier::CleanExtensions(Worksheet& copy) {
  pugi::xml_node root = copy.doc.document_element();
  pugi::xml_node list = ChildByLocal(root, "extLst");
  if (!list) return;
  for (pugi::xml_node ext : ChildrenByLocal(list, "ext")) {
    std::string_view uri = ext.attribute("uri").value();
    if (uri != kConditionalFormatsExt && uri != kDataValidationsExt) {
      Drop(ext, kNoticeExtensions);
      continue;
    }
    bool reaches = false;
    for (pugi::xpath_node f : ext.select_nodes(".//*[local-name()='f']")) {
      reaches |= Reaches(f.node().text().get());
    }
    if (reaches) Drop(ext, kNoticeRules);
  }
  if (!ChildByLocal(list, "ext")) RemoveNode(list);
}

std::string SheetCopier::CopyPart(const std::string& part, const std::string& stem, bool share) {
  if (!other_book_ && share) return part;
  std::pair<uint64_t, std::string> key{source_.serial(), part};
  if (share) {
    auto found = target_.copied_media_.find(key);
    if (found != target_.copied_media_.end()) return found->second;
  }
  std::string name = target_.NewPartName(stem, ExtensionOf(part));
  target_.package_.Put(name, source_.package_.Get(part));
  std::string type = source_.types_.TypeOf(part);
  if (!type.empty()) target_.types_.Assign(name, type);
  if (share) target_.copied_media_[key] = name;
  return name;
}

std::unique_ptr<Drawing> SheetCopier::CopyDrawing(std::string* part) {
  auto drawing = std::make_unique<Drawing>();
  drawing->CopyFrom(*sheet_.drawing);
  const Relationships& old_rels = sheet_.drawing->rels();
  drawing->rels() = Relationships();
  pugi::xml_node root = drawing->doc().document_element();
  std::vector<pugi::xml_node> anchors;
  for (pugi::xml_node anchor : root.children()) {
    if (anchor.type() == pugi::node_element) anchors.push_back(anchor);
  }
  std::set<std::string> copied;
  for (pugi::xml_node anchor : anchors) {
    if (LocalName(anchor.name()) == "AlternateContent") {
      Drop(anchor, kNoticeControls);
      continue;
    }
    std::vector<std::string> ids;
    CollectRelIds(anchor, &ids);
    bool carriable = true;
    for (const std::string& id : ids) {
      const Relationship* rel = old_rels.Find(id);
      std::string_view kind = rel ? RelKind(rel->type) : "";
      if (rel == nullptr || (kind != "image" && kind != "hyperlink") ||
          (!rel->external && !source_.package_.Has(rel->target))) {
        carriable = false;
      }
    }
    if (!carriable) {
      Drop(anchor, kNoticeCharts);
      continue;
    }
    for (const std::string& id : ids) {
      if (!copied.insert(id).second) continue;
      Relationship rel = *old_rels.Find(id);
      if (!rel.external) rel.target = CopyPart(rel.target, "xl/media/image", true);
      drawing->rels().items().push_back(rel);
    }
  }
  *part = target_.NewPartName("xl/drawings/drawing", ".xml");
  return drawing;
}

void SheetCopier::CopyRelatedParts(Worksheet& copy) {
  pugi::xml_node root = copy.doc.document_element();
  std::vector<std::pair<pugi::xml_node, pugi::xml_attribute>> refs;
  CollectRelAttributes(root, &refs);
  for (auto& [element, attr] : refs) {
    const Relationship* rel = sheet_.rels.Find(attr.value());
    std::string_view kind = rel ? RelKind(rel->type) : "";
    bool present = rel && (rel->external || source_.package_.Has(rel->target) ||
                           (kind == "drawing" && sheet_.drawing));
    if (!present) {
      Drop(element, kNoticeOther);
    } else if (kind == "drawing") {
      copy.drawing = CopyDrawing(&copy.drawing_part);
      attr.set_value(copy.rels.Add(rel->type, copy.drawing_part).c_str());
    } else if (kind == "printerSettings") {
      std::string part = CopyPart(rel->target, "xl/printerSettings/printerSettings", false);
      attr.set_value(copy.rels.Add(rel->type, part).c_str());
    } else if (kind == "image") {
      std::string part = CopyPart(rel->target, "xl/media/image", true);
      attr.set_value(copy.rels.Add(rel->type, part).c_str());
    } else if (kind == "hyperlink" && rel->external) {
      attr.set_value(copy.rels.Add(rel->type, rel->target, true).c_str());
    } else {
      Drop(element, kNoticeOther);
    }
  }
}

void SheetCopier::CopyCells(Worksheet& copy) {
  copy.data = sheet_.data;
  std::vector<uint32_t> sst_map;
  std::set<std::string> dropped_shared;  // si of shared formulas whose master was dropped
  std::string own_key = SheetNameKey(sheet_.name);
  for (Row& row : copy.data.rows()) {
    if (row.styled) row.style = Style(row.style);
    for (Cell& cell : row.cells) {
      cell.style = Style(cell.style);
      if (!other_book_) continue;
      if (cell.kind == CellKind::kSharedString) {
        if (sst_map.empty()) sst_map.assign(source_.strings_.size(), UINT32_MAX);
        if (cell.sst < sst_map.size()) {
          if (sst_map[cell.sst] == UINT32_MAX) {
            sst_map[cell.sst] = target_.strings_.AddFrom(source_.strings_, cell.sst);
          }
          cell.sst = sst_map[cell.sst];
        }
      }
      // Rich values and dynamic-array marks point into parts that stay behind.
      if (!cell.attrs().empty()) {
        cell.set_attrs(RemoveAttribute(RemoveAttribute(cell.attrs(), "cm"), "vm"));
      }
      if (cell.formula().empty()) continue;
      std::string text = FormulaTextOf(cell.formula());
      if (text.empty()) continue;
      if (Reaches(text)) {
        pugi::xml_document f;
        f.load_string(cell.formula().c_str());
        if (std::string_view(f.first_child().attribute("t").value()) == "shared") {
          dropped_shared.insert(f.first_child().attribute("si").value());
        }
        cell.set_formula({});
        target_.Notice(kNoticeFormulas);
      } else if (text.find('!') != std::string::npos) {
        std::string local =
            RewriteSheetPrefixes(text, [&](const std::string& name) -> std::optional<std::string> {
              if (SheetNameKey(name) == own_key) return std::string();
              return std::nullopt;
            });
        cell.set_formula(WithFormulaText(cell.formula(), local));
      }
    }
  }
  if (dropped_shared.empty()) return;
  for (Row& row : copy.data.rows()) {
    for (Cell& cell : row.cells) {
      if (cell.formula().find("shared") == std::string::npos) continue;
      pugi::xml_document f;
      f.load_string(cell.formula().c_str());
      if (dropped_shared.count(f.first_child().attribute("si").value()) != 0) cell.set_formula({});
    }
  }
}

void SheetCopier::CopyLocalNames(Worksheet& copy) {
  std::string own_key = SheetNameKey(sheet_.name);
  std::string prefix = QuoteSheetName(copy.name) + "!";
  for (const DefinedName& name : sheet_.local_names) {
    if (Reaches(name.formula)) {
      target_.Notice(kNoticeRules);
      continue;
    }
    DefinedName moved = name;
    moved.formula = RewriteSheetPrefixes(
        name.formula, [&](const std::string& sheet) -> std::optional<std::string> {
          if (!sheet.empty() && SheetNameKey(sheet) == own_key) return prefix;
          return std::nullopt;
        });
    copy.local_names.push_back(std::move(moved));
  }
}

}  // namespace morvane::xlsx
