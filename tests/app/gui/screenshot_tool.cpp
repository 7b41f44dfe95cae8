// gui_screenshot: starts the main window on a real display, opens each menu in turn and saves
// screenshots of the whole screen, for looking at the program by eye. Not a test.
//   gui_screenshot OUTPUT_DIR [PROJECT.vnk [FILTER]]
// With a project, it also shows the first table list of the tree, narrowed by FILTER if given.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <vector>

#include "app/gui/dialogs.h"
#include "app/gui/forms.h"
#include "app/gui/help/about_form.h"
#include "app/gui/japanese_qt_texts.h"
#include "app/gui/main_window.h"
#include "app/gui/main_window_commands.h"
#include "app/gui/message_prompt.h"
#include "app/gui/paths/project_path_chooser.h"
#include "app/gui/window_status_bar.h"
#include "app/gui/work_progress.h"

namespace {

// The first node of the tree whose children are leaves: a list of tables.
QTreeWidgetItem* FirstTableGroup(QTreeWidgetItem* node) {
  for (int i = 0; i < node->childCount(); ++i) {
    QTreeWidgetItem* child = node->child(i);
    if (child->childCount() == 0) continue;
    if (child->child(0)->childCount() == 0 && child->text(0) != QStringLiteral("Excelファイル"))
      return child;
    if (QTreeWidgetItem* found = FirstTableGroup(child)) return found;
  }
  return nullptr;
}

void Save(const QString& dir, const QString& name) {
  QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
  shot.save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QStringList args = QApplication::arguments();
  if (args.size() < 2) return 2;
  QString out = args[1];
  QStringList program_args = {args[0]};
  if (args.size() > 2) program_args << args[2];

  morvane::InstallJapaneseQtTexts();
  morvane::TMessagePrompt prompt;
  auto forms = morvane::CreateForms(prompt, program_args);
  morvane::TfrmMain* main = forms->main.get();
  prompt.SetParent(main);
  main->resize(900, 620);
  main->move(20, 20);
  main->show();
  if (args.size() <= 2) main->FileNew(morvane::Product::Oracle8);

  std::vector<std::function<void()>> steps;
  steps.push_back([&] { Save(out, QStringLiteral("main")); });
  if (args.size() > 2) {
    steps.push_back([&] {
      auto* tree = main->findChild<QTreeWidget*>(QStringLiteral("trvDataType"));
      if (QTreeWidgetItem* group = FirstTableGroup(tree->invisibleRootItem()))
        main->Browser().TreeNodeSelect(group, false, false);
      auto* filter = main->findChild<QLineEdit*>(QStringLiteral("edtFilter"));
      if (filter && args.size() > 3) filter->setText(args[3]);
    });
    steps.push_back([&] { Save(out, QStringLiteral("table_list")); });
  }
  // The help window, over the main window.
  steps.push_back([&] {
    main->Dialogs().SetUrlOpener([](const QUrl&) { return false; });
    mnuHelp_HelpClick(*main);
  });
  steps.push_back([&] {
    Save(out, QStringLiteral("help_window"));
    for (QWidget* help : main->findChildren<QWidget*>(QStringLiteral("frmHelp"))) help->close();
  });
  for (QMenu* menu : main->menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
    if (menu->objectName().isEmpty()) continue;  // the bar's own overflow menu
    steps.push_back([main, menu] {
      QMenuBar* bar = main->menuBar();
      QRect item = bar->actionGeometry(menu->menuAction());
      menu->popup(bar->mapToGlobal(item.bottomLeft()));
    });
    steps.push_back([&, menu] {
      Save(out, QStringLiteral("menu_") + menu->objectName());
      menu->hide();
    });
  }
  steps.push_back([&] {
    // The open dialog runs its own loop; start it outside this timer's slot.
    QTimer::singleShot(0, [&] { morvane::TProjectFileDialogs(main, prompt).AskOpenPath(); });
  });
  steps.push_back([&] {
    Save(out, QStringLiteral("open_dialog"));
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
  });
  steps.push_back([main] { mnuShow_ERClick(*main); });
  steps.push_back([&] { Save(out, QStringLiteral("er_view")); });
  steps.push_back([&] {
    forms->about->show();
    forms->about->move(main->geometry().center() - forms->about->rect().center());
  });
  steps.push_back([&] {
    Save(out, QStringLiteral("about"));
    QApplication::quit();
  });

  size_t next = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    if (next < steps.size()) steps[next++]();
  });
  timer.start(700);
  return QApplication::exec();
}
