// The real message boxes: captions, button labels, default and Escape buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/gui/message_prompt.h"
#include "gui_test_support.h"

namespace morvane {
namespace {

using testing::Cp932;
using testing::ModalDriver;

struct SeenBox {
  QString title;
  QString text;
  QStringList buttons;
  QString defaultButton;
  QString escapeButton;
};

// A step that records the box and then presses a key on it.
ModalDriver::Step Inspect(SeenBox& seen, Qt::Key key) {
  return [&seen, key](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    seen.title = box->windowTitle();
    seen.text = box->text();
    for (QAbstractButton* button : box->buttons()) seen.buttons << button->text();
    seen.defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
    seen.escapeButton = box->escapeButton() ? box->escapeButton()->text() : QString();
    QTest::keyClick(box, key);
  };
}

TEST(MessagePrompt, SavePromptHasYesNoCancelWithYesDefaultAndEscapeCancel) {
  TMessagePrompt prompt;
  SeenBox seen;
  ModalDriver driver({Inspect(seen, Qt::Key_Escape)});
  EXPECT_EQ(prompt.AskYesNoCancel(Cp932("保存しますか？")), PromptButton::kCancel);
  EXPECT_EQ(seen.title, QStringLiteral("確認"));
  EXPECT_EQ(seen.text, QStringLiteral("保存しますか？"));
  EXPECT_TRUE(seen.buttons.contains(QStringLiteral("はい(&Y)")));
  EXPECT_TRUE(seen.buttons.contains(QStringLiteral("いいえ(&N)")));
  EXPECT_TRUE(seen.buttons.contains(QStringLiteral("ｷｬﾝｾﾙ")));
  EXPECT_EQ(seen.buttons.size(), 3);
  EXPECT_EQ(seen.defaultButton, QStringLiteral("はい(&Y)"));
  EXPECT_EQ(seen.escapeButton, QStringLiteral("ｷｬﾝｾﾙ"));
}

TEST(MessagePrompt, ABoxDuringLongWorkShowsTheArrowAndGivesTheHourglassBack) {
  TMessagePrompt prompt;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  Qt::CursorShape shape_while_open = Qt::WaitCursor;
  ModalDriver driver({[&shape_while_open](QWidget* modal) {
    shape_while_open = QApplication::overrideCursor()->shape();
    QTest::keyClick(modal, Qt::Key_Return);
  }});
  prompt.Error(Cp932("接続できません。"));
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QApplication::restoreOverrideCursor();
  EXPECT_EQ(shape_while_open, Qt::ArrowCursor);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(MessagePrompt, EnterAnswersTheDefaultButton) {
  TMessagePrompt prompt;
  SeenBox seen;
  ModalDriver driver({Inspect(seen, Qt::Key_Return)});
  EXPECT_TRUE(prompt.AskYesNo(Cp932("削除しますか？")));
}

TEST(MessagePrompt, EscapeOnAYesNoQuestionAnswersNo) {
  TMessagePrompt prompt;
  SeenBox seen;
  ModalDriver driver({Inspect(seen, Qt::Key_Escape)});
  EXPECT_FALSE(prompt.AskYesNo(Cp932("削除しますか？")));
  EXPECT_EQ(seen.escapeButton, QStringLiteral("いいえ(&N)"));
}

TEST(MessagePrompt, EachKindHasItsCaptionAndLineBreaksShowAsLines) {
  TMessagePrompt prompt;
  std::vector<SeenBox> seen(3);
  ModalDriver driver({Inspect(seen[0], Qt::Key_Return), Inspect(seen[1], Qt::Key_Escape),
                      Inspect(seen[2], Qt::Key_Return)});
  prompt.Warn(Cp932("一行目\r\n二行目"));
  prompt.Error(Cp932("失敗"));
  prompt.Inform(Cp932("完了"));
  EXPECT_EQ(seen[0].title, QStringLiteral("警告"));
  EXPECT_EQ(seen[0].text, QStringLiteral("一行目\n二行目"));
  EXPECT_EQ(seen[1].title, QStringLiteral("ｴﾗｰ"));
  EXPECT_EQ(seen[2].title, QStringLiteral("情報"));
  for (const SeenBox& box : seen) EXPECT_EQ(box.buttons, QStringList{QStringLiteral("OK")});
}

TEST(MessagePrompt, AllButtonIsOfferedWhenAsked) {
  TMessagePrompt prompt;
  SeenBox seen;
  ModalDriver driver({[&seen](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    for (QAbstractButton* button : box->buttons()) {
      seen.buttons << button->text();
      if (button->text() == QStringLiteral("すべて")) button->click();
    }
  }});
  PromptButton answer =
      prompt.Ask(PromptKind::kConfirm, Cp932("上書きしますか？"),
                 {PromptButton::kYes, PromptButton::kNo, PromptButton::kAll, PromptButton::kCancel},
                 PromptButton::kYes, PromptButton::kCancel);
  EXPECT_EQ(answer, PromptButton::kAll);
  EXPECT_EQ(seen.buttons.size(), 4);
}

TEST(MessagePrompt, TextEntryReturnsCp932AndCancelReturnsNothing) {
  TMessagePrompt prompt;
  QString cancel_label;
  ModalDriver driver({
      [](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("シート名の変更"));
        EXPECT_EQ(dialog->textValue(), QStringLiteral("シート1"));
        dialog->setTextValue(QStringLiteral("売上"));
        dialog->accept();
      },
      [&cancel_label](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        cancel_label = dialog->cancelButtonText();
        dialog->reject();
      },
  });
  EXPECT_EQ(prompt.AskText(Cp932("シート名の変更"), Cp932("「シート1」"), Cp932("シート1")),
            std::optional<std::string>(Cp932("売上")));
  EXPECT_EQ(prompt.AskText(Cp932("シート名の変更"), "", ""), std::nullopt);
  EXPECT_EQ(cancel_label, QStringLiteral("ｷｬﾝｾﾙ"));
}

TEST(MessagePrompt, TextEntryRefusesCharactersShiftJisCannotHold) {
  TMessagePrompt prompt;
  SeenBox warning;
  ModalDriver driver({
      [](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        dialog->setTextValue(QStringLiteral("表😀"));
        dialog->accept();
      },
      Inspect(warning, Qt::Key_Return),
      [](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        dialog->setTextValue(QStringLiteral("表"));
        dialog->accept();
      },
  });
  EXPECT_EQ(prompt.AskText("x", "y", ""), std::optional<std::string>(Cp932("表")));
  EXPECT_EQ(warning.title, QStringLiteral("警告"));
}

}  // namespace
}  // namespace morvane
