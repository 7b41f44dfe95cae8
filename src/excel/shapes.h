// Text boxes and connectors drawn on a worksheet (Shapes.AddTextbox, Shapes.AddConnector and
// the objects reached from a shape). Every object here is a small handle that may be kept.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "excel/worksheet.h"

namespace morvane::xlsx {
struct DrawnShape;
}

namespace morvane::excel {

class ShadowFormat;
class TextFrame;
class Characters;
class ConnectorFormat;

class Shape {
 public:
  Shape(Worksheet sheet, uint32_t id) : sheet_(std::move(sheet)), id_(id) {}
  std::string Name() const;
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  ShadowFormat Shadow() const;
  excel::TextFrame TextFrame() const;
  excel::ConnectorFormat ConnectorFormat() const;

  // The engine's record of the shape; fails when its sheet is gone.
  xlsx::DrawnShape& Record() const;
  const Worksheet& Sheet() const { return sheet_; }
  uint32_t id() const { return id_; }

 private:
  Worksheet sheet_;
  uint32_t id_;
};

class ShadowFormat {
 public:
  explicit ShadowFormat(Shape shape) : shape_(std::move(shape)) {}
  int Type() const;
  // Shadow.Type = msoShadow1..20 gives an outer shadow; 0 removes it.
  void SetType(int type) const;

 private:
  Shape shape_;
};

// Characters(start, length) of a text box: 1-based, length -1 meaning to the end.
class Characters {
 public:
  Characters(Shape shape, int start, int length)
      : shape_(std::move(shape)), start_(start), length_(length) {}
  std::string Text() const;
  // Replaces the characters of the range (all of them for Characters without arguments).
  void SetText(const std::string& text) const;
  // Replaces the range's characters by text; a range starting one past the end appends.
  void Insert(const std::string& text) const { SetText(text); }
  int Count() const;

 private:
  Shape shape_;
  int start_;
  int length_;
};

class TextFrame {
 public:
  explicit TextFrame(Shape shape) : shape_(std::move(shape)) {}
  excel::Characters Characters() const { return excel::Characters(shape_, 1, -1); }
  excel::Characters Characters(int start, int length = -1) const {
    return excel::Characters(shape_, start, length);
  }

 private:
  Shape shape_;
};

class ConnectorFormat {
 public:
  explicit ConnectorFormat(Shape shape) : shape_(std::move(shape)) {}
  // Glues the connector's begin (end) to a text box on the same sheet at a connection site:
  // 1 top, 2 left, 3 bottom, 4 right; 0 places that end on the box's edge facing the other
  // end without gluing it.
  void BeginConnect(const Shape& box, int site) const;
  void EndConnect(const Shape& box, int site) const;

 private:
  void Connect(bool begin, const Shape& box, int site) const;
  Shape shape_;
};

class Shapes {
 public:
  explicit Shapes(Worksheet sheet) : sheet_(std::move(sheet)) {}
  // Shapes added through these calls (pictures of the template are not counted).
  int Count() const;
  Shape Item(int index) const;  // 1-based
  // AddTextbox(1, left, top, width, height) in points: a horizontal text box.
  Shape AddTextbox(int orientation, int left, int top, int width, int height) const;
  // AddConnector(type, beginX, beginY, endX, endY): 1 straight, 2 elbow, 3 curved.
  Shape AddConnector(int type, int begin_x, int begin_y, int end_x, int end_y) const;

 private:
  Worksheet sheet_;
};

}  // namespace morvane::excel
