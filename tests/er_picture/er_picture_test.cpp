// Pictures of ER sheets: drawn area, content, file formats and the command-line tool.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>

#include "er/er_sheets.h"
#include "er/er_tables.h"
#include "er_picture/er_picture.h"
#include "project/new_project.h"
#include "project/project_writer.h"
#include "text/codec.h"

namespace morvane {
namespace {

// A sheet of three windows, two lines and a column left unticked.
void FillDemoSheet(TERSheetRec& sheet) {
  auto add = [&sheet](const char* name, const char* caption, int left, int top) -> TERTableRec& {
    TERTableRec& t = AddERTable(sheet, name, ToCp932(caption), left, top, 160, 110);
    for (const char* column : {"ID", "NAME", "CREATED_AT"}) {
      TERColumnRec c{column == std::string("ID") ? "*" : " ", column, "NUMBER(10)", true, {}};
      c.listText = ERColumnListText(c, 2);
      t.columns.push_back(c);
    }
    return t;
  };
  TERTableRec& orders = add("Table1", "受注", 40, 30);
  TERTableRec& customer = add("Table2", "顧客", 300, 30);
  TERTableRec& product = add("Table3", "商品", 60, 220);
  orders.columns[2].checked = false;
  AddERLine(sheet, &orders, &customer);
  AddERLine(sheet, &orders, &product);
}

int NonWhitePixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) != qRgb(255, 255, 255);
  }
  return count;
}

bool HasBlackAt(const QImage& image, QPoint p) { return image.pixel(p) == qRgb(0, 0, 0); }

TEST(ERPictureTest, APngIsCroppedToTheWindowsAndShowsTheLines) {
  TERSheetRec sheet;
  FillDemoSheet(sheet);
  EXPECT_EQ(ERPictureArea(sheet), QRect(32, 22, 436, 316));
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("sheet.PNG"));
  QString error;
  ASSERT_TRUE(SaveERSheetPicture(sheet, path, &error)) << error.toStdString();
  QImage image(path);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(436, 316));
  EXPECT_GT(NonWhitePixels(image), 5000);
  // The line from 受注's right edge to 顧客's left edge at mid-height (y = 85), shifted by the
  // crop; 2 pixels wide.
  const QPoint crop(32, 22);
  EXPECT_TRUE(HasBlackAt(image, QPoint(250, 85) - crop));
  EXPECT_TRUE(HasBlackAt(image, QPoint(250, 84) - crop));
  // Between the windows nothing else is drawn.
  EXPECT_EQ(image.pixel(QPoint(250, 120) - crop), qRgb(255, 255, 255));
}

TEST(ERPictureTest, AnSvgHoldsCaptionsAndCheckedColumnsOnly) {
  TERSheetRec sheet;
  FillDemoSheet(sheet);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("sheet.svg"));
  QString error;
  ASSERT_TRUE(SaveERSheetPicture(sheet, path, &error)) << error.toStdString();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString svg = QString::fromUtf8(file.readAll());
  EXPECT_TRUE(svg.contains(QStringLiteral("<svg")));
  EXPECT_TRUE(svg.contains(QStringLiteral("width=\"436")));
  EXPECT_TRUE(svg.contains(QStringLiteral("受注")));
  EXPECT_TRUE(svg.contains(QStringLiteral("*ID  NUMBER(10)")));
  EXPECT_EQ(svg.count(QStringLiteral("CREATED_AT")), 2);  // unticked in 受注 only
}

TEST(ERPictureTest, EmptySheetsUnknownFormatsAndPathsForSeveralSheets) {
  TERSheetRec empty;
  empty.name = ToCp932("空");
  QTemporaryDir dir;
  QString error;
  EXPECT_FALSE(SaveERSheetPicture(empty, dir.filePath(QStringLiteral("e.png")), &error));
  EXPECT_EQ(error, QStringLiteral("「空」シートにはテーブルがありません。"));
  FillDemoSheet(empty);
  EXPECT_FALSE(SaveERSheetPicture(empty, dir.filePath(QStringLiteral("e.bmp")), &error));
  EXPECT_FALSE(SaveERSheetPicture(empty, dir.filePath(QStringLiteral("none/e.png")), &error));
  EXPECT_EQ(ERSheetPicturePath(QStringLiteral("/tmp/er.png"), QStringLiteral("受注/明細")),
            QStringLiteral("/tmp/er_受注_明細.png"));
  EXPECT_EQ(ERSheetPicturePath(QStringLiteral("/tmp/er"), QStringLiteral("A")),
            QStringLiteral("/tmp/er_A"));
}

class ERImageCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    NewProject(store_, Product::Oracle8, EstimateTextWidth);
    AddERSheet(store_.er).name = "Orders";
    FillDemoSheet(*store_.er.Current());
    project_ = dir_.filePath(QStringLiteral("demo.vnk")).toStdString();
    ASSERT_TRUE(SaveProjectFile(store_, project_, nullptr).ok);
  }
  int Run(const std::string& args) {
    const std::string command = std::string(MORVANE_CLI) + " er-image " + args + " 2>" +
                                dir_.filePath(QStringLiteral("err.txt")).toStdString();
    return WEXITSTATUS(std::system(command.c_str()));
  }
  std::string Errors() {
    QFile file(dir_.filePath(QStringLiteral("err.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
  }

  TCatalogueStore store_;
  QTemporaryDir dir_;
  std::string project_;
};

TEST_F(ERImageCommandTest, DrawsTheNamedSheetHeadless) {
  const std::string out = dir_.filePath(QStringLiteral("orders.png")).toStdString();
  ASSERT_EQ(Run(project_ + " --sheet orders --out " + out), 0) << Errors();
  QImage image(QString::fromStdString(out));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(436, 316));
  EXPECT_GT(NonWhitePixels(image), 5000);
  // Kept for looking at by eye.
  QFile::remove(QStringLiteral(MORVANE_TEST_OUTPUT_DIR "/er-demo.png"));
  QFile::copy(QString::fromStdString(out), QStringLiteral(MORVANE_TEST_OUTPUT_DIR "/er-demo.png"));

  const std::string svg = dir_.filePath(QStringLiteral("orders.svg")).toStdString();
  EXPECT_EQ(Run(project_ + " --sheet Orders --out " + svg), 0) << Errors();
  EXPECT_TRUE(QFile::exists(QString::fromStdString(svg)));
}

TEST_F(ERImageCommandTest, RefusesUnknownSheetsEmptySheetsAndBadArguments) {
  const std::string out = dir_.filePath(QStringLiteral("x.png")).toStdString();
  EXPECT_EQ(Run(project_ + " --sheet nope --out " + out), 1);
  EXPECT_NE(Errors().find("シート「nope」がありません。"), std::string::npos);
  EXPECT_EQ(Run(project_ + " --out " + out), 1);  // the first sheet has no windows
  EXPECT_NE(Errors().find("テーブルがありません"), std::string::npos);
  EXPECT_EQ(Run(project_), 2);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(out)));
}

}  // namespace
}  // namespace morvane
