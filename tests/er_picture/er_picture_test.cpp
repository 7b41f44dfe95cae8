// Pictures of ER sheets: drawn area, content, file formats and the command-line tool.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cstdlib>
#include <map>
#include <vector>

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

// Every text of an SVG picture names the Japanese fonts a Linux desktop has after the Windows
// one, and is clipped to the box it stands in: a caption to its title bar, columns to the list.
TEST(ERPictureTest, SvgTextNamesLinuxFontsAndIsClippedToItsBox) {
  TERSheetRec sheet;
  FillDemoSheet(sheet);
  sheet.tables[1]->columns[1].listText = std::string(60, 'W');  // far wider than its window
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("sheet.svg"));
  QString error;
  ASSERT_TRUE(SaveERSheetPicture(sheet, path, &error)) << error.toStdString();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  std::map<QString, QRectF> clips;
  struct Text {
    QPointF at;
    QString clip, family, content;
  };
  std::vector<Text> texts;
  QXmlStreamReader xml(&file);
  QString clip_id;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QXmlStreamAttributes a = xml.attributes();
    if (xml.name() == QLatin1String("clipPath")) clip_id = a.value("id").toString();
    if (xml.name() == QLatin1String("rect") && !clip_id.isEmpty()) {
      clips[clip_id] = QRectF(a.value("x").toDouble(), a.value("y").toDouble(),
                              a.value("width").toDouble(), a.value("height").toDouble());
      clip_id.clear();
    }
    if (xml.name() == QLatin1String("text")) {
      Text t{QPointF(a.value("x").toDouble(), a.value("y").toDouble()),
             a.value("clip-path").toString(),
             a.value("font-family").toString(),
             {}};
      t.content = xml.readElementText();
      texts.push_back(t);
    }
  }
  ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  ASSERT_GE(texts.size(), 3u + 8u);  // three captions, eight ticked columns
  for (const Text& t : texts) {
    EXPECT_TRUE(
        t.family.startsWith(QStringLiteral("'ＭＳ Ｐゴシック', 'Noto Sans CJK JP', "
                                           "'IPAexGothic'")))
        << t.family.toStdString();
    const QString id = t.clip.mid(5, t.clip.size() - 6);  // url(#id)
    ASSERT_TRUE(clips.count(id)) << t.clip.toStdString();
    EXPECT_TRUE(clips[id].contains(t.at + QPointF(1, -1))) << t.content.toStdString();
    if (t.content.startsWith(QStringLiteral("WWWW"))) {
      EXPECT_LE(clips[id].right(), 300 - 32 + 160);  // 顧客's right edge in the picture
    }
  }
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

// A picture is written complete or not at all: a write that fails (here at a file-size limit)
// fails the command and leaves the old picture as it was.
TEST_F(ERImageCommandTest, AFailedWriteLeavesTheOldPictureAndFails) {
  for (const char* name : {"old.svg", "old.png"}) {
    SCOPED_TRACE(name);
    const QString out = dir_.filePath(QLatin1String(name));
    const QByteArray before(900, 'x');
    {
      QFile file(out);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(before);
    }
    // 1 KB at most per file; the picture needs more.
    const std::string command = "bash -c \"ulimit -f 1; trap '' XFSZ; exec " +
                                std::string(MORVANE_CLI) + " er-image " + project_ +
                                " --sheet Orders --out " + out.toStdString() + "\" 2>" +
                                dir_.filePath(QStringLiteral("err.txt")).toStdString();
    EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 1);
    EXPECT_NE(Errors().find("に保存できませんでした。"), std::string::npos) << Errors();
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
  }
}

// The picture covers the windows, wherever they are, and stays within the pixel limits.
TEST(ERPictureTest, FarAndHugeSheetsGiveBoundedPictures) {
  struct Case {
    const char* name;
    QPoint first, second;
    bool scaled;
  };
  const Case cases[] = {
      {"one window far out", {30000, 30000}, {30300, 30000}, false},
      {"windows far apart", {0, 0}, {40000, 0}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TERSheetRec sheet;
    AddERTable(sheet, "Table1", "A", c.first.x(), c.first.y(), 160, 110);
    AddERTable(sheet, "Table2", "B", c.second.x(), c.second.y(), 160, 110);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("far.png"));
    QString error, note;
    ASSERT_TRUE(SaveERSheetPicture(sheet, path, &error, &note)) << error.toStdString();
    const QImage image(path);
    const QRect area = ERPictureArea(sheet);
    EXPECT_LE(qint64(image.width()) * image.height(), kMaxERPicturePixels);
    EXPECT_LE(std::max(image.width(), image.height()), kMaxERPictureSide);
    EXPECT_EQ(note.isEmpty(), !c.scaled) << note.toStdString();
    if (c.scaled) {
      EXPECT_NE(note.indexOf(QStringLiteral("縮小しました")), -1);
    } else {
      EXPECT_EQ(image.size(), area.size());
    }
  }
}

}  // namespace
}  // namespace morvane
