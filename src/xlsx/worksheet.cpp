#include "xlsx/worksheet.h"

#include <algorithm>

#include "xlsx/cell_ref.h"
#include "xlsx/sheet_names.h"
#include "xlsx/xml_util.h"

namespace morvane::xlsx {
namespace {

constexpr const char* kRowsPlaceholder = "morvane-rows";

// The order of a worksheet's child elements.
constexpr const char* kWorksheetOrder[] = {"sheetPr",
                                           "dimension",
                                           "sheetViews",
                                           "sheetFormatPr",
                                           "cols",
                                           "sheetData",
                                           "sheetCalcPr",
                                           "sheetProtection",
                                           "protectedRanges",
                                           "scenarios",
                                           "autoFilter",
                                           "sortState",
                                           "dataConsolidate",
                                           "customSheetViews",
                                           "mergeCells",
                                           "phoneticPr",
                                           "conditionalFormatting",
                                           "dataValidations",
                                           "hyperlinks",
                                           "printOptions",
                                           "pageMargins",
                                           "pageSetup",
                                           "headerFooter",
                                           "rowBreaks",
                                           "colBreaks",
                                           "customProperties",
                                           "cellWatches",
                                           "ignoredErrors",
                                           "smartTags",
                                           "drawing",
                                           "legacyDrawing",
                                           "legacyDrawingHF",
                                           "drawingHF",
                                           "picture",
                                           "oleObjects",
                                           "controls",
                                           "webPublishItems",
                                           "tableParts",
                                           "extLst"};

int OrderOf(std::string_view local) {
  int i = 0;
  for (const char* name : kWorksheetOrder) {
    if (local == name) return i;
    ++i;
  }
  return -1;
}

// The local name an element stands for; markup-compatibility wrappers count as their content.
std::string_view EffectiveLocalName(pugi::xml_node node) {
  std::string_view local = LocalName(node.name());
  if (local != "AlternateContent") return local;
  pugi::xml_node choice = node.first_child();
  pugi::xml_node inner = choice.first_child();
  return inner ? LocalName(inner.name()) : local;
}

uint32_t LastRowOfRange(std::string_view range) {
  size_t colon = range.find(':');
  std::optional<CellRef> last =
      ParseCellRef(colon == std::string_view::npos ? range : range.substr(colon + 1));
  return last ? last->row : 0;
}

}  // namespace

uint32_t Worksheet::ColumnStyleOf(uint32_t col) const {
  for (const ColumnStyle& range : column_styles) {
    if (col >= range.min && col <= range.max) return range.style;
  }
  return 0;
}

void Worksheet::IndexContent() {
  column_styles.clear();
  pugi::xml_node cols = ChildByLocal(doc.document_element(), "cols");
  for (pugi::xml_node col : ChildrenByLocal(cols, "col")) {
    if (col.attribute("style")) {
      column_styles.push_back({col.attribute("min").as_uint(), col.attribute("max").as_uint(),
                               col.attribute("style").as_uint()});
    }
  }
  formulas_reach_other_sheets = false;
  for (const Row& row : data.rows()) {
    for (const Cell& cell : row.cells) {
      if (cell.formula().find('!') != std::string::npos) {
        formulas_reach_other_sheets = true;
      }
    }
  }
}

pugi::xml_node Worksheet::EnsureElement(const char* local) {
  pugi::xml_node root = doc.document_element();
  if (pugi::xml_node found = ChildByLocal(root, local)) return found;
  int order = OrderOf(local);
  for (pugi::xml_node child = root.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_element && OrderOf(EffectiveLocalName(child)) > order) {
      return root.insert_child_before(local, child);
    }
  }
  return root.append_child(local);
}

uint32_t Worksheet::LastUsedRow() const {
  uint32_t last = data.LastUsedRow();
  pugi::xml_node merges = ChildByLocal(doc.document_element(), "mergeCells");
  for (pugi::xml_node merge : ChildrenByLocal(merges, "mergeCell")) {
    last = std::max(last, LastRowOfRange(merge.attribute("ref").value()));
  }
  return std::max<uint32_t>(last, 1);
}

const std::string& Worksheet::NameKey() const {
  if (!keyed_ || keyed_name_ != name) {
    name_key_ = SheetNameKey(name);
    keyed_name_ = name;
    keyed_ = true;
  }
  return name_key_;
}

std::string Worksheet::ToXml(const std::vector<uint32_t>& sst_map, bool tab_selected) const {
  pugi::xml_document copy;
  copy.reset(doc);
  pugi::xml_node root = copy.document_element();
  for (pugi::xml_node view : ChildrenByLocal(ChildByLocal(root, "sheetViews"), "sheetView")) {
    view.remove_attribute("tabSelected");
    if (tab_selected) view.append_attribute("tabSelected").set_value("1");
    tab_selected = false;  // only the first view of a sheet
  }
  pugi::xml_node sheet_data = ChildByLocal(root, "sheetData");
  sheet_data.append_child(kRowsPlaceholder);
  if (pugi::xml_node dimension = ChildByLocal(root, "dimension")) {
    dimension.attribute("ref").set_value(data.Dimension().c_str());
  }
  const std::string frame = ToXmlString(copy);
  const size_t at = frame.find(std::string("<") + kRowsPlaceholder);
  const size_t close = frame.find('>', at);
  // The rows go straight into the result, which is made large enough for them once.
  std::string xml;
  xml.reserve(frame.size() + data.XmlSizeHint());
  xml.append(frame, 0, at);
  data.AppendXml(xml, sst_map);
  xml.append(frame, close + 1);
  return xml;
}

}  // namespace morvane::xlsx
