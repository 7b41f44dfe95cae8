#include "xlsx/xml_util.h"

#include <algorithm>

#include "xlsx/error.h"
#include "xlsx/sheet_names.h"

namespace morvane::xlsx {
namespace {

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsEscapeAt(std::string_view text, size_t pos) {
  if (pos + 7 > text.size() || text[pos] != '_' || text[pos + 1] != 'x' || text[pos + 6] != '_') {
    return false;
  }
  for (size_t i = pos + 2; i < pos + 6; ++i) {
    if (!IsHex(text[i])) return false;
  }
  return true;
}

struct StringWriter : pugi::xml_writer {
  std::string out;
  void write(const void* data, size_t size) override {
    out.append(static_cast<const char*>(data), size);
  }
};

constexpr unsigned kSaveFlags = pugi::format_raw;

}  // namespace

std::string_view LocalName(std::string_view qualified) {
  size_t colon = qualified.find(':');
  return colon == std::string_view::npos ? qualified : qualified.substr(colon + 1);
}

std::string_view Prefix(std::string_view qualified) {
  size_t colon = qualified.find(':');
  return colon == std::string_view::npos ? std::string_view() : qualified.substr(0, colon + 1);
}

pugi::xml_node ChildByLocal(pugi::xml_node parent, std::string_view local) {
  for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_element && LocalName(child.name()) == local) return child;
  }
  return {};
}

std::vector<pugi::xml_node> ChildrenByLocal(pugi::xml_node parent, std::string_view local) {
  std::vector<pugi::xml_node> found;
  for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_element && LocalName(child.name()) == local) {
      found.push_back(child);
    }
  }
  return found;
}

pugi::xml_attribute AttributeByLocal(pugi::xml_node node, std::string_view local) {
  pugi::xml_attribute prefixed;
  for (pugi::xml_attribute attr = node.first_attribute(); attr; attr = attr.next_attribute()) {
    std::string_view name = attr.name();
    if (name == local) return attr;
    if (!prefixed && LocalName(name) == local && name.substr(0, 6) != "xmlns:") prefixed = attr;
  }
  return prefixed;
}

void ParseXml(pugi::xml_document& doc, std::string_view text, std::string_view part_name) {
  pugi::xml_parse_result result =
      doc.load_buffer(text.data(), text.size(), pugi::parse_default | pugi::parse_ws_pcdata_single,
                      pugi::encoding_utf8);
  if (!result) {
    throw Error("XMLを読み取れません (" + std::string(part_name) + ": " + result.description() +
                ")");
  }
  if (NestingDepth(doc, kMaxXmlDepth) > kMaxXmlDepth) {
    RemoveChildren(doc);
    throw Error("XMLの要素の入れ子が深すぎるため読み込めません (" + std::string(part_name) + ": " +
                std::to_string(kMaxXmlDepth) + " 段まで)");
  }
}

int NestingDepth(pugi::xml_node node, int limit) {
  int depth = 0;
  int deepest = 0;
  pugi::xml_node at = node.first_child();
  if (at) depth = deepest = 1;
  while (at && deepest <= limit) {
    if (at.first_child()) {
      at = at.first_child();
      deepest = std::max(deepest, ++depth);
      continue;
    }
    while (at != node && !at.next_sibling()) {
      at = at.parent();
      --depth;
    }
    if (at == node) break;
    at = at.next_sibling();
  }
  return deepest;
}

void RemoveChildren(pugi::xml_node node) {
  // Leaves go first, so pugixml never has a subtree to free.
  pugi::xml_node at = node.first_child();
  while (at) {
    while (at.first_child()) at = at.first_child();
    pugi::xml_node parent = at.parent();
    parent.remove_child(at);
    at = parent == node ? node.first_child() : parent;
  }
}

void RemoveNode(pugi::xml_node node) {
  if (!node) return;
  RemoveChildren(node);
  node.parent().remove_child(node);
}

std::string ToXmlString(const pugi::xml_document& doc) {
  StringWriter writer;
  doc.save(writer, "", kSaveFlags | pugi::format_no_declaration, pugi::encoding_utf8);
  return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n" + writer.out;
}

std::string NodeToString(pugi::xml_node node) {
  StringWriter writer;
  node.print(writer, "", kSaveFlags, pugi::encoding_utf8);
  return writer.out;
}

void AppendEscaped(std::string& out, std::string_view text) {
  while (!text.empty()) {
    const size_t special = text.find_first_of("&<>\"");
    out.append(text.substr(0, special));
    if (special == std::string_view::npos) return;
    switch (text[special]) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += "&quot;";
    }
    text.remove_prefix(special + 1);
  }
}

std::string EncodeXString(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    bool control = c < 0x20 && c != '\t' && c != '\n';
    if (control || IsEscapeAt(text, i)) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "_x%04X_", control ? c : '_');
      out += buffer;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string DecodeXString(std::string_view text) {
  if (text.find("_x") == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsEscapeAt(text, i)) {
      AppendUtf8(
          out, static_cast<char32_t>(std::stoul(std::string(text.substr(i + 2, 4)), nullptr, 16)));
      i += 6;
    } else {
      out += text[i];
    }
  }
  return out;
}

bool FindNamespacePrefix(pugi::xml_node root, std::string_view uri, std::string* prefix) {
  for (pugi::xml_attribute attr = root.first_attribute(); attr; attr = attr.next_attribute()) {
    std::string_view name = attr.name();
    if (attr.value() != uri) continue;
    if (name == "xmlns") {
      *prefix = "";
      return true;
    }
    if (name.substr(0, 6) == "xmlns:") {
      *prefix = std::string(name.substr(6)) + ":";
      return true;
    }
  }
  return false;
}

}  // namespace morvane::xlsx

namespace morvane::xlsx {
namespace {

// Walks the elements below `root` in document order without recursion.
void StripPrefix(pugi::xml_node root, std::string_view prefix) {
  pugi::xml_node at = root.first_child();
  while (at) {
    if (at.type() == pugi::node_element) {
      std::string_view name = at.name();
      if (name.substr(0, prefix.size()) == prefix) {
        at.set_name(std::string(name.substr(prefix.size())).c_str());
      }
    }
    if (at.first_child()) {
      at = at.first_child();
      continue;
    }
    while (at != root && !at.next_sibling()) at = at.parent();
    if (at == root) break;
    at = at.next_sibling();
  }
}

}  // namespace

void NormalizeToDefaultNamespace(pugi::xml_document& doc, const char* uri) {
  pugi::xml_node root = doc.document_element();
  std::string prefix;
  if (!FindNamespacePrefix(root, uri, &prefix) || prefix.empty()) return;
  pugi::xml_attribute default_ns = root.attribute("xmlns");
  if (default_ns && std::string_view(default_ns.value()) != uri) return;
  std::string_view root_name = root.name();
  if (root_name.substr(0, prefix.size()) == prefix) {
    root.set_name(std::string(root_name.substr(prefix.size())).c_str());
  }
  StripPrefix(root, prefix);
  if (!default_ns) root.prepend_attribute("xmlns").set_value(uri);
}

}  // namespace morvane::xlsx
