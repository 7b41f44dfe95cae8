#include "xlsx/connector_geometry.h"

#include <algorithm>
#include <cstdlib>

namespace morvane::xlsx {
namespace {

constexpr int64_t kDetour = 254000;    // 20 pt: how far a line runs out before turning back
constexpr int64_t kMinSpan = 12700;    // 1 pt: the least frame size that can carry a detour
constexpr int kQuarterTurn = 5400000;  // 90 degrees

struct Vec {
  int64_t x = 0;
  int64_t y = 0;
};

Vec SiteDirection(int site) {
  switch (site) {
    case 1:
      return {0, -1};
    case 2:
      return {-1, 0};
    case 3:
      return {0, 1};
    case 4:
      return {1, 0};
    default:
      return {0, 0};
  }
}

// A loose end leaves (or arrives) facing the other end along the other end's axis, or along the
// longer axis of the line when both are loose.
Vec LooseDirection(Vec other_direction, Vec toward_other) {
  if (other_direction.x != 0) return {toward_other.x >= 0 ? 1 : -1, 0};
  if (other_direction.y != 0) return {0, toward_other.y >= 0 ? 1 : -1};
  if (std::llabs(toward_other.x) >= std::llabs(toward_other.y)) {
    return {toward_other.x >= 0 ? 1 : -1, 0};
  }
  return {0, toward_other.y >= 0 ? 1 : -1};
}

// Rotating by a quarter turn clockwise (y points down): (u, v) -> (-v, u); and back.
Vec Rotate(Vec v, bool quarter) { return quarter ? Vec{-v.y, v.x} : v; }
Vec Unrotate(Vec v, bool quarter) { return quarter ? Vec{v.y, -v.x} : v; }

int64_t Ratio(int64_t part, int64_t whole) { return part * 100000 / whole; }

ConnectorGeometry Straight(Point begin, Point end) {
  ConnectorGeometry g;
  g.preset = "straightConnector1";
  g.frame = {std::min(begin.x, end.x), std::min(begin.y, end.y), std::llabs(end.x - begin.x),
             std::llabs(end.y - begin.y)};
  g.flip_h = end.x < begin.x;
  g.flip_v = end.y < begin.y;
  return g;
}

}  // namespace

Point SitePoint(const Rect& box, int site) {
  switch (site) {
    case 1:
      return {box.x + box.cx / 2, box.y};
    case 2:
      return {box.x, box.y + box.cy / 2};
    case 3:
      return {box.x + box.cx / 2, box.y + box.cy};
    case 4:
      return {box.x + box.cx, box.y + box.cy / 2};
    default:
      return {box.x + box.cx / 2, box.y + box.cy / 2};
  }
}

std::pair<int, int> FacingSites(const Rect& from, const Rect& to) {
  int64_t from_right = from.x + from.cx, to_right = to.x + to.cx;
  if (from_right < to.x || from.x > to_right) {
    return to.x < from_right ? std::pair{2, 4} : std::pair{4, 2};
  }
  return from.y + from.cy > to.y ? std::pair{1, 3} : std::pair{3, 1};
}

namespace {

// The preset's shape number and adjust values, in the preset's own frame, for a path of span
// w x h that leaves along `e1` and meets an edge whose outward normal is `e2`. A span too short
// for the detour grows to kMinSpan.
int ShapeAndAdjust(Vec e1, Vec e2, int64_t& w, int64_t& h, ConnectorGeometry& g) {
  int shape = 3;
  bool forward = e1.x > 0;
  if (e2.x != 0) {  // arrives horizontally too
    bool arrives_forward = e2.x < 0;
    if (forward && arrives_forward) {
      g.adjust = {{"adj1", 50000}};
    } else {
      w = std::max(w, kMinSpan);
      if (forward) {
        g.adjust = {{"adj1", Ratio(w + kDetour, w)}};
      } else if (arrives_forward) {
        g.adjust = {{"adj1", Ratio(-kDetour, w)}};
      } else {
        shape = 5;
        g.adjust = {{"adj1", Ratio(-kDetour, w)}, {"adj2", 50000}, {"adj3", Ratio(w + kDetour, w)}};
      }
    }
  } else {  // arrives vertically
    bool arrives_downward = e2.y < 0;
    if (forward && arrives_downward) {
      shape = 2;
    } else {
      shape = 4;
      w = std::max(w, kMinSpan);
      h = std::max(h, kMinSpan);
      int64_t adj1 = forward ? std::max<int64_t>(50000, Ratio(kDetour, w)) : Ratio(-kDetour, w);
      int64_t adj2 = arrives_downward ? 50000 : Ratio(h + kDetour, h);
      g.adjust = {{"adj1", adj1}, {"adj2", adj2}};
    }
  }
  return shape;
}

}  // namespace

ConnectorGeometry RouteConnector(ConnectorType type, Point begin, int begin_site, Point end,
                                 int end_site) {
  if (type == ConnectorType::kStraight) return Straight(begin, end);

  Vec toward_end{end.x - begin.x, end.y - begin.y};
  Vec leave = SiteDirection(begin_site);  // the way the line leaves the first box
  Vec outward = SiteDirection(end_site);  // the outward normal of the second box's edge
  if (leave.x == 0 && leave.y == 0) leave = LooseDirection(Vec{-outward.x, -outward.y}, toward_end);
  if (outward.x == 0 && outward.y == 0) {
    Vec arrive = LooseDirection(leave, toward_end);
    outward = {-arrive.x, -arrive.y};
  }

  // The presets start by running along +x; a line that leaves vertically is turned a quarter.
  bool quarter = leave.x == 0;
  Vec local = Unrotate(toward_end, quarter);
  bool flip_h = local.x < 0, flip_v = local.y < 0;
  auto to_local = [&](Vec v) {
    Vec u = Unrotate(v, quarter);
    return Vec{flip_h ? -u.x : u.x, flip_v ? -u.y : u.y};
  };
  Vec e1 = to_local(leave);
  Vec e2 = to_local(outward);
  int64_t w = std::llabs(local.x), h = std::llabs(local.y);

  ConnectorGeometry g;
  const char* family = type == ConnectorType::kElbow ? "bentConnector" : "curvedConnector";
  const int shape = ShapeAndAdjust(e1, e2, w, h, g);
  g.preset = std::string(family) + std::to_string(shape);
  g.flip_h = flip_h;
  g.flip_v = flip_v;
  g.rotation = quarter ? kQuarterTurn : 0;

  // Place the frame so that the path's start, after flipping and turning about the frame's
  // centre, lands on `begin`.
  Vec start_from_centre{flip_h ? w / 2 : -w / 2, flip_v ? h / 2 : -h / 2};
  Vec turned = Rotate(start_from_centre, quarter);
  int64_t centre_x = begin.x - turned.x, centre_y = begin.y - turned.y;
  g.frame = {centre_x - w / 2, centre_y - h / 2, w, h};
  return g;
}

}  // namespace morvane::xlsx
