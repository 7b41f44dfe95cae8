// Small helpers over pugixml for Office Open XML: elements are matched by their local name so
// that documents using a prefix for the main namespace ("x:row") read like unprefixed ones.
#pragma once

#include <pugixml.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace morvane::xlsx {

// "x:row" -> "row", "row" -> "row".
std::string_view LocalName(std::string_view qualified);

// The prefix of a qualified name including its colon: "x:row" -> "x:", "row" -> "".
std::string_view Prefix(std::string_view qualified);

// First child element with the given local name, or an empty node.
pugi::xml_node ChildByLocal(pugi::xml_node parent, std::string_view local);

// All child elements with the given local name.
std::vector<pugi::xml_node> ChildrenByLocal(pugi::xml_node parent, std::string_view local);

// The first attribute whose local name matches ("r:id" for "id" in the relationships namespace
// is found by AttributeByLocal(node, "id") only when no unprefixed "id" exists).
pugi::xml_attribute AttributeByLocal(pugi::xml_node node, std::string_view local);

// Elements may nest this deep in a part; a deeper part is refused when parsed.
inline constexpr int kMaxXmlDepth = 1000;

// Parses a part; throws xlsx::Error naming the part when it is not well-formed or its elements
// nest deeper than kMaxXmlDepth.
void ParseXml(pugi::xml_document& doc, std::string_view text, std::string_view part_name);

// The deepest nesting of nodes below `node` (its children are at depth 1); stops counting once
// past `limit`. Walks without recursion.
int NestingDepth(pugi::xml_node node, int limit);

// Removes `node` and everything below it, or only its children, without recursion (pugixml
// frees a subtree recursively, which a deeply nested part would overflow).
void RemoveNode(pugi::xml_node node);
void RemoveChildren(pugi::xml_node node);

// Serialises a document or a node without indentation.
std::string ToXmlString(const pugi::xml_document& doc);
std::string NodeToString(pugi::xml_node node);

// Escapes text for element content or attribute values.
void AppendEscaped(std::string& out, std::string_view text);

// Text as stored in spreadsheet strings: control characters that XML cannot carry, and a
// literal "_xHHHH_", are written as _xHHHH_ escapes.
std::string EncodeXString(std::string_view text);
std::string DecodeXString(std::string_view text);

// Finds the prefix (with its colon, or empty for the default namespace) that the root element
// binds to a namespace URI; false when the root does not declare it.
bool FindNamespacePrefix(pugi::xml_node root, std::string_view uri, std::string* prefix);

}  // namespace morvane::xlsx

namespace morvane::xlsx {

inline constexpr const char* kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr const char* kRelNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// Rewrites a document that binds a prefix to `uri` ("<x:worksheet xmlns:x=...>") so that those
// elements use the default namespace instead; generated XML can then be spliced in unprefixed.
void NormalizeToDefaultNamespace(pugi::xml_document& doc, const char* uri);

}  // namespace morvane::xlsx
