// morvane: the desktop program.
#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <string>
#include <vector>

#include "app/gui/application.h"
#include "app/gui/forms.h"
#include "app/gui/japanese_qt_texts.h"
#include "app/gui/main_window.h"
#include "app/gui/message_prompt.h"
#include "app/gui/program_options.h"
#include "app/gui/tree_images.h"
#include "text/utf8_locale.h"

int main(int argc, char* argv[]) {
  // --help and --version are answered before any window (or display) is needed.
  if (auto answer = morvane::ProgramOptionAnswer({argv + 1, argv + argc}, MORVANE_VERSION)) {
    std::fputs(answer->c_str(), stdout);
    return 0;
  }
  morvane::TApplication app(argc, argv);
  morvane::UseUtf8CharacterLocale();
  QApplication::setOrganizationName(QStringLiteral("Morvane"));
  QApplication::setApplicationName(QStringLiteral("Morvane"));
  QApplication::setApplicationVersion(QStringLiteral(MORVANE_VERSION));
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
