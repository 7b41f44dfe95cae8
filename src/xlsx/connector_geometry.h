// Where a connector between two boxes lies and which preset shape draws it, so that a reader
// draws the line correctly without routing it again. Coordinates are EMUs (1 pt = 12700).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace morvane::xlsx {

enum class ConnectorType { kStraight = 1, kElbow = 2, kCurved = 3 };

struct Point {
  int64_t x = 0;
  int64_t y = 0;
};

struct Rect {
  int64_t x = 0;
  int64_t y = 0;
  int64_t cx = 0;
  int64_t cy = 0;
};

// Connection sites of a box: 1 top, 2 left, 3 bottom, 4 right (the midpoints of the edges).
Point SitePoint(const Rect& box, int site);

// The sites at which a line from box `from` to box `to` meets them, as the ER view draws it:
// facing vertical edges when the boxes do not overlap horizontally, else facing horizontal
// edges. Returns {from site, to site}.
std::pair<int, int> FacingSites(const Rect& from, const Rect& to);

struct ConnectorGeometry {
  std::string preset;  // straightConnector1, bentConnector2..5, curvedConnector2..5
  Rect frame;          // the unrotated frame (a:xfrm off/ext)
  int rotation = 0;    // in 60000ths of a degree
  bool flip_h = false;
  bool flip_v = false;
  std::vector<std::pair<std::string, int64_t>> adjust;  // adj1.. values in 1/100000 of a side
};

// Routes a connector from `begin` leaving in direction begin_site to `end` arriving at
// end_site (sites as above; 0 for a loose end, which takes the direction facing the other end).
ConnectorGeometry RouteConnector(ConnectorType type, Point begin, int begin_site, Point end,
                                 int end_site);

}  // namespace morvane::xlsx
