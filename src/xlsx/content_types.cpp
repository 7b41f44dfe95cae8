#include "xlsx/content_types.h"

#include <pugixml.hpp>

#include "xlsx/xml_util.h"

namespace morvane::xlsx {
namespace {

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return text;
}

std::string ExtensionOf(const std::string& part) {
  size_t dot = part.rfind('.');
  size_t slash = part.rfind('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return Lower(part.substr(dot + 1));
}

}  // namespace

ContentTypes ContentTypes::Parse(std::string_view xml) {
  pugi::xml_document doc;
  ParseXml(doc, xml, "[Content_Types].xml");
  ContentTypes types;
  for (pugi::xml_node node : doc.document_element().children()) {
    std::string_view local = LocalName(node.name());
    if (local == "Default") {
      types.defaults_[Lower(node.attribute("Extension").value())] =
          node.attribute("ContentType").value();
    } else if (local == "Override") {
      std::string part = node.attribute("PartName").value();
      if (!part.empty() && part[0] == '/') part.erase(0, 1);
      types.overrides_[part] = node.attribute("ContentType").value();
    }
  }
  return types;
}

std::string ContentTypes::ToXml() const {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">";
  for (const auto& [extension, type] : defaults_) {
    out += "<Default Extension=\"";
    AppendEscaped(out, extension);
    out += "\" ContentType=\"";
    AppendEscaped(out, type);
    out += "\"/>";
  }
  for (const auto& [part, type] : overrides_) {
    out += "<Override PartName=\"/";
    AppendEscaped(out, part);
    out += "\" ContentType=\"";
    AppendEscaped(out, type);
    out += "\"/>";
  }
  out += "</Types>";
  return out;
}

std::string ContentTypes::TypeOf(const std::string& part) const {
  auto over = overrides_.find(part);
  if (over != overrides_.end()) return over->second;
  auto def = defaults_.find(ExtensionOf(part));
  return def == defaults_.end() ? std::string() : def->second;
}

void ContentTypes::Assign(const std::string& part, const std::string& type) {
  auto def = defaults_.find(ExtensionOf(part));
  if (def != defaults_.end() && def->second == type) {
    overrides_.erase(part);
  } else if (def == defaults_.end() && !ExtensionOf(part).empty() && ExtensionOf(part) != "xml") {
    defaults_[ExtensionOf(part)] = type;
  } else {
    overrides_[part] = type;
  }
}

void ContentTypes::SetDefault(const std::string& extension, const std::string& type) {
  defaults_[Lower(extension)] = type;
}

}  // namespace morvane::xlsx
