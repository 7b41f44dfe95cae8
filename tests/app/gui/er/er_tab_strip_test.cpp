// The row of sheet tabs on its own: which tab stays current as tabs move and go, where the
// tabs lie, and scrolling among more tabs than fit.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QStringList>
#include <functional>

#include "app/gui/er/er_tab_strip.h"

namespace morvane {
namespace {

QStringList Texts(const TERTabStrip& strip) {
  QStringList texts;
  for (int i = 0; i < strip.count(); ++i) texts << strip.tabText(i);
  return texts;
}

// Five tabs A..E with C current, then one change.
struct ChangeCase {
  const char* what;
  std::function<void(TERTabStrip&)> change;
  QStringList texts;
  int current;
  QList<int> currentSignals;  // currentChanged sent by the change
};

TEST(ERTabStripTest, TheCurrentTabFollowsMovesAndRemovals) {
  const ChangeCase cases[] = {
      {"current moved right",
       [](TERTabStrip& s) { s.moveTab(2, 4); },
       {"A", "B", "D", "E", "C"},
       4,
       {}},
      {"earlier tab moved past it",
       [](TERTabStrip& s) { s.moveTab(0, 3); },
       {"B", "C", "D", "A", "E"},
       1,
       {}},
      {"later tab moved before it",
       [](TERTabStrip& s) { s.moveTab(4, 0); },
       {"E", "A", "B", "C", "D"},
       3,
       {}},
      {"move out of range",
       [](TERTabStrip& s) { s.moveTab(1, 5); },
       {"A", "B", "C", "D", "E"},
       2,
       {}},
      {"earlier removed", [](TERTabStrip& s) { s.removeTab(0); }, {"B", "C", "D", "E"}, 1, {}},
      {"current removed: the right one",
       [](TERTabStrip& s) { s.removeTab(2); },
       {"A", "B", "D", "E"},
       2,
       {2}},
      {"last and current removed",
       [](TERTabStrip& s) {
         s.setCurrentIndex(4);
         s.removeTab(4);
       },
       {"A", "B", "C", "D"},
       3,
       {4, 3}},
      {"inserted before it",
       [](TERTabStrip& s) { s.insertTab(0, "Z"); },
       {"Z", "A", "B", "C", "D", "E"},
       3,
       {}},
      {"renamed",
       [](TERTabStrip& s) { s.setTabText(2, "受注"); },
       {"A", "B", "受注", "D", "E"},
       2,
       {}},
      {"cleared", [](TERTabStrip& s) { s.Clear(); }, {}, -1, {-1}},
  };
  for (const ChangeCase& c : cases) {
    SCOPED_TRACE(c.what);
    TERTabStrip strip;
    for (const char* name : {"A", "B", "C", "D", "E"}) strip.insertTab(strip.count(), name);
    strip.setCurrentIndex(2);
    QSignalSpy current(&strip, &TERTabStrip::currentChanged);
    c.change(strip);
    EXPECT_EQ(Texts(strip), c.texts);
    EXPECT_EQ(strip.currentIndex(), c.current);
    QList<int> sent;
    for (const QList<QVariant>& signal : current) sent << signal[0].toInt();
    EXPECT_EQ(sent, c.currentSignals);
  }
}

TEST(ERTabStripTest, TabsLieSideBySideAndScrollIntoView) {
  TERTabStrip strip;
  strip.resize(300, strip.sizeHint().height());
  strip.show();
  for (int i = 0; i < 200; ++i) strip.insertTab(i, QStringLiteral("シート%1").arg(i + 1));
  for (int i = 1; i < 200; ++i) {
    ASSERT_EQ(strip.tabRect(i).left(), strip.tabRect(i - 1).right() + 1) << i;
    ASSERT_EQ(strip.tabAt(strip.tabRect(i).center()), i) << i;
  }
  EXPECT_EQ(strip.tabAt(QPoint(-1, 1)), -1);
  EXPECT_FALSE(strip.CanScrollBack());
  EXPECT_TRUE(strip.CanScrollOn());

  // Choosing a tab far out brings it wholly into view.
  strip.setCurrentIndex(150);
  EXPECT_GE(strip.tabRect(150).left(), 0);
  EXPECT_LE(strip.tabRect(150).right(), strip.width() - 1);
  EXPECT_TRUE(strip.CanScrollBack());

  // Stepping back by one tab, then to the end and past it.
  const int first = strip.tabAt(QPoint(0, 1));
  const bool cut = strip.tabRect(first).left() < 0;  // a tab cut at the edge is the first step
  strip.ScrollBy(-1);
  EXPECT_EQ(strip.tabAt(QPoint(0, 1)), cut ? first : first - 1);
  EXPECT_EQ(strip.tabRect(strip.tabAt(QPoint(0, 1))).left(), 0);
  strip.ScrollBy(1000);
  EXPECT_FALSE(strip.CanScrollOn());
  EXPECT_EQ(strip.tabAt(QPoint(strip.width() - 1, 1)), 199);
  strip.ScrollBy(-1000);
  EXPECT_EQ(strip.tabAt(QPoint(0, 1)), 0);
  EXPECT_EQ(strip.tabRect(0).left(), 0);
}

}  // namespace
}  // namespace morvane
