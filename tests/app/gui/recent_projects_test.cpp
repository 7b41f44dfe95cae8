// The recent-projects list and the window-on-screen arithmetic, apart from any widget.
#include <gtest/gtest.h>

#include <QDir>

#include "app/gui/recent_projects.h"
#include "app/gui/screen_fit.h"

namespace morvane {
namespace {

QStringList Files(std::initializer_list<const char*> names) {
  QStringList paths;
  for (const char* name : names) paths << QStringLiteral("/p/%1.vnk").arg(QLatin1String(name));
  return paths;
}

TEST(RecentProjects, KeepsTheMostRecentFirstAndEachFileOnce) {
  TRecentProjects recent;
  for (const char* name : {"a", "b", "c", "b"}) recent.Add(Files({name}).first());
  EXPECT_EQ(recent.Paths(), Files({"b", "c", "a"}));
  // The same file by another spelling is the same entry.
  recent.Add(QStringLiteral("/p/x/../a.vnk"));
  EXPECT_EQ(recent.Paths(), Files({"a", "b", "c"}));
}

TEST(RecentProjects, DropsTheOldestBeyondEight) {
  TRecentProjects recent;
  for (const char* name : {"1", "2", "3", "4", "5", "6", "7", "8", "9"}) {
    recent.Add(Files({name}).first());
  }
  EXPECT_EQ(recent.Paths(), Files({"9", "8", "7", "6", "5", "4", "3", "2"}));
}

TEST(RecentProjects, ReadsAStoredListBackCleaned) {
  QStringList stored = Files({"a", "b", "a", "c", "d", "e", "f", "g", "h", "i"});
  stored.insert(1, QString());
  EXPECT_EQ(TRecentProjects(stored).Paths(), Files({"a", "b", "c", "d", "e", "f", "g", "h"}));
}

TEST(RecentProjects, RemovesOnlyTheNamedFile) {
  TRecentProjects recent(Files({"a", "b", "c"}));
  EXPECT_TRUE(recent.Remove(QStringLiteral("/p/b.vnk")));
  EXPECT_FALSE(recent.Remove(QStringLiteral("/p/b.vnk")));
  EXPECT_EQ(recent.Paths(), Files({"a", "c"}));
}

TEST(RecentProjects, ListsARelativePathAsAbsolute) {
  TRecentProjects recent;
  recent.Add(QStringLiteral("plan.vnk"));
  EXPECT_EQ(recent.Paths(), QStringList{QDir::current().absoluteFilePath("plan.vnk")});
}

TEST(FitIntoArea, MovesAndShrinksTheFrameIntoTheArea) {
  struct Case {
    const char* what;
    QRect frame;
    QRect available;
    QRect expected;
  };
  const QRect screen(0, 0, 1400, 860);  // 1400x900 less a 40-pixel panel
  const Case cases[] = {
      {"fits already", QRect(100, 80, 800, 560), screen, QRect(100, 80, 800, 560)},
      {"off the right edge", QRect(900, 80, 800, 560), screen, QRect(600, 80, 800, 560)},
      {"off the bottom edge", QRect(100, 500, 800, 560), screen, QRect(100, 300, 800, 560)},
      {"above and left of it", QRect(-50, -20, 800, 560), screen, QRect(0, 0, 800, 560)},
      {"from a larger screen", QRect(300, 200, 1920, 1080), screen, QRect(0, 0, 1400, 860)},
      {"too tall only", QRect(200, 100, 600, 1000), screen, QRect(200, 0, 600, 860)},
      // The same screen at scale 1.75 offers 800x491 logical pixels below the panel.
      {"scaled screen", QRect(20, 20, 900, 620), QRect(0, 0, 800, 491), QRect(0, 0, 800, 491)},
      {"area with an offset", QRect(0, 0, 500, 400), QRect(1400, 30, 1024, 738),
       QRect(1400, 30, 500, 400)},
      {"no area known", QRect(10, 10, 300, 200), QRect(), QRect(10, 10, 300, 200)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitIntoArea(c.frame, c.available), c.expected) << c.what;
  }
}

}  // namespace
}  // namespace morvane
