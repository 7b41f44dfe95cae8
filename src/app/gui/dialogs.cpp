#include "app/gui/dialogs.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QTreeWidget>

#include "app/gui/db/connect_form.h"
#include "app/gui/er/er_table_form.h"
#include "app/gui/excel/er_select_form.h"
#include "app/gui/excel/format_form.h"
#include "app/gui/excel/import_form.h"
#include "app/gui/help/about_form.h"
#include "app/gui/help/desktop_viewer.h"
#include "app/gui/help/help_window.h"
#include "app/gui/main_window.h"
#include "app/gui/window_status_bar.h"

namespace morvane {

TfrmConnect* TDialogs::Connect() {
  if (!connect_) {
    connect_ = new TfrmConnect(window_.Connection(), window_.Store(), prompt_, window_.StatusBar(),
                               &window_);
    connect_->SetLoginMemory(&window_.Settings());
  }
  return connect_;
}

TfrmFormat* TDialogs::Format() {
  if (!format_) {
    format_ = new TfrmFormat(&window_);
    format_->SetPrompt(&prompt_);
    QObject::connect(format_, &TfrmFormat::Applied, &window_, [this] {
      // The list's columns follow the new order and output flags.
      if (window_.Store().listRebuild) window_.Browser().SetList(window_.DataTree()->currentItem());
      emit window_.documentChanged();
    });
  }
  return format_;
}

TfrmImport* TDialogs::Import() {
  if (!import_) import_ = new TfrmImport(prompt_, &window_);
  return import_;
}

TfrmERSelect* TDialogs::ERSelect() {
  if (!erSelect_) erSelect_ = new TfrmERSelect(prompt_, &window_);
  return erSelect_;
}

TfrmAbout* TDialogs::About() {
  if (!about_) about_ = new TfrmAbout(&window_);
  return about_;
}

TfrmERTable* TDialogs::ERTable() {
  if (!erTable_) {
    erTable_ = new TfrmERTable(&window_);
    erTable_->hide();
  }
  return erTable_;
}

void TDialogs::ShowFormat(bool modal) {
  TfrmFormat* form = Format();
  TCatalogueStore& store = window_.Store();
  form->Load(store, store.currentDataKind, store.erViewActive);
  if (!modal) {
    form->show();
    form->raise();
    form->activateWindow();
    return;
  }
  if (form->isVisible()) form->hide();  // shown modeless: show it again as a modal dialog
  form->exec();
}

void TDialogs::ShowHelp() {
  const QString program_dir =
      help_dir_.isEmpty() ? QCoreApplication::applicationDirPath() : help_dir_;
  const QString guide = FindHelpFile(program_dir);
  if (guide.isEmpty()) {
    WarnHelpMissing(program_dir, prompt_);
    return;
  }
  // Where the desktop has no viewer, the program's own help window shows the guide.
  auto show_window = [this, program_dir] {
    if (!help_) {
      UrlOpener opener = open_url_;
      if (!opener) opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
      help_ = new TfrmHelp(opener, &window_);
    }
    help_->ShowGuide(program_dir, prompt_);
  };
  const QUrl url = QUrl::fromLocalFile(guide);
  if (!open_url_) {
    OpenInDesktopViewer(url, &window_, show_window);
  } else if (!open_url_(url)) {
    show_window();
  }
}

}  // namespace morvane
