// morvane: the desktop program.
#include <QApplication>
#include <QIcon>

#include "app/gui/application.h"
#include "app/gui/forms.h"
#include "app/gui/japanese_qt_texts.h"
#include "app/gui/main_window.h"
#include "app/gui/message_prompt.h"
#include "app/gui/tree_images.h"
#include "text/utf8_locale.h"

int main(int argc, char* argv[]) {
  morvane::TApplication app(argc, argv);
  morvane::UseUtf8CharacterLocale();
  QApplication::setOrganizationName(QStringLiteral("Morvane"));
  QApplication::setApplicationName(QStringLiteral("Morvane"));
  QApplication::setApplicationVersion(QStringLiteral("2.8.1"));
  QApplication::setDesktopFileName(QStringLiteral("morvane"));
  morvane::InitGuiResources();
  morvane::InstallJapaneseQtTexts();
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/morvane.svg")));

  morvane::TMessagePrompt prompt;
  app.SetErrorPrompt(&prompt);
  std::unique_ptr<morvane::TForms> forms = morvane::CreateForms(prompt, QApplication::arguments());
  prompt.SetParent(forms->main.get());
  forms->main->show();
  return QApplication::exec();
}
