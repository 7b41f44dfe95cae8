// The save prompt on New, Open, dropped files and close, and opening and saving projects.
#include <QTemporaryDir>
#include <QTreeWidget>

#include "main_window_fixture.h"

namespace morvane {
namespace {

using testing::Cp932;
using testing::MainWindowTest;

// A modified, never-saved Oracle 8 project.
class SavePromptTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Window().FileNew(Product::Oracle8);
    Store().SetModified();
    Window().ToolBarEnabled();
  }
  bool Prompted() const {
    return prompt_.shown.size() == 1 && prompt_.shown[0].kind == PromptKind::kConfirm &&
           prompt_.shown[0].text == Cp932("保存しますか？");
  }
  void ExpectUnchanged() {
    EXPECT_EQ(Store().product, Product::Oracle8);
    EXPECT_TRUE(Store().modified);
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("Morvane - [Oracle 8 新規作成]"));
  }
};

TEST_F(SavePromptTest, NewCancelledKeepsEverything) {
  prompt_.answers = {PromptButton::kCancel};
  Window().FileNew(Product::Oracle7);
  EXPECT_TRUE(Prompted());
  ExpectUnchanged();
}

TEST_F(SavePromptTest, NewWithNoDiscardsTheChanges) {
  prompt_.answers = {PromptButton::kNo};
  Window().FileNew(Product::Oracle7);
  EXPECT_TRUE(Prompted());
  EXPECT_EQ(Store().product, Product::Oracle7);
  EXPECT_FALSE(Store().modified);
  EXPECT_EQ(chooser_.saveCalls, 0);
}

TEST_F(SavePromptTest, NewWithYesAsksForAPathAndCancellingThatCancelsNew) {
  prompt_.answers = {PromptButton::kYes};
  Window().FileNew(Product::Oracle7);
  EXPECT_TRUE(Prompted());
  EXPECT_EQ(chooser_.saveCalls, 1);
  ExpectUnchanged();
}

TEST_F(SavePromptTest, OpenCancelledAsksForNoFile) {
  prompt_.answers = {PromptButton::kCancel};
  mnuFile_OpenClick(Window());
  EXPECT_TRUE(Prompted());
  EXPECT_EQ(chooser_.openCalls, 0);
  ExpectUnchanged();
}

TEST_F(SavePromptTest, OpenWithNoGoesToTheOpenDialog) {
  prompt_.answers = {PromptButton::kNo};
  mnuFile_OpenClick(Window());  // the dialog is cancelled: nothing changes
  EXPECT_EQ(chooser_.openCalls, 1);
  ExpectUnchanged();
}

TEST_F(SavePromptTest, OpenWithYesAndSaveAsCancelledStops) {
  prompt_.answers = {PromptButton::kYes};
  mnuFile_OpenClick(Window());
  EXPECT_EQ(chooser_.saveCalls, 1);
  EXPECT_EQ(chooser_.openCalls, 0);
  ExpectUnchanged();
}

TEST_F(SavePromptTest, DropAsksFirstAndCancelKeepsEverything) {
  QTemporaryDir dir;
  QString other = dir.filePath(QStringLiteral("other.vnk"));
  prompt_.answers = {PromptButton::kCancel};
  Drop({other});
  EXPECT_TRUE(Prompted());
  ExpectUnchanged();

  prompt_.shown.clear();
  prompt_.answers = {PromptButton::kYes};
  Drop({other});  // Save As cancelled
  EXPECT_TRUE(Prompted());
  EXPECT_EQ(chooser_.saveCalls, 1);
  ExpectUnchanged();
}

TEST_F(SavePromptTest, DropOfAMissingFileAfterNoIsIgnoredSilently) {
  prompt_.answers = {PromptButton::kNo};
  Drop({QStringLiteral("/nonexistent/folder/x.vnk")});
  EXPECT_TRUE(Prompted());
  EXPECT_EQ(Store().product, Product::Oracle8);
  EXPECT_EQ(prompt_.shown.size(), 1u);
}

TEST_F(SavePromptTest, CloseCancelledOrSaveAsCancelledKeepsTheWindowOpen) {
  prompt_.answers = {PromptButton::kCancel};
  EXPECT_FALSE(Window().close());
  EXPECT_TRUE(Window().isVisible());
  EXPECT_TRUE(Prompted());

  prompt_.shown.clear();
  prompt_.answers = {PromptButton::kYes};
  EXPECT_FALSE(Window().close());
  EXPECT_TRUE(Window().isVisible());
  EXPECT_EQ(chooser_.saveCalls, 1);
}

TEST_F(SavePromptTest, CloseWithNoDisconnectsAndCloses) {
  ConnectToEmulator();
  prompt_.answers = {PromptButton::kNo};
  EXPECT_TRUE(Window().close());
  EXPECT_FALSE(Window().Connected());
}

TEST_F(MainWindowTest, NoSavePromptWithoutAProject) {
  Store().SetModified();
  Window().FileNew(Product::RedBrick);
  EXPECT_TRUE(prompt_.shown.empty());
  EXPECT_EQ(Store().product, Product::RedBrick);

  Store().product = Product::None;
  Store().SetModified();
  EXPECT_TRUE(Window().close());
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(MainWindowTest, NoSavePromptWithoutChanges) {
  Window().FileNew(Product::RedBrick);
  EXPECT_TRUE(Window().close());
  EXPECT_TRUE(prompt_.shown.empty());
}

}  // namespace
}  // namespace morvane
