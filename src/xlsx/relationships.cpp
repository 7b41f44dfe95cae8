#include "xlsx/relationships.h"

#include <pugixml.hpp>

#include "xlsx/xml_util.h"

namespace morvane::xlsx {
namespace {

std::string DirectoryOf(const std::string& part) {
  size_t slash = part.rfind('/');
  return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

std::vector<std::string> SplitPath(std::string_view path) {
  std::vector<std::string> segments;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string_view::npos) slash = path.size();
    segments.emplace_back(path.substr(start, slash - start));
    start = slash + 1;
  }
  return segments;
}

}  // namespace

std::string_view RelKind(std::string_view type) {
  size_t slash = type.rfind('/');
  return slash == std::string_view::npos ? type : type.substr(slash + 1);
}

Relationships Relationships::Parse(std::string_view xml, const std::string& source_part) {
  pugi::xml_document doc;
  ParseXml(doc, xml, RelsPartOf(source_part));
  Relationships rels;
  for (pugi::xml_node node : doc.document_element().children()) {
    if (LocalName(node.name()) != "Relationship") continue;
    Relationship rel;
    rel.id = node.attribute("Id").value();
    rel.type = node.attribute("Type").value();
    rel.external = std::string_view(node.attribute("TargetMode").value()) == "External";
    rel.target = rel.external ? node.attribute("Target").value()
                              : ResolvePartTarget(source_part, node.attribute("Target").value());
    rels.items_.push_back(std::move(rel));
  }
  return rels;
}

std::string Relationships::ToXml(const std::string& source_part) const {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  for (const Relationship& rel : items_) {
    out += "<Relationship Id=\"";
    AppendEscaped(out, rel.id);
    out += "\" Type=\"";
    AppendEscaped(out, rel.type);
    out += "\" Target=\"";
    AppendEscaped(out, rel.external ? rel.target : RelativePartTarget(source_part, rel.target));
    out += rel.external ? "\" TargetMode=\"External\"/>" : "\"/>";
  }
  out += "</Relationships>";
  return out;
}

const Relationship* Relationships::Find(std::string_view id) const {
  for (const Relationship& rel : items_) {
    if (rel.id == id) return &rel;
  }
  return nullptr;
}

const Relationship* Relationships::FirstOfKind(std::string_view kind) const {
  for (const Relationship& rel : items_) {
    if (RelKind(rel.type) == kind) return &rel;
  }
  return nullptr;
}

std::string Relationships::Add(std::string type, std::string target, bool external) {
  int n = static_cast<int>(items_.size()) + 1;
  std::string id;
  do {
    id = "rId" + std::to_string(n++);
  } while (Find(id) != nullptr);
  items_.push_back({id, std::move(type), std::move(target), external});
  return id;
}

void Relationships::Remove(std::string_view id) {
  std::erase_if(items_, [&](const Relationship& rel) { return rel.id == id; });
}

std::string RelsPartOf(const std::string& part) {
  std::string dir = DirectoryOf(part);
  return dir + "_rels/" + part.substr(dir.size()) + ".rels";
}

std::string ResolvePartTarget(const std::string& source_part, std::string_view target) {
  std::string joined = !target.empty() && target[0] == '/'
                           ? std::string(target.substr(1))
                           : DirectoryOf(source_part) + std::string(target);
  std::vector<std::string> resolved;
  for (std::string& segment : SplitPath(joined)) {
    if (segment == "..") {
      if (!resolved.empty()) resolved.pop_back();
    } else if (!segment.empty() && segment != ".") {
      resolved.push_back(std::move(segment));
    }
  }
  std::string out;
  for (const std::string& segment : resolved) {
    if (!out.empty()) out += '/';
    out += segment;
  }
  return out;
}

std::string RelativePartTarget(const std::string& source_part, const std::string& part) {
  std::vector<std::string> from = SplitPath(DirectoryOf(source_part));
  from.pop_back();  // the empty segment after the last slash
  std::vector<std::string> to = SplitPath(part);
  size_t common = 0;
  while (common < from.size() && common + 1 < to.size() && from[common] == to[common]) ++common;
  std::string out;
  for (size_t i = common; i < from.size(); ++i) out += "../";
  for (size_t i = common; i < to.size(); ++i) {
    out += to[i];
    if (i + 1 < to.size()) out += '/';
  }
  return out;
}

}  // namespace morvane::xlsx
