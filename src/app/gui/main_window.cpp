// The main window's life: creation, first showing, closing, resizing, dropped files, the
// Backspace preview and the remembered settings.
#include "app/gui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>

#include "app/gui/command_bar.h"
#include "app/gui/dialogs.h"
#include "app/gui/excel/workbook_window.h"
#include "app/gui/menu_focus.h"
#include "app/gui/paths/project_path_chooser.h"
#include "app/gui/recent_menu.h"
#include "app/gui/screen_fit.h"
#include "app/gui/tree_images.h"
#include "app/gui/window_status_bar.h"
#include "app/gui/work_progress.h"

namespace morvane {

TfrmMain::TfrmMain(IPrompt& prompt, QStringList arguments, QWidget* parent)
    : QMainWindow(parent),
      prompt_(prompt),
      arguments_(std::move(arguments)),
      settings_(std::make_unique<TAppSettings>()),
      own_chooser_(std::make_unique<TProjectFileDialogs>(this, prompt, settings_.get())),
      chooser_(own_chooser_.get()),
      dialogs_(std::make_unique<TDialogs>(*this, prompt)) {
  InitGuiResources();
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Morvane"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/morvane.svg")));
  setAcceptDrops(true);
  resize(800, 560);

  BuildWidgets();
  BuildParts();
  connect(this, &TfrmMain::documentChanged, this, &TfrmMain::ToolBarEnabled);

  store_.Reset();
  SetStatusText(0, QStringLiteral("未選択"));
  SetStatusText(1, QStringLiteral("未接続"));
  emit documentChanged();
  RestoreSettings();

  // Backspace is previewed before the focused control sees it.
  qApp->installEventFilter(this);
  // Focus decides "すべて選択" and "選択の切り替え", whose shortcuts must follow it.
  focus_watch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    // The menu bar takes the focus while a menu is opened from the keyboard: the commands go on
    // working on the control that had it before.
    if (now != nullptr && !IsMenuWidget(now)) work_focus_ = now;
    commands_->ApplyToMenus(CommandStates());
  });
}

TfrmMain::~TfrmMain() {
  // Destroying the widgets moves the focus; the menus must not be recomputed by then.
  disconnect(focus_watch_);
  qApp->removeEventFilter(this);
  // The browser works on the widgets: it goes first.
  browser_.reset();
  // The widgets report edits to the document: destroy them while the document still exists.
  delete takeCentralWidget();
}

void TfrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_once_) return;
  shown_once_ = true;
  FitToScreen(*this);
  // Once more when the window system has put its frame around the window.
  QMetaObject::invokeMethod(
      this, [this] { FitToScreen(*this); }, Qt::QueuedConnection);
  // Opened once the window is on screen, so that any message about the file appears over it.
  QMetaObject::invokeMethod(this, &TfrmMain::OpenStartFile, Qt::QueuedConnection);
}

void TfrmMain::OpenStartFile() {
  if (arguments_.size() > 1 && QFileInfo(arguments_[1]).isFile()) FileOpen(arguments_[1]);
  store_.modified = false;
  emit documentChanged();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (!SavePrompt() || !workbookWindow_->QueryClose()) {
    event->ignore();
    return;
  }
  Disconnect();
  settings_->SaveWindow(*this);
  settings_->SetRecentProjects(recent_->Projects().Paths());
  event->accept();
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (progress_) progress_->Place();
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths << url.toLocalFile();
  }
  event->acceptProposedAction();
  OpenDroppedFiles(paths);
}

void TfrmMain::OpenDroppedFiles(const QStringList& paths) {
  if (paths.isEmpty()) return;
  if (!SavePrompt()) return;
  if (QFileInfo(paths.first()).isFile()) FileOpen(paths.first());
  emit documentChanged();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Backspace && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this && watched == QApplication::focusWidget() &&
      browser_->BackspaceGoesUp()) {
    browser_->sbtUpClick();
  }
  return false;  // the focused control still gets the key
}

void TfrmMain::SetStatusText(int panel, const QString& text) { statusBar_->SetText(panel, text); }

void TfrmMain::SetSettings(QSettings* settings) {
  settings_->Use(settings);
  RestoreSettings();
}

void TfrmMain::RestoreSettings() {
  settings_->RestoreWindow(*this);
  recent_->Restore();
}

}  // namespace morvane
