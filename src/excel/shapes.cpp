#include "excel/shapes.h"

#include "excel/application.h"
#include "excel/text_boundary.h"
#include "xlsx/drawing.h"
#include "xlsx/sheet_names.h"
#include "xlsx/workbook.h"

namespace morvane::excel {
namespace {

int Points(int64_t emu) { return static_cast<int>(emu / xlsx::kEmuPerPoint); }

// Offset in bytes of the character at 0-based position `index` of UTF-8 text.
size_t ByteOffset(const std::string& utf8, size_t index) {
  size_t seen = 0;
  for (size_t i = 0; i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
      if (seen == index) return i;
      ++seen;
    }
  }
  return utf8.size();
}

xlsx::DrawnShape& TextBoxOf(const Shape& shape) {
  xlsx::DrawnShape& record = shape.Record();
  if (record.kind != xlsx::DrawnShape::Kind::kTextBox) {
    throw ExcelError("テキストボックスではありません");
  }
  return record;
}

}  // namespace

xlsx::DrawnShape& Shape::Record() const {
  std::shared_ptr<xlsx::Worksheet> sheet = sheet_.Lock();
  xlsx::DrawnShape* record = sheet->drawing ? sheet->drawing->Find(id_) : nullptr;
  if (record == nullptr) throw ExcelError("図形が見つかりません");
  return *record;
}

std::string Shape::Name() const { return ToDocumentText(Record().name); }
int Shape::Left() const { return Points(Record().frame.x); }
int Shape::Top() const { return Points(Record().frame.y); }
int Shape::Width() const { return Points(Record().frame.cx); }
int Shape::Height() const { return Points(Record().frame.cy); }
ShadowFormat Shape::Shadow() const { return ShadowFormat(*this); }
excel::TextFrame Shape::TextFrame() const { return excel::TextFrame(*this); }
excel::ConnectorFormat Shape::ConnectorFormat() const { return excel::ConnectorFormat(*this); }

int ShadowFormat::Type() const { return shape_.Record().shadow_type; }

void ShadowFormat::SetType(int type) const {
  if (type < 0 || type > 20)
    throw ExcelError("影の種類が正しくありません: " + std::to_string(type));
  shape_.Record().shadow_type = type;
}

std::string Characters::Text() const {
  const std::string& text = TextBoxOf(shape_).text;
  size_t total = xlsx::CharacterCount(text);
  size_t first = static_cast<size_t>(std::max(start_, 1) - 1);
  size_t count = length_ < 0 ? total : static_cast<size_t>(length_);
  size_t begin = ByteOffset(text, first);
  size_t end = ByteOffset(text, std::min(total, first + count));
  return ToDocumentText(text.substr(begin, end - begin));
}

void Characters::SetText(const std::string& text) const {
  xlsx::DrawnShape& box = TextBoxOf(shape_);
  std::string piece = ToEngineText(text);
  size_t total = xlsx::CharacterCount(box.text);
  if (start_ < 1 || static_cast<size_t>(start_) > total + 1) {
    throw ExcelError("文字位置が範囲外です: " + std::to_string(start_));
  }
  size_t first = static_cast<size_t>(start_ - 1);
  size_t count = length_ < 0 ? total - first : static_cast<size_t>(length_);
  size_t begin = ByteOffset(box.text, first);
  size_t end = ByteOffset(box.text, std::min(total, first + count));
  box.text.replace(begin, end - begin, piece);
}

int Characters::Count() const {
  size_t total = xlsx::CharacterCount(TextBoxOf(shape_).text);
  size_t first = static_cast<size_t>(std::max(start_, 1) - 1);
  if (first >= total) return 0;
  size_t rest = total - first;
  return static_cast<int>(length_ < 0 ? rest : std::min(rest, static_cast<size_t>(length_)));
}

void ConnectorFormat::Connect(bool begin, const Shape& box, int site) const {
  xlsx::DrawnShape& connector = shape_.Record();
  if (connector.kind != xlsx::DrawnShape::Kind::kConnector) {
    throw ExcelError("コネクタではありません");
  }
  if (!box.Sheet().SameSheet(shape_.Sheet())) {
    throw ExcelError("別のシートの図形には接続できません");
  }
  if (TextBoxOf(box).id == connector.id) throw ExcelError("コネクタ自身には接続できません");
  if (site < 0 || site > 4) {
    throw ExcelError("接続位置は1から4で指定してください: " + std::to_string(site));
  }
  xlsx::ConnectorEnd& end = begin ? connector.begin : connector.end;
  end.shape_id = box.id();
  end.site = site;
}

void ConnectorFormat::BeginConnect(const Shape& box, int site) const { Connect(true, box, site); }
void ConnectorFormat::EndConnect(const Shape& box, int site) const { Connect(false, box, site); }

int Shapes::Count() const {
  std::shared_ptr<xlsx::Worksheet> sheet = sheet_.Lock();
  return sheet->drawing ? static_cast<int>(sheet->drawing->shapes().size()) : 0;
}

Shape Shapes::Item(int index) const {
  std::shared_ptr<xlsx::Worksheet> sheet = sheet_.Lock();
  if (index < 1 || index > Count()) {
    throw ExcelError("図形の番号が範囲外です: " + std::to_string(index));
  }
  return Shape(sheet_, sheet->drawing->shapes()[static_cast<size_t>(index - 1)].id);
}

Shape Shapes::AddTextbox(int orientation, int left, int top, int width, int height) const {
  if (orientation != 1) throw ExcelError("横書きのテキストボックスだけを作成できます");
  if (width < 0 || height < 0) throw ExcelError("テキストボックスの大きさが正しくありません");
  std::shared_ptr<xlsx::Worksheet> sheet = sheet_.Lock();
  xlsx::Drawing& drawing =
      Guard([&]() -> xlsx::Drawing& { return sheet_.Parent().engine().DrawingOf(*sheet); });
  const int64_t pt = xlsx::kEmuPerPoint;
  xlsx::DrawnShape& box = drawing.AddTextBox({left * pt, top * pt, width * pt, height * pt});
  return Shape(sheet_, box.id);
}

Shape Shapes::AddConnector(int type, int begin_x, int begin_y, int end_x, int end_y) const {
  if (type < 1 || type > 3) {
    throw ExcelError("コネクタの種類は1から3で指定してください: " + std::to_string(type));
  }
  std::shared_ptr<xlsx::Worksheet> sheet = sheet_.Lock();
  xlsx::Drawing& drawing =
      Guard([&]() -> xlsx::Drawing& { return sheet_.Parent().engine().DrawingOf(*sheet); });
  const int64_t pt = xlsx::kEmuPerPoint;
  xlsx::DrawnShape& connector =
      drawing.AddConnector(static_cast<xlsx::ConnectorType>(type), {begin_x * pt, begin_y * pt},
                           {end_x * pt, end_y * pt});
  return Shape(sheet_, connector.id);
}

}  // namespace morvane::excel
