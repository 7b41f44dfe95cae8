#include "excel/output_er.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <map>

#include "er/line_geometry.h"
#include "text/codec.h"

namespace morvane::excel {
namespace {

constexpr int kTextboxHorizontal = 1;
constexpr int kBoxShadow = 6;

int ClampToInt(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

}  // namespace

std::string ERBoxText(const TERTableRec& window, bool withType) {
  std::string text = window.caption;
  for (const TERColumnRec& column : window.columns) {
    if (!column.checked) continue;
    text += "\n ";
    text += column.keyMark;
    text += column.columnName;
    if (withType) {
      text += ' ';
      text += column.typeText;
    }
  }
  return text;
}

void PutTextInPieces(const Shape& box, const std::string& cp932) {
  int placed = 0;  // characters already in the box
  size_t at = 0;
  do {
    size_t end = at;
    int count = 0;
    while (end < cp932.size() && count < kTextPieceCharacters) {
      bool pair = IsCp932LeadByte(static_cast<unsigned char>(cp932[end])) && end + 1 < cp932.size();
      end += pair ? 2 : 1;
      ++count;
    }
    std::string piece = cp932.substr(at, end - at);
    if (at == 0) {
      box.TextFrame().Characters().SetText(piece);
    } else {
      box.TextFrame().Characters(placed + 1).Insert(piece);
    }
    placed += count;
    at = end;
  } while (at < cp932.size());
}

BoxPlace ERBoxPlace(const TERTableRec& window, const TFormatSettings& settings) {
  int64_t x = window.left;
  int64_t w = window.width;
  if (settings.erType == 0) {
    x = x * 2 / 3;
    w = w * 2 / 3;
  }
  return {ClampToInt(x + settings.erLeft), ClampToInt(int64_t{window.top} + settings.erTop),
          ClampToInt(w), window.height};
}

LineSites ERLineSites(const TTargetLine& line) {
  if ((line.fromSide == LineSide::Unknown || line.toSide == LineSide::Unknown) && line.fromWindow &&
      line.toWindow) {
    TLineGeometry geometry = ComputeLineGeometry(*line.fromWindow, *line.toWindow);
    return {geometry.fromSide, geometry.toSide};
  }
  return {line.fromSide, line.toSide};
}

void DrawERSheet(const Worksheet& sheet, const TERSheetRec& er, const TFormatSettings& settings) {
  // The box drawn for each window of this sheet.
  std::map<const TERTableRec*, Shape> boxes;
  for (const auto& window : er.tables) {
    BoxPlace place = ERBoxPlace(*window, settings);
    Shape box = sheet.Shapes().AddTextbox(kTextboxHorizontal, place.left, place.top, place.width,
                                          place.height);
    box.Shadow().SetType(kBoxShadow);
    PutTextInPieces(box, ERBoxText(*window, settings.erType == 1));
    boxes.try_emplace(window.get(), box);
  }
  for (const auto& line : er.lines) {
    Shape connector = sheet.Shapes().AddConnector(settings.lineType, 0, 0, 0, 0);
    LineSites sites = ERLineSites(*line);
    if (auto from = boxes.find(line->fromWindow); from != boxes.end()) {
      connector.ConnectorFormat().BeginConnect(from->second, LineSideCode(sites.from));
    }
    if (auto to = boxes.find(line->toWindow); to != boxes.end()) {
      connector.ConnectorFormat().EndConnect(to->second, LineSideCode(sites.to));
    }
  }
}

}  // namespace morvane::excel
