#include "xlsx/drawing.h"

#include <algorithm>

#include "xlsx/xml_util.h"

namespace morvane::xlsx {
namespace {

constexpr const char* kDrawingNs =
    "http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing";
constexpr const char* kDrawingMainNs = "http://schemas.openxmlformats.org/drawingml/2006/main";
constexpr const char* kPlaceholder = "morvane-added-shapes";
constexpr int64_t kLineWidth = 12700;     // 1 pt
constexpr int64_t kShadowOffset = 38100;  // 3 pt

void AppendInt(std::string& out, int64_t n) { out += std::to_string(n); }

void AppendAttr(std::string& out, const char* name, int64_t value) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendInt(out, value);
  out += '"';
}

void AppendAnchorStart(std::string& out, const Rect& box) {
  out += "<xdr:absoluteAnchor><xdr:pos";
  AppendAttr(out, "x", box.x);
  AppendAttr(out, "y", box.y);
  out += "/><xdr:ext";
  AppendAttr(out, "cx", box.cx);
  AppendAttr(out, "cy", box.cy);
  out += "/>";
}

void AppendXfrm(std::string& out, const Rect& frame, int rotation, bool flip_h, bool flip_v) {
  out += "<a:xfrm";
  if (rotation != 0) AppendAttr(out, "rot", rotation);
  if (flip_h) out += " flipH=\"1\"";
  if (flip_v) out += " flipV=\"1\"";
  out += "><a:off";
  AppendAttr(out, "x", frame.x);
  AppendAttr(out, "y", frame.y);
  out += "/><a:ext";
  AppendAttr(out, "cx", frame.cx);
  AppendAttr(out, "cy", frame.cy);
  out += "/></a:xfrm>";
}

void AppendSolidLine(std::string& out) {
  out += "<a:ln";
  AppendAttr(out, "w", kLineWidth);
  out += "><a:solidFill><a:srgbClr val=\"000000\"/></a:solidFill></a:ln>";
}

// Text for a:t: characters XML cannot carry are left out.
std::string CleanShapeText(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') out += c;
  }
  return out;
}

void AppendParagraphs(std::string& out, std::string_view text) {
  constexpr const char* kRunProps = "<a:rPr lang=\"ja-JP\" altLang=\"en-US\" sz=\"1100\"/>";
  size_t start = 0;
  while (true) {
    size_t lf = text.find('\n', start);
    std::string line = CleanShapeText(
        text.substr(start, lf == std::string_view::npos ? std::string_view::npos : lf - start));
    out += "<a:p>";
    if (!line.empty()) {
      out += "<a:r>";
      out += kRunProps;
      out += "<a:t>";
      AppendEscaped(out, line);
      out += "</a:t></a:r>";
    } else {
      out += "<a:endParaRPr lang=\"ja-JP\" altLang=\"en-US\" sz=\"1100\"/>";
    }
    out += "</a:p>";
    if (lf == std::string_view::npos) break;
    start = lf + 1;
  }
}

uint32_t HighestShapeId(pugi::xml_node node) {
  uint32_t highest = 0;
  for (pugi::xml_node child : node.children()) {
    if (child.type() != pugi::node_element) continue;
    if (LocalName(child.name()) == "cNvPr")
      highest = std::max(highest, child.attribute("id").as_uint());
    highest = std::max(highest, HighestShapeId(child));
  }
  return highest;
}

}  // namespace

Drawing::Drawing() {
  pugi::xml_node root = doc_.append_child("xdr:wsDr");
  root.append_attribute("xmlns:xdr").set_value(kDrawingNs);
  root.append_attribute("xmlns:a").set_value(kDrawingMainNs);
}

void Drawing::Parse(std::string_view xml, const std::string& part_name) {
  ParseXml(doc_, xml, part_name);
  next_id_ = std::max<uint32_t>(2, HighestShapeId(doc_.document_element()) + 1);
}

void Drawing::CopyFrom(const Drawing& other) {
  doc_.reset(other.doc_);
  rels_ = other.rels_;
  shapes_ = other.shapes_;
  next_id_ = other.next_id_;
}

DrawnShape& Drawing::AddTextBox(Rect frame) {
  DrawnShape box;
  box.kind = DrawnShape::Kind::kTextBox;
  box.id = next_id_++;
  box.name = "TextBox " + std::to_string(box.id - 1);
  box.frame = frame;
  shapes_.push_back(std::move(box));
  return shapes_.back();
}

DrawnShape& Drawing::AddConnector(ConnectorType type, Point begin, Point end) {
  DrawnShape connector;
  connector.kind = DrawnShape::Kind::kConnector;
  connector.id = next_id_++;
  connector.name = "Connector " + std::to_string(connector.id - 1);
  connector.connector_type = type;
  connector.begin.point = begin;
  connector.end.point = end;
  shapes_.push_back(std::move(connector));
  return shapes_.back();
}

DrawnShape* Drawing::Find(uint32_t id) {
  for (DrawnShape& shape : shapes_) {
    if (shape.id == id) return &shape;
  }
  return nullptr;
}

std::pair<Point, int> Drawing::EndPlacement(const ConnectorEnd& end,
                                            const ConnectorEnd& other) const {
  auto box_of = [&](const ConnectorEnd& e) -> const DrawnShape* {
    if (e.shape_id == 0) return nullptr;
    for (const DrawnShape& shape : shapes_) {
      if (shape.id == e.shape_id && shape.kind == DrawnShape::Kind::kTextBox) return &shape;
    }
    return nullptr;
  };
  const DrawnShape* box = box_of(end);
  if (box == nullptr) return {end.point, 0};
  int site = end.site;
  if (site < 1 || site > 4) {
    const DrawnShape* other_box = box_of(other);
    Rect other_rect = other_box ? other_box->frame : Rect{other.point.x, other.point.y, 0, 0};
    site = FacingSites(box->frame, other_rect).first;
  }
  return {SitePoint(box->frame, site), site};
}

ConnectorGeometry Drawing::Geometry(const DrawnShape& connector) const {
  auto [begin, begin_site] = EndPlacement(connector.begin, connector.end);
  auto [end, end_site] = EndPlacement(connector.end, connector.begin);
  return RouteConnector(connector.connector_type, begin, begin_site, end, end_site);
}

void Drawing::AppendTextBoxXml(std::string& out, const DrawnShape& box) const {
  AppendAnchorStart(out, box.frame);
  out += "<xdr:sp macro=\"\" textlink=\"\"><xdr:nvSpPr><xdr:cNvPr";
  AppendAttr(out, "id", box.id);
  out += " name=\"";
  AppendEscaped(out, box.name);
  out += "\"/><xdr:cNvSpPr txBox=\"1\"/></xdr:nvSpPr><xdr:spPr>";
  AppendXfrm(out, box.frame, 0, false, false);
  out +=
      "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom>"
      "<a:solidFill><a:srgbClr val=\"FFFFFF\"/></a:solidFill>";
  AppendSolidLine(out);
  if (box.shadow_type != 0) {
    out += "<a:effectLst><a:outerShdw blurRad=\"0\"";
    AppendAttr(out, "dist", kShadowOffset);
    out +=
        " dir=\"2700000\" algn=\"tl\" rotWithShape=\"0\">"
        "<a:srgbClr val=\"000000\"><a:alpha val=\"50000\"/></a:srgbClr>"
        "</a:outerShdw></a:effectLst>";
  }
  out +=
      "</xdr:spPr><xdr:txBody><a:bodyPr vertOverflow=\"clip\" horzOverflow=\"clip\" "
      "wrap=\"square\" lIns=\"45720\" tIns=\"45720\" rIns=\"45720\" bIns=\"45720\" "
      "rtlCol=\"0\" anchor=\"t\"/><a:lstStyle/>";
  AppendParagraphs(out, box.text);
  out += "</xdr:txBody></xdr:sp><xdr:clientData/></xdr:absoluteAnchor>";
}

void Drawing::AppendConnectorXml(std::string& out, const DrawnShape& connector) const {
  ConnectorGeometry g = Geometry(connector);
  // The anchor is the box the line covers on the sheet: a quarter turn swaps its sides.
  Rect anchor = g.frame;
  if (g.rotation != 0) {
    anchor = {g.frame.x + g.frame.cx / 2 - g.frame.cy / 2,
              g.frame.y + g.frame.cy / 2 - g.frame.cx / 2, g.frame.cy, g.frame.cx};
  }
  AppendAnchorStart(out, anchor);
  out += "<xdr:cxnSp macro=\"\"><xdr:nvCxnSpPr><xdr:cNvPr";
  AppendAttr(out, "id", connector.id);
  out += " name=\"";
  AppendEscaped(out, connector.name);
  out += "\"/><xdr:cNvCxnSpPr>";
  auto glue = [&](const char* element, const ConnectorEnd& end, const ConnectorEnd& other) {
    if (end.shape_id == 0) return;
    auto [point, site] = EndPlacement(end, other);
    if (end.site < 1 || end.site > 4) return;  // placed facing the other end, but not glued
    out += "<a:";
    out += element;
    AppendAttr(out, "id", end.shape_id);
    AppendAttr(out, "idx", site - 1);
    out += "/>";
  };
  glue("stCxn", connector.begin, connector.end);
  glue("endCxn", connector.end, connector.begin);
  out += "</xdr:cNvCxnSpPr></xdr:nvCxnSpPr><xdr:spPr>";
  AppendXfrm(out, g.frame, g.rotation, g.flip_h, g.flip_v);
  out += "<a:prstGeom prst=\"" + g.preset + "\"><a:avLst>";
  for (const auto& [name, value] : g.adjust) {
    out += "<a:gd name=\"" + name + "\" fmla=\"val " + std::to_string(value) + "\"/>";
  }
  out += "</a:avLst></a:prstGeom>";
  AppendSolidLine(out);
  out += "</xdr:spPr></xdr:cxnSp><xdr:clientData/></xdr:absoluteAnchor>";
}

std::string Drawing::ToXml() const {
  pugi::xml_document copy;
  copy.reset(doc_);
  pugi::xml_node root = copy.document_element();
  if (!root.attribute("xmlns:xdr")) root.append_attribute("xmlns:xdr").set_value(kDrawingNs);
  if (!root.attribute("xmlns:a")) root.append_attribute("xmlns:a").set_value(kDrawingMainNs);
  root.append_child(kPlaceholder);
  std::string xml = ToXmlString(copy);
  std::string added;
  for (const DrawnShape& shape : shapes_) {
    if (shape.kind == DrawnShape::Kind::kTextBox) {
      AppendTextBoxXml(added, shape);
    } else {
      AppendConnectorXml(added, shape);
    }
  }
  size_t at = xml.find(std::string("<") + kPlaceholder);
  size_t close = xml.find('>', at);
  xml.replace(at, close - at + 1, added);
  return xml;
}

}  // namespace morvane::xlsx
