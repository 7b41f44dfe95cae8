#include "xlsx/workbook.h"

#include <algorithm>
#include <atomic>
#include <deque>

#include "xlsx/error.h"
#include "xlsx/formula_refs.h"
#include "xlsx/sheet_copier.h"
#include "xlsx/sheet_names.h"
#include "xlsx/xml_util.h"

namespace morvane::xlsx {
namespace {

constexpr const char* kContentTypesPart = "[Content_Types].xml";

uint64_t NextWorkbookSerial() {
  static std::atomic<uint64_t> counter{0};
  return ++counter;
}

SheetState StateFromText(std::string_view text) {
  if (text == "hidden") return SheetState::kHidden;
  if (text == "veryHidden") return SheetState::kVeryHidden;
  return SheetState::kVisible;
}

const char* StateText(SheetState state) {
  return state == SheetState::kHidden ? "hidden" : "veryHidden";
}

DefinedName ReadDefinedName(pugi::xml_node node) {
  DefinedName name;
  name.name = node.attribute("name").value();
  name.formula = node.text().get();
  for (pugi::xml_attribute attr = node.first_attribute(); attr; attr = attr.next_attribute()) {
    std::string_view attr_name = attr.name();
    if (attr_name == "name" || attr_name == "localSheetId") continue;
    name.attrs += ' ';
    name.attrs += attr.name();
    name.attrs += "=\"";
    AppendEscaped(name.attrs, attr.value());
    name.attrs += '"';
  }
  return name;
}

void AppendDefinedName(std::string& out, const DefinedName& name, int local_sheet) {
  out += "<definedName name=\"";
  AppendEscaped(out, name.name);
  out += '"';
  if (local_sheet >= 0) out += " localSheetId=\"" + std::to_string(local_sheet) + "\"";
  out += name.attrs;
  out += '>';
  AppendEscaped(out, name.formula);
  out += "</definedName>";
}

// Inserts `local` after the last existing sibling among `after`, or first.
pugi::xml_node InsertAfterAny(pugi::xml_node root, const char* local,
                              std::initializer_list<const char*> after) {
  pugi::xml_node anchor;
  for (const char* name : after) {
    if (pugi::xml_node found = ChildByLocal(root, name)) anchor = found;
  }
  return anchor ? root.insert_child_after(local, anchor) : root.prepend_child(local);
}

constexpr const char* kNewWorksheet =
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<dimension ref=\"A1\"/><sheetViews><sheetView workbookViewId=\"0\"/></sheetViews>"
    "<sheetFormatPr defaultRowHeight=\"18.75\"/><sheetData/>"
    "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
    "footer=\"0.3\"/></worksheet>";

constexpr const char* kNewWorkbook =
    "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
    "<workbookPr defaultThemeVersion=\"166925\"/><bookViews><workbookView activeTab=\"0\"/>"
    "</bookViews><sheets/><calcPr calcId=\"191029\"/></workbook>";

constexpr const char* kAppProperties =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-"
    "properties\"><Application>Microsoft Excel</Application></Properties>";

constexpr const char* kCoreProperties =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-"
    "properties\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\"/>";

// Which shared strings some cell of `sheets` still uses, by index.
std::vector<bool> SharedStringsInUse(const std::vector<std::shared_ptr<Worksheet>>& sheets,
                                     size_t count) {
  std::vector<bool> used(count, false);
  for (const auto& sheet : sheets) {
    for (const Row& row : sheet->data.rows()) {
      for (const Cell& cell : row.cells) {
        if (cell.kind == CellKind::kSharedString && cell.sst < used.size()) used[cell.sst] = true;
      }
    }
  }
  return used;
}

// Keeps only the parts that something still refers to, from the package's root on.
void RemoveUnreferencedParts(ZipPackage& out) {
  std::set<std::string> reachable;
  std::deque<std::string> queue{""};
  while (!queue.empty()) {
    std::string part = queue.front();
    queue.pop_front();
    std::string rels_part = RelsPartOf(part);
    if (!out.Has(rels_part)) continue;
    reachable.insert(rels_part);
    Relationships rels = Relationships::Parse(out.Get(rels_part), part);
    for (const Relationship& rel : rels.items()) {
      if (!rel.external && out.Has(rel.target) && reachable.insert(rel.target).second) {
        queue.push_back(rel.target);
      }
    }
  }
  for (const std::string& name : out.Names()) {
    if (reachable.count(name) == 0) out.Remove(name);
  }
}

}  // namespace

Workbook::Workbook() : serial_(NextWorkbookSerial()) {}

std::unique_ptr<Workbook> Workbook::Open(const std::string& path) {
  std::unique_ptr<Workbook> book(new Workbook());
  book->Load(ZipPackage::ReadFile(path));
  return book;
}

std::unique_ptr<Workbook> Workbook::FromBytes(std::string_view bytes) {
  std::unique_ptr<Workbook> book(new Workbook());
  book->Load(ZipPackage::ReadBytes(bytes));
  return book;
}

std::unique_ptr<Workbook> Workbook::Create(int sheet_count) {
  std::unique_ptr<Workbook> book(new Workbook());
  Workbook& b = *book;
  b.types_.SetDefault("rels", content_type::kRelationships);
  b.types_.SetDefault("xml", "application/xml");
  b.types_.Assign("docProps/app.xml", content_type::kExtendedProperties);
  b.types_.Assign("docProps/core.xml", content_type::kCoreProperties);
  b.package_.Put("docProps/app.xml", kAppProperties);
  b.package_.Put("docProps/core.xml", kCoreProperties);
  b.root_rels_.Add(rel_type::kOfficeDocument, b.workbook_part_);
  b.root_rels_.Add(rel_type::kCoreProperties, "docProps/core.xml");
  b.root_rels_.Add(rel_type::kExtendedProperties, "docProps/app.xml");
  ParseXml(b.workbook_doc_, kNewWorkbook, b.workbook_part_);
  b.used_parts_ = {b.workbook_part_, "xl/styles.xml", "xl/sharedStrings.xml"};
  for (int i = 1; i <= std::max(sheet_count, 1); ++i) {
    auto sheet = std::make_shared<Worksheet>();
    sheet->name = "Sheet" + std::to_string(i);
    sheet->sheet_id = static_cast<uint32_t>(i);
    sheet->part = b.NewPartName("xl/worksheets/sheet", ".xml");
    ParseXml(sheet->doc, kNewWorksheet, sheet->part);
    b.sheets_.push_back(std::move(sheet));
  }
  b.styles_untouched_ = true;
  return book;
}

void Workbook::Load(ZipPackage package) {
  package_ = std::move(package);
  if (!package_.Has(kContentTypesPart) || !package_.Has("_rels/.rels")) {
    throw Error("Excelブック (.xlsx) ではありません");
  }
  types_ = ContentTypes::Parse(package_.Get(kContentTypesPart));
  root_rels_ = Relationships::Parse(package_.Get("_rels/.rels"), "");
  const Relationship* main = root_rels_.FirstOfKind("officeDocument");
  if (main == nullptr) throw Error("Excelブック (.xlsx) ではありません");
  workbook_part_ = main->target;
  // Every part name of the file is taken, including those of the sheets and drawings that
  // loading takes out of the package: a sheet copied in later must not reuse one.
  for (const std::string& name : package_.Names()) used_parts_.insert(name);
  LoadWorkbookPart();
  package_.Remove(kContentTypesPart);
  package_.Remove("_rels/.rels");
  package_.Remove(workbook_part_);
  package_.Remove(RelsPartOf(workbook_part_));
}

void Workbook::LoadWorkbookPart() {
  ParsePart(workbook_doc_, workbook_part_);
  NormalizeToDefaultNamespace(workbook_doc_, kMainNs);
  pugi::xml_node root = workbook_doc_.document_element();
  if (LocalName(root.name()) != "workbook") throw Error("Excelブック (.xlsx) ではありません");
  std::string rels_part = RelsPartOf(workbook_part_);
  Relationships rels = package_.Has(rels_part)
                           ? Relationships::Parse(package_.Get(rels_part), workbook_part_)
                           : Relationships();
  date1904_ =
      std::string_view(ChildByLocal(root, "workbookPr").attribute("date1904").value()) == "1" ||
      std::string_view(ChildByLocal(root, "workbookPr").attribute("date1904").value()) == "true";
  LoadStylesAndStrings(rels);
  const std::set<std::string> sheet_rel_ids = ReadSheetList(root, rels);
  ReadDefinedNames(root);
  pugi::xml_node view = ChildByLocal(ChildByLocal(root, "bookViews"), "workbookView");
  active_ = std::min<size_t>(view.attribute("activeTab").as_uint(0), sheets_.size() - 1);
  // A workbook needs a visible sheet; with every tab hidden the active one is shown, as Excel
  // does when it repairs such a file.
  if (std::none_of(sheets_.begin(), sheets_.end(),
                   [](const auto& s) { return s->state == SheetState::kVisible; })) {
    sheets_[active_]->state = SheetState::kVisible;
  }
  for (const Relationship& rel : rels.items()) {
    std::string_view kind = RelKind(rel.type);
    if (sheet_rel_ids.count(rel.id) != 0 || kind == "styles" || kind == "sharedStrings" ||
        kind == "calcChain") {
      continue;
    }
    workbook_rels_.items().push_back(rel);
  }
}

// The style sheet and the shared strings are held parsed, not as parts.
void Workbook::LoadStylesAndStrings(const Relationships& rels) {
  if (const Relationship* styles = rels.FirstOfKind("styles")) {
    if (package_.Has(styles->target)) {
      ChargeXml(package_.Get(styles->target).size(), styles->target);
      styles_.Parse(package_.Get(styles->target));
    }
    package_.Remove(styles->target);
  }
  if (const Relationship* strings = rels.FirstOfKind("sharedStrings")) {
    if (package_.Has(strings->target)) {
      ChargeXml(package_.Get(strings->target).size(), strings->target);
      strings_.Parse(package_.Get(strings->target));
    }
    package_.Remove(strings->target);
  }
}

// The sheets in tab order, none read yet; returns the ids of their relationships.
std::set<std::string> Workbook::ReadSheetList(pugi::xml_node root, const Relationships& rels) {
  std::set<std::string> sheet_rel_ids;
  for (pugi::xml_node node : ChildrenByLocal(ChildByLocal(root, "sheets"), "sheet")) {
    std::string rel_id = AttributeByLocal(node, "id").value();
    const Relationship* rel = rels.Find(rel_id);
    if (rel == nullptr) throw Error("シートの場所が見つかりません: " + rel_id);
    sheet_rel_ids.insert(rel_id);
    auto sheet = std::make_shared<Worksheet>();
    sheet->name = node.attribute("name").value();
    if (IndexOf(sheet->name) >= 0) {
      throw Error("同じ名前のシート「" + sheet->name + "」が2枚あります");
    }
    sheet->sheet_id = node.attribute("sheetId").as_uint();
    sheet->state = StateFromText(node.attribute("state").value());
    sheet->part = rel->target;
    sheet->rel_type = rel->type;
    sheet->kind = RelKind(rel->type) == "worksheet" ? SheetKind::kWorksheet : SheetKind::kOther;
    sheet->loaded = sheet->kind != SheetKind::kWorksheet;
    sheets_.push_back(std::move(sheet));
  }
  if (sheets_.empty()) throw Error("ブックにシートがありません");
  return sheet_rel_ids;
}

// Names of a sheet go with the sheet; names of a sheet that does not exist are dropped.
void Workbook::ReadDefinedNames(pugi::xml_node root) {
  for (pugi::xml_node node : ChildrenByLocal(ChildByLocal(root, "definedNames"), "definedName")) {
    pugi::xml_attribute local = node.attribute("localSheetId");
    if (local && local.as_uint() < sheets_.size()) {
      sheets_[local.as_uint()]->local_names.push_back(ReadDefinedName(node));
    } else if (!local) {
      global_names_.push_back(ReadDefinedName(node));
    }
  }
}

void Workbook::ChargeXml(size_t bytes, const std::string& part) const {
  parsed_xml_bytes_ += bytes;
  if (parsed_xml_bytes_ > kMaxParsedXmlBytes) {
    throw Error("ブックが大きすぎるため読み込めません (" + part + " で、読み込むXMLの合計が " +
                std::to_string(kMaxParsedXmlBytes >> 20) + " MB を超えました)");
  }
}

void Workbook::ParsePart(pugi::xml_document& doc, const std::string& part) const {
  const std::string& bytes = package_.Get(part);
  ChargeXml(bytes.size(), part);
  ParseXml(doc, bytes, part);
}

Worksheet& Workbook::Loaded(size_t index) const { return Read(*sheets_.at(index)); }

Worksheet& Workbook::Read(Worksheet& sheet) const {
  if (!sheet.loaded) {
    try {
      LoadSheet(sheet);
    } catch (const Error& e) {
      throw Error("シート「" + sheet.name + "」を読み込めません: " + e.what());
    }
  }
  return sheet;
}

std::shared_ptr<Worksheet> Workbook::SheetHandle(size_t index) const {
  Loaded(index);
  return sheets_.at(index);
}

void Workbook::LoadAllSheets() const {
  for (size_t i = 0; i < sheets_.size(); ++i) Loaded(i);
}

void Workbook::LoadSheet(Worksheet& sheet) const {
  if (!package_.Has(sheet.part)) throw Error("シートの内容がありません: " + sheet.part);
  ParsePart(sheet.doc, sheet.part);
  NormalizeToDefaultNamespace(sheet.doc, kMainNs);
  pugi::xml_node sheet_data = ChildByLocal(sheet.doc.document_element(), "sheetData");
  if (!sheet_data) sheet_data = sheet.EnsureElement("sheetData");
  sheet.data.Load(sheet_data);
  RemoveChildren(sheet_data);
  // The parsed text stays with the document; a copy of what is left lets it go.
  pugi::xml_document rest;
  rest.reset(sheet.doc);
  sheet.doc.reset(rest);
  for (const Row& row : sheet.data.rows()) {
    for (const Cell& cell : row.cells) {
      if (cell.kind == CellKind::kSharedString && cell.sst >= strings_.size()) {
        throw Error("セル " + FormatCellRef({row.index, cell.col}) + " の共有文字列の番号 " +
                    std::to_string(cell.sst) + " がブックにありません");
      }
    }
  }
  std::string rels_part = RelsPartOf(sheet.part);
  if (package_.Has(rels_part)) {
    sheet.rels = Relationships::Parse(package_.Get(rels_part), sheet.part);
    package_.Remove(rels_part);
  }
  package_.Remove(sheet.part);
  LoadDrawing(sheet);
  sheet.IndexContent();
  sheet.loaded = true;
}

void Workbook::LoadDrawing(Worksheet& sheet) const {
  const Relationship* drawing = sheet.rels.FirstOfKind("drawing");
  if (drawing == nullptr || !package_.Has(drawing->target)) return;
  sheet.drawing = std::make_unique<Drawing>();
  ChargeXml(package_.Get(drawing->target).size(), drawing->target);
  sheet.drawing->Parse(package_.Get(drawing->target), drawing->target);
  std::string drawing_rels = RelsPartOf(drawing->target);
  if (package_.Has(drawing_rels)) {
    sheet.drawing->rels() = Relationships::Parse(package_.Get(drawing_rels), drawing->target);
    package_.Remove(drawing_rels);
  }
  sheet.drawing_part = drawing->target;
  package_.Remove(drawing->target);
}

std::string Workbook::NewPartName(const std::string& stem, const std::string& extension) {
  // Names once used stay used, so the search goes on from the first number not known to be.
  int& first_unknown = first_unused_part_number_[stem + extension];
  first_unknown = std::max(first_unknown, 1);
  bool all_used_so_far = true;
  for (int n = first_unknown;; ++n) {
    std::string name = stem + std::to_string(n) + extension;
    if (package_.Has(name) && used_parts_.count(name) == 0) {
      all_used_so_far = false;  // a part that may yet be taken out of the package
      continue;
    }
    if (all_used_so_far) first_unknown = n + 1;
    if (!used_parts_.insert(name).second) continue;
    return name;
  }
}

int Workbook::IndexOf(const Worksheet& sheet) const {
  for (size_t i = 0; i < sheets_.size(); ++i) {
    if (sheets_[i].get() == &sheet) return static_cast<int>(i);
  }
  return -1;
}

int Workbook::IndexOf(std::string_view name) const {
  std::string key = SheetNameKey(name);
  for (size_t i = 0; i < sheets_.size(); ++i) {
    if (sheets_[i]->NameKey() == key) return static_cast<int>(i);
  }
  return -1;
}

Worksheet* Workbook::FindSheet(std::string_view name) {
  int index = IndexOf(name);
  return index < 0 ? nullptr : &Loaded(static_cast<size_t>(index));
}

void Workbook::Activate(size_t index) {
  if (index >= sheets_.size()) throw Error("シートの番号が範囲外です");
  sheets_[index]->state = SheetState::kVisible;
  active_ = index;
}

void Workbook::Notice(const std::string& text) {
  if (std::find(notices_.begin(), notices_.end(), text) == notices_.end()) {
    notices_.push_back(text);
  }
}

std::string Workbook::UniqueCopyName(const std::string& base) {
  if (IndexOf(base) < 0) return base;
  for (int n = 2;; ++n) {
    std::string suffix = " (" + std::to_string(n) + ")";
    std::string name = FirstCharacters(base, kMaxSheetNameLength - CharacterCount(suffix)) + suffix;
    if (IndexOf(name) < 0) return name;
  }
}

void Workbook::UpdateReferences(const std::string& old_key, const std::string& new_prefix) {
  LoadAllSheets();
  auto rewrite = [&](const std::string& sheet_name) -> std::optional<std::string> {
    if (!sheet_name.empty() && SheetNameKey(sheet_name) == old_key) return new_prefix;
    return std::nullopt;
  };
  auto update = [&](std::vector<DefinedName>& names, std::vector<FormulaSheetKeys>& known) {
    known.resize(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
      if (known[i].Names(names[i].formula, old_key)) {
        names[i].formula = RewriteSheetPrefixes(names[i].formula, rewrite);
      }
    }
  };
  update(global_names_, global_name_sheets_);
  for (auto& sheet : sheets_) {
    update(sheet->local_names, sheet->local_name_sheets);
    if (!sheet->formulas_reach_other_sheets) continue;
    for (Row& row : sheet->data.rows()) {
      for (Cell& cell : row.cells) {
        if (cell.formula().find('!') == std::string::npos) continue;
        std::string text = FormulaTextOf(cell.formula());
        std::string rewritten = RewriteSheetPrefixes(text, rewrite);
        if (rewritten != text) cell.set_formula(WithFormulaText(cell.formula(), rewritten));
      }
    }
  }
}

void Workbook::Rename(Worksheet& sheet, std::string_view name) {
  if (std::optional<std::string> problem = SheetNameProblem(name)) throw Error(*problem);
  Worksheet* existing = FindSheet(name);
  if (existing != nullptr && existing != &sheet) {
    throw Error("「" + std::string(name) + "」という名前のシートは既にあります。");
  }
  const std::string old_key = sheet.NameKey();
  UpdateReferences(old_key, QuoteSheetName(name) + "!");
  sheet.name = std::string(name);
}

void Workbook::Delete(Worksheet& sheet) {
  LoadAllSheets();
  int index = IndexOf(sheet);
  if (index < 0) throw Error("シートはこのブックにありません");
  size_t visible = 0;
  for (auto& s : sheets_) visible += s->state == SheetState::kVisible;
  if (visible <= 1 && sheet.state == SheetState::kVisible) {
    throw Error("ブックには少なくとも1枚の表示されたシートが必要です。");
  }
  std::string key = SheetNameKey(sheet.name);
  auto names_sheet = [&](const std::string& f) {
    return RewriteSheetPrefixes(f, [&](const std::string& s) -> std::optional<std::string> {
             if (!s.empty() && SheetNameKey(s) == key) return std::string("#REF!");
             return std::nullopt;
           }) != f;
  };
  auto break_names = [&](std::vector<DefinedName>& names) {
    for (DefinedName& name : names) {
      if (names_sheet(name.formula)) name.formula = "#REF!";
    }
  };
  break_names(global_names_);
  std::shared_ptr<Worksheet> keep_alive = sheets_[static_cast<size_t>(index)];
  sheets_.erase(sheets_.begin() + index);
  for (auto& other : sheets_) {
    break_names(other->local_names);
    if (!other->formulas_reach_other_sheets) continue;
    for (Row& row : other->data.rows()) {
      for (Cell& cell : row.cells) {
        // The reference would become #REF!; the last computed value is kept instead.
        if (!cell.formula().empty() && names_sheet(FormulaTextOf(cell.formula()))) {
          cell.set_formula({});
        }
      }
    }
  }
  if (active_ > static_cast<size_t>(index) || active_ >= sheets_.size()) --active_;
  while (sheets_[active_]->state != SheetState::kVisible) {
    active_ = (active_ + 1) % sheets_.size();
  }
}

std::string Workbook::CellText(const Worksheet& sheet, CellRef ref) const {
  const Cell* cell = sheet.data.Find(ref);
  return cell == nullptr ? std::string() : xlsx::CellText(*cell, strings_, styles_, date1904_);
}

void Workbook::SetCellText(Worksheet& sheet, CellRef ref, std::string_view text) {
  if (sheet.kind != SheetKind::kWorksheet) throw Error("ワークシートではありません");
  const Worksheet& s = sheet;
  Cell& cell = sheet.data.Ensure(ref, [&s](uint32_t col) { return s.ColumnStyleOf(col); });
  xlsx::SetCellText(cell, text, strings_, styles_);
}

Drawing& Workbook::DrawingOf(Worksheet& sheet) {
  if (sheet.drawing) return *sheet.drawing;
  if (sheet.kind != SheetKind::kWorksheet) throw Error("ワークシートではありません");
  sheet.drawing = std::make_unique<Drawing>();
  sheet.drawing_part = NewPartName("xl/drawings/drawing", ".xml");
  std::string rel_id = sheet.rels.Add(rel_type::kDrawing, sheet.drawing_part);
  std::string prefix;
  pugi::xml_node root = sheet.doc.document_element();
  if (!FindNamespacePrefix(root, kRelNs, &prefix) || prefix.empty()) {
    root.append_attribute("xmlns:mvr").set_value(kRelNs);
    prefix = "mvr:";
  }
  pugi::xml_node element = sheet.EnsureElement("drawing");
  element.append_attribute((prefix + "id").c_str()).set_value(rel_id.c_str());
  return *sheet.drawing;
}

std::string Workbook::WorkbookXml(const std::vector<std::string>& sheet_rel_ids) const {
  pugi::xml_document doc;
  doc.reset(workbook_doc_);
  pugi::xml_node root = doc.document_element();
  std::string r_prefix;
  if (!FindNamespacePrefix(root, kRelNs, &r_prefix) || r_prefix.empty()) {
    root.append_attribute("xmlns:mvr").set_value(kRelNs);
    r_prefix = "mvr:";
  }
  pugi::xml_node sheets = ChildByLocal(root, "sheets");
  if (!sheets)
    sheets = InsertAfterAny(
        root, "sheets",
        {"fileVersion", "fileSharing", "workbookPr", "workbookProtection", "bookViews"});
  RemoveChildren(sheets);
  WriteSheetList(sheets, r_prefix, sheet_rel_ids);
  WriteDefinedNames(root);
  WriteActiveTab(root);
  pugi::xml_node calc = ChildByLocal(root, "calcPr");
  if (!calc) {
    calc = InsertAfterAny(root, "calcPr",
                          {"sheets", "functionGroups", "externalReferences", "definedNames"});
  }
  // Values written into cells may feed formulas of the template: have them computed again.
  calc.remove_attribute("fullCalcOnLoad");
  calc.append_attribute("fullCalcOnLoad").set_value("1");
  return ToXmlString(doc);
}

void Workbook::WriteSheetList(pugi::xml_node sheets, const std::string& r_prefix,
                              const std::vector<std::string>& sheet_rel_ids) const {
  for (size_t i = 0; i < sheets_.size(); ++i) {
    pugi::xml_node node = sheets.append_child("sheet");
    node.append_attribute("name").set_value(sheets_[i]->name.c_str());
    node.append_attribute("sheetId").set_value(sheets_[i]->sheet_id);
    if (sheets_[i]->state != SheetState::kVisible) {
      node.append_attribute("state").set_value(StateText(sheets_[i]->state));
    }
    node.append_attribute((r_prefix + "id").c_str()).set_value(sheet_rel_ids[i].c_str());
  }
}

void Workbook::WriteDefinedNames(pugi::xml_node root) const {
  RemoveNode(ChildByLocal(root, "definedNames"));
  std::string names;
  for (const DefinedName& name : global_names_) AppendDefinedName(names, name, -1);
  for (size_t i = 0; i < sheets_.size(); ++i) {
    for (const DefinedName& name : sheets_[i]->local_names) {
      AppendDefinedName(names, name, static_cast<int>(i));
    }
  }
  if (!names.empty()) {
    pugi::xml_node defined =
        InsertAfterAny(root, "definedNames", {"sheets", "functionGroups", "externalReferences"});
    pugi::xml_document parsed;
    ParseXml(parsed, "<definedNames>" + names + "</definedNames>", workbook_part_);
    for (pugi::xml_node child : parsed.first_child().children()) defined.append_copy(child);
  }
}

// The active tab must be a visible sheet: a hidden one gives way to the first visible.
void Workbook::WriteActiveTab(pugi::xml_node root) const {
  pugi::xml_node view = ChildByLocal(ChildByLocal(root, "bookViews"), "workbookView");
  if (!view) {
    pugi::xml_node views = InsertAfterAny(
        root, "bookViews", {"fileVersion", "fileSharing", "workbookPr", "workbookProtection"});
    view = views.append_child("workbookView");
  }
  size_t active = active_;
  if (sheets_[active]->state != SheetState::kVisible) {
    for (active = 0; sheets_[active]->state != SheetState::kVisible; ++active) {
    }
  }
  view.remove_attribute("activeTab");
  view.append_attribute("activeTab").set_value(static_cast<unsigned>(active));
  if (view.attribute("firstSheet").as_uint() > active) view.remove_attribute("firstSheet");
}

// What is written must read back: reading any one sheet (its XML of xml_bytes, its drawing
// and the parts every sheet needs, of shared_bytes) stays within the reader's bound.
void Workbook::CheckReadableSize(const Worksheet& sheet, size_t xml_bytes,
                                 unsigned long long shared_bytes, const ZipPackage& out) const {
  unsigned long long total = shared_bytes + xml_bytes;
  if (sheet.drawing) total += out.Get(sheet.drawing_part).size();
  if (total > kMaxParsedXmlBytes) {
    throw Error("シート「" + sheet.name + "」が大きすぎるため保存できません (読み込むXMLが " +
                std::to_string(total >> 20) + " MB になり、読み込めるのは " +
                std::to_string(kMaxParsedXmlBytes >> 20) + " MB までです)");
  }
}

void Workbook::Save(const std::string& path, int compression_level) const {
  LoadAllSheets();
  ZipPackage out = package_;
  ContentTypes types = types_;
  // Shared strings that no cell uses any more are left out.
  const std::vector<bool> used = SharedStringsInUse(sheets_, strings_.size());
  std::vector<uint32_t> sst_map;
  std::string sst_xml = strings_.ToXml(used, &sst_map);

  Relationships workbook_rels = workbook_rels_;
  std::vector<std::string> sheet_rel_ids;
  unsigned long long shared_bytes = 0;  // known once the workbook part is made, below
  PutSheets(out, types, workbook_rels, sheet_rel_ids, sst_map, shared_bytes);
  std::string styles_part = "xl/styles.xml";
  std::string strings_part = "xl/sharedStrings.xml";
  workbook_rels.Add(rel_type::kStyles, styles_part);
  out.Put(styles_part, styles_.ToXml());
  types.Assign(styles_part, content_type::kStyles);
  if (std::find(used.begin(), used.end(), true) != used.end()) {
    workbook_rels.Add(rel_type::kSharedStrings, strings_part);
    out.Put(strings_part, sst_xml);
    types.Assign(strings_part, content_type::kSharedStrings);
  }
  out.Put(workbook_part_, WorkbookXml(sheet_rel_ids));
  std::string workbook_type = types.TypeOf(workbook_part_);
  if (workbook_type.find(".main+xml") == std::string::npos) {
    types.Assign(workbook_part_, content_type::kWorkbook);
  }
  out.Put(RelsPartOf(workbook_part_), workbook_rels.ToXml(workbook_part_));
  shared_bytes = out.Get(workbook_part_).size();
  for (const char* part : {"xl/styles.xml", "xl/sharedStrings.xml"}) {
    if (out.Has(part)) shared_bytes += out.Get(part).size();
  }
  out.Put("_rels/.rels", root_rels_.ToXml(""));

  RemoveUnreferencedParts(out);
  types.RetainOverrides([&](const std::string& part) { return out.Has(part); });
  out.Put(kContentTypesPart, types.ToXml());
  out.WriteFile(path, compression_level);
}

// Each sheet's XML is made as the archive takes it in, never all of them at once; its size
// check needs `shared_bytes`, which is known only once the workbook part is made.
void Workbook::PutSheets(ZipPackage& out, ContentTypes& types, Relationships& workbook_rels,
                         std::vector<std::string>& sheet_rel_ids,
                         const std::vector<uint32_t>& sst_map,
                         const unsigned long long& shared_bytes) const {
  for (size_t i = 0; i < sheets_.size(); ++i) {
    const Worksheet& sheet = *sheets_[i];
    if (sheet.kind == SheetKind::kWorksheet) {
      const bool selected = i == active_;
      out.PutMade(sheet.part, [this, &sheet, &sst_map, &shared_bytes, &out, selected] {
        std::string xml = sheet.ToXml(sst_map, selected);
        CheckReadableSize(sheet, xml.size(), shared_bytes, out);
        return xml;
      });
      types.Assign(sheet.part, content_type::kWorksheet);
      sheet_rel_ids.push_back(workbook_rels.Add(rel_type::kWorksheet, sheet.part));
      if (!sheet.rels.empty()) out.Put(RelsPartOf(sheet.part), sheet.rels.ToXml(sheet.part));
      if (sheet.drawing) {
        out.Put(sheet.drawing_part, sheet.drawing->ToXml());
        types.Assign(sheet.drawing_part, content_type::kDrawing);
        if (!sheet.drawing->rels().empty()) {
          out.Put(RelsPartOf(sheet.drawing_part), sheet.drawing->rels().ToXml(sheet.drawing_part));
        }
      }
    } else {
      sheet_rel_ids.push_back(workbook_rels.Add(sheet.rel_type, sheet.part));
    }
  }
}

Worksheet& Workbook::CopySheet(const Workbook& source, const Worksheet& sheet, size_t position) {
  return SheetCopier(source, sheet, *this).CopyTo(position);
}

}  // namespace morvane::xlsx
