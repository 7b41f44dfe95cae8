// The default handler: an exception thrown inside a slot becomes an error box and the program
// goes on.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "app/gui/application.h"
#include "gui_test_support.h"
#include "model/prompt.h"

namespace morvane {
namespace {

using testing::Cp932;

class DefaultHandlerTest : public ::testing::Test {
 protected:
  void SetUp() override { App()->SetErrorPrompt(&prompt_); }
  void TearDown() override { App()->SetErrorPrompt(nullptr); }
  static TApplication* App() { return static_cast<TApplication*>(qApp); }

  ScriptedPrompt prompt_;
};

TEST_F(DefaultHandlerTest, AnExceptionFromAClickedButtonsSlotIsShownAndTheProgramGoesOn) {
  QPushButton button(QStringLiteral("出力"));
  int clicks = 0;
  QObject::connect(&button, &QPushButton::clicked, [&clicks] {
    if (++clicks == 1) throw std::runtime_error("シートは削除されたか、ブックが閉じられています");
  });
  button.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));

  QTest::mouseClick(&button, Qt::LeftButton);
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].kind, PromptKind::kError);
  EXPECT_EQ(prompt_.shown[0].text, Cp932("シートは削除されたか、ブックが閉じられています"));

  // The event loop still delivers the next click.
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(prompt_.shown.size(), 1u);
}

TEST_F(DefaultHandlerTest, ExceptionsFromTimersAndOfUnknownTypeAreShownToo) {
  QTimer::singleShot(0, [] { throw std::out_of_range("invalid data kind"); });
  QTimer::singleShot(0, [] { throw 42; });
  QTest::qWait(20);
  ASSERT_EQ(prompt_.shown.size(), 2u);
  EXPECT_EQ(prompt_.shown[0].text, "invalid data kind");
  EXPECT_EQ(prompt_.shown[1].text, Cp932("予期しないエラーが発生しました。"));
}

}  // namespace
}  // namespace morvane
