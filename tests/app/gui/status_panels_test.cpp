// The status bar's panels: never narrower than their set widths, wider when a text needs it,
// with the progress bar kept clear of them.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLayout>
#include <QProgressBar>
#include <QStatusBar>

#include "main_window_fixture.h"

namespace morvane {
namespace {

class StatusPanelsTest : public testing::MainWindowTest {
 protected:
  QLabel* Panel(int i) {
    return Window().findChild<QLabel*>(QStringLiteral("stbMsgPanel%1").arg(i));
  }
  // Whether the panel's text fits inside it, frame included.
  bool Fits(int i) {
    QLabel* panel = Panel(i);
    const int needed =
        panel->fontMetrics().horizontalAdvance(panel->text()) + 2 * panel->frameWidth();
    return needed <= panel->width();
  }
  void Settle() {
    Window().statusBar()->layout()->activate();
    QCoreApplication::processEvents();
  }
};

TEST_F(StatusPanelsTest, GrowForLongTextsAndShrinkBackToTheirWidths) {
  const int least[] = {70, 130, 50};
  const QString long_texts[] = {
      QStringLiteral("Oracle 8 (データベース製品名)"),
      QStringLiteral("接続中: DSN=営業データベース_本番環境 / USER=SCOTT"),
      QStringLiteral("データ件数取得 123/600")};
  for (int i = 0; i < 3; ++i) {
    Window().SetStatusText(i, long_texts[i]);
    Settle();
    EXPECT_GT(Panel(i)->width(), least[i]) << i;
    EXPECT_TRUE(Fits(i)) << i;
  }
  EXPECT_GE(Window().Progress().Bar()->x(),
            Panel(2)->mapTo(&Window(), QPoint(Panel(2)->width(), 0)).x());

  for (int i = 0; i < 3; ++i) Window().SetStatusText(i, QStringLiteral("済"));
  Settle();
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Panel(i)->width(), least[i]) << i;
  EXPECT_EQ(Window().Progress().Bar()->x(), 270);
}

TEST_F(StatusPanelsTest, FollowALargerFont) {
  Window().SetStatusText(1, QStringLiteral("未接続です"));
  QFont large = Panel(1)->font();
  large.setPointSizeF(large.pointSizeF() * 3);
  Panel(1)->setFont(large);
  Settle();
  EXPECT_TRUE(Fits(1));
  EXPECT_GT(Panel(1)->width(), 130);
}

}  // namespace
}  // namespace morvane
