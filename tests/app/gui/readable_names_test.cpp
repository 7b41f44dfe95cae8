// Long names stay readable: the data tree scrolls sideways and shows full names as tooltips,
// and list headers show their whole caption as a tooltip.
#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>
#include <QTreeView>
#include <QTreeWidget>

#include "app/gui/browse/report_view.h"
#include "app/gui/readable_names.h"
#include "gui_test_support.h"

namespace morvane {
namespace {

const QString kLongName =
    QStringLiteral("SALES_HISTORY_BY_CUSTOMER_AND_REGION_FOR_THE_LAST_TWENTY_YEARS_顧客別売上履歴");

class ReadableTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeNamesReadable(&tree_);
    tree_.setHeaderHidden(true);
    tree_.resize(160, 200);
  }
  QTreeWidgetItem* AddNode(const QString& text) {
    auto* node = new QTreeWidgetItem(QStringList{text});
    tree_.addTopLevelItem(node);
    return node;
  }
  int ScrollRange() {
    tree_.show();
    QCoreApplication::processEvents();
    return tree_.horizontalScrollBar()->maximum();
  }
  QTreeWidget tree_;
};

TEST_F(ReadableTreeTest, ScrollsSidewaysOnlyWhenANameIsWiderThanTheTree) {
  AddNode(QStringLiteral("EMP"));
  EXPECT_EQ(ScrollRange(), 0);
  AddNode(kLongName);
  EXPECT_GT(ScrollRange(), 0);
}

TEST_F(ReadableTreeTest, ShowsTheFullNameUnderTheMouseAsTooltip) {
  AddNode(QStringLiteral("EMP"));
  QTreeWidgetItem* node = AddNode(kLongName);
  tree_.show();
  QCoreApplication::processEvents();
  const QPoint at = tree_.visualItemRect(node).topLeft() + QPoint(20, 2);
  QHelpEvent over(QEvent::ToolTip, at, tree_.viewport()->mapToGlobal(at));
  QCoreApplication::sendEvent(tree_.viewport(), &over);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), kLongName);

  const QPoint below(5, tree_.viewport()->height() - 2);  // no node there
  QHelpEvent empty(QEvent::ToolTip, below, tree_.viewport()->mapToGlobal(below));
  QCoreApplication::sendEvent(tree_.viewport(), &empty);
  EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
}

TEST(ReadableListHeaders, GiveTheirWholeCaptionAsTooltip) {
  std::unique_ptr<QTreeView> list(MakeReportView("ltvData"));
  SetReportColumns(list.get(),
                   {TListColumn{testing::Cp932("テーブル名（論理名）"), kValueKindText, 0, 20},
                    TListColumn{testing::Cp932("件数"), kValueKindNumber, 1, 40}});
  QAbstractItemModel* model = list->model();
  EXPECT_EQ(model->headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(),
            QStringLiteral("テーブル名（論理名）"));
  EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString(),
            QStringLiteral("件数"));
}

}  // namespace
}  // namespace morvane
