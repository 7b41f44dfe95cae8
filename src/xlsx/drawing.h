// A worksheet's drawing part: what it held when it was read or copied (pictures, shapes), plus
// the text boxes and connectors added since, which are written after it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "xlsx/connector_geometry.h"
#include "xlsx/relationships.h"

namespace morvane::xlsx {

constexpr int64_t kEmuPerPoint = 12700;

struct ConnectorEnd {
  uint32_t shape_id = 0;  // the box this end is glued to, 0 when loose
  int site = 0;           // 1 top, 2 left, 3 bottom, 4 right; 0 means the side facing the other end
  Point point;            // where a loose end lies
};

struct DrawnShape {
  enum class Kind { kTextBox, kConnector };
  Kind kind = Kind::kTextBox;
  uint32_t id = 0;
  std::string name;
  Rect frame;           // text boxes: position and size
  std::string text;     // text boxes: UTF-8, lines separated by LF
  int shadow_type = 0;  // 0 none; otherwise an outer shadow towards the lower right
  ConnectorType connector_type = ConnectorType::kStraight;
  ConnectorEnd begin, end;
};

class Drawing {
 public:
  Drawing();  // an empty drawing
  // Reads an existing drawing part.
  void Parse(std::string_view xml, const std::string& part_name);

  DrawnShape& AddTextBox(Rect frame);
  DrawnShape& AddConnector(ConnectorType type, Point begin, Point end);
  DrawnShape* Find(uint32_t id);
  const std::vector<DrawnShape>& shapes() const { return shapes_; }

  // Where a connector's ends lie and how it is drawn, from the boxes as they are now.
  ConnectorGeometry Geometry(const DrawnShape& connector) const;

  std::string ToXml() const;

  pugi::xml_document& doc() { return doc_; }
  Relationships& rels() { return rels_; }
  const Relationships& rels() const { return rels_; }
  // Makes this drawing a copy of another (contents, relationships and added shapes).
  void CopyFrom(const Drawing& other);

 private:
  void AppendTextBoxXml(std::string& out, const DrawnShape& box) const;
  void AppendConnectorXml(std::string& out, const DrawnShape& connector) const;
  std::pair<Point, int> EndPlacement(const ConnectorEnd& end, const ConnectorEnd& other) const;

  pugi::xml_document doc_;
  Relationships rels_;
  std::vector<DrawnShape> shapes_;
  uint32_t next_id_ = 2;
};

}  // namespace morvane::xlsx
