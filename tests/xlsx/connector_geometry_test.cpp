#include "xlsx/connector_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace morvane::xlsx {
namespace {

struct PointF {
  double x, y;
};

// A preset's corner points in its own frame, from its adjust values.
std::vector<PointF> LocalPath(const ConnectorGeometry& g) {
  double w = static_cast<double>(g.frame.cx), h = static_cast<double>(g.frame.cy);
  std::map<std::string, double> adj;
  for (const auto& [name, value] : g.adjust) adj[name] = static_cast<double>(value) / 100000;
  const std::string& p = g.preset;
  if (p == "straightConnector1") return {{0, 0}, {w, h}};
  if (p.back() == '2') return {{0, 0}, {w, 0}, {w, h}};
  if (p.back() == '3') return {{0, 0}, {adj["adj1"] * w, 0}, {adj["adj1"] * w, h}, {w, h}};
  if (p.back() == '4') {
    return {{0, 0},
            {adj["adj1"] * w, 0},
            {adj["adj1"] * w, adj["adj2"] * h},
            {w, adj["adj2"] * h},
            {w, h}};
  }
  return {{0, 0},
          {adj["adj1"] * w, 0},
          {adj["adj1"] * w, adj["adj2"] * h},
          {adj["adj3"] * w, adj["adj2"] * h},
          {adj["adj3"] * w, h},
          {w, h}};
}

// Where a frame point is drawn: flipped inside the frame, then turned about its centre.
PointF OnSheet(const ConnectorGeometry& g, PointF local) {
  double w = static_cast<double>(g.frame.cx), h = static_cast<double>(g.frame.cy);
  double u = (g.flip_h ? w - local.x : local.x) - w / 2;
  double v = (g.flip_v ? h - local.y : local.y) - h / 2;
  if (g.rotation == 5400000) {
    double t = u;
    u = -v;
    v = t;
  } else {
    EXPECT_EQ(g.rotation, 0);
  }
  return {static_cast<double>(g.frame.x) + w / 2 + u, static_cast<double>(g.frame.y) + h / 2 + v};
}

PointF Outward(int site) {
  switch (site) {
    case 1:
      return {0, -1};
    case 2:
      return {-1, 0};
    case 3:
      return {0, 1};
    default:
      return {1, 0};
  }
}

// The first and last non-empty segments of the drawn path.
std::pair<PointF, PointF> EndDirections(const std::vector<PointF>& path) {
  auto direction = [](PointF a, PointF b) {
    double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
    return len < 1 ? PointF{0, 0} : PointF{dx / len, dy / len};
  };
  PointF first{0, 0}, last{0, 0};
  for (size_t i = 1; i < path.size() && first.x == 0 && first.y == 0; ++i) {
    first = direction(path[i - 1], path[i]);
  }
  for (size_t i = path.size() - 1; i > 0 && last.x == 0 && last.y == 0; --i) {
    last = direction(path[i - 1], path[i]);
  }
  return {first, last};
}

TEST(ConnectorGeometryTest, EveryTypeAndSitePairStartsAndEndsOnTheSitesAndMeetsThemSquarely) {
  const Rect a{1000000, 1000000, 1905000, 1270000};
  // The second box to the right, below, to the left and above the first.
  const Rect others[] = {{5000000, 1400000, 1905000, 1270000},
                         {1300000, 4000000, 1905000, 1270000},
                         {-3500000, 600000, 1905000, 1270000},
                         {1500000, -2500000, 1905000, 1270000}};
  for (ConnectorType type :
       {ConnectorType::kStraight, ConnectorType::kElbow, ConnectorType::kCurved}) {
    for (const Rect& b : others) {
      for (int from = 1; from <= 4; ++from) {
        for (int to = 1; to <= 4; ++to) {
          SCOPED_TRACE(testing::Message() << "type " << static_cast<int>(type) << " sites " << from
                                          << "->" << to << " box at " << b.x << "," << b.y);
          Point begin = SitePoint(a, from), end = SitePoint(b, to);
          ConnectorGeometry g = RouteConnector(type, begin, from, end, to);
          ASSERT_GE(g.frame.cx, 0);
          ASSERT_GE(g.frame.cy, 0);
          std::vector<PointF> path;
          for (PointF p : LocalPath(g)) path.push_back(OnSheet(g, p));
          EXPECT_NEAR(path.front().x, begin.x, 2);
          EXPECT_NEAR(path.front().y, begin.y, 2);
          EXPECT_NEAR(path.back().x, end.x, 12702);  // a detour may widen a thin frame by 1 pt
          EXPECT_NEAR(path.back().y, end.y, 12702);
          if (type == ConnectorType::kStraight) continue;
          auto [leave, arrive] = EndDirections(path);
          PointF out = Outward(from), in = Outward(to);
          EXPECT_GT(leave.x * out.x + leave.y * out.y, 0.99);     // leaves straight out
          EXPECT_GT(-(arrive.x * in.x + arrive.y * in.y), 0.99);  // arrives straight in
        }
      }
    }
  }
}

TEST(ConnectorGeometryTest, FacingBoxesGetTheSimplestShapes) {
  const Rect a{0, 0, 1000000, 1000000};
  const Rect right{3000000, 500000, 1000000, 1000000};
  ConnectorGeometry elbow =
      RouteConnector(ConnectorType::kElbow, SitePoint(a, 4), 4, SitePoint(right, 2), 2);
  EXPECT_EQ(elbow.preset, "bentConnector3");
  EXPECT_EQ(elbow.rotation, 0);
  EXPECT_FALSE(elbow.flip_h);
  EXPECT_EQ(elbow.frame.x, 1000000);
  EXPECT_EQ(elbow.frame.cx, 2000000);
  const Rect below{200000, 3000000, 1000000, 1000000};
  ConnectorGeometry down =
      RouteConnector(ConnectorType::kCurved, SitePoint(a, 3), 3, SitePoint(below, 1), 1);
  EXPECT_EQ(down.preset, "curvedConnector3");
  EXPECT_EQ(down.rotation, 5400000);  // a vertical run is a horizontal preset turned a quarter
  ConnectorGeometry straight =
      RouteConnector(ConnectorType::kStraight, SitePoint(right, 2), 2, SitePoint(a, 4), 4);
  EXPECT_TRUE(straight.flip_h);
  EXPECT_TRUE(straight.flip_v);  // the left box sits higher
}

TEST(ConnectorGeometryTest, FacingSitesFollowTheErViewRule) {
  const Rect s{0, 0, 100, 100};
  EXPECT_EQ(FacingSites(s, {200, 0, 100, 100}), std::make_pair(4, 2));
  EXPECT_EQ(FacingSites(s, {-300, 50, 100, 100}), std::make_pair(2, 4));
  EXPECT_EQ(FacingSites(s, {50, 300, 100, 100}), std::make_pair(3, 1));
  EXPECT_EQ(FacingSites(s, {50, -300, 100, 100}), std::make_pair(1, 3));
  EXPECT_EQ(FacingSites(s, {100, 300, 100, 100}), std::make_pair(3, 1));  // touching edges
  EXPECT_EQ(FacingSites(s, s), std::make_pair(1, 3));                     // itself
}

}  // namespace
}  // namespace morvane::xlsx
