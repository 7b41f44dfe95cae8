// Table window sizes that show their content: the caption and every checked column line whole,
// within caps beyond which the window scrolls, and never below the default 150 x 150.
#pragma once

#include <functional>
#include <string_view>

#include "model/er_data.h"

namespace morvane {

// Text widths in pixels of CP932 text: the caption in the title bar's font and a column line
// in the column list's font.
struct TERTextMeasure {
  std::function<int(std::string_view cp932)> caption;
  std::function<int(std::string_view cp932)> column;

  explicit operator bool() const { return caption && column; }
};

// Largest size a window is fitted to; a longer or wider table scrolls.
constexpr int kERFitMaxWidth = 520;
constexpr int kERFitMaxHeight = 640;

struct TERSize {
  int width = kDefaultERTableSize;
  int height = kDefaultERTableSize;
  bool operator==(const TERSize&) const = default;
};

// The outer size that shows the window's caption and checked column lines whole.
TERSize FitERTableSize(const TERTableRec& table, const TERTextMeasure& measure);

// Sizes a window just placed from a table to its content when a measure is given; without one
// it keeps the size it was given.
void FitPlacedERTable(TERTableRec& table, const TERTextMeasure* measure);

// Sizes every window of the sheet to its content. Returns the number of windows whose size
// changed.
int FitERTables(TERSheetRec& sheet, const TERTextMeasure& measure);

}  // namespace morvane
