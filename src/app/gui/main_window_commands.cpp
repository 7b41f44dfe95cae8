// The handlers of the menu items and toolbar buttons. Each checks the enabling rules again, so
// a shortcut pressed while its command is not allowed does nothing.
#include <QAbstractItemView>
#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QItemSelectionModel>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include "app/gui/db/data_count.h"
#include "app/gui/forms.h"
#include "app/gui/help/about_form.h"
#include "app/gui/help/desktop_viewer.h"
#include "app/gui/help/help_window.h"
#include "app/gui/main_window.h"

namespace morvane {

void TfrmMain::NewProjectClick(Product product) { FileNew(product); }

void TfrmMain::mnuFile_OpenClick() {
  if (SavePrompt()) FileOpen(QString());
  emit documentChanged();
}

void TfrmMain::mnuFile_SaveClick() {
  if (!CommandStates().save) return;
  FileSave(false);
  emit documentChanged();  // a failed save leaves the document as it was, still to be saved
}

void TfrmMain::mnuFile_SaveAsClick() {
  if (!CommandStates().saveAs) return;
  FileSave(true);
  emit documentChanged();
}

void TfrmMain::mnuFile_ExitClick() { close(); }

void TfrmMain::mnuEdit_ListCopy_NoTitleClick() {
  if (CommandStates().listCopy) browser_->mnuEdit_ListCopy_NoTitleClick();
}

void TfrmMain::mnuEdit_ListCopy_TitleClick() {
  if (CommandStates().listCopy) browser_->mnuEdit_ListCopy_TitleClick();
}

void TfrmMain::mnuEdit_SelectAllClick() {
  if (CommandStates().selectAll) browser_->mnuEdit_SelectAllClick();
}

void TfrmMain::mnuEdit_SelectChangeClick() {
  if (CommandStates().selectChange) browser_->mnuEdit_SelectChangeClick();
}

void TfrmMain::mnuShow_FormatClick() {
  if (!CommandStates().format) return;
  ShowFormatForm(true);
  emit documentChanged();
}

void TfrmMain::mnuDB_DataCountClick() {
  if (!CommandStates().dataCount) return;
  auto refill = [this] {
    store_.listRebuild = true;
    SetList(trvDataType_->currentItem());
    SelCountShow();
  };
  try {
    if (RunDataCount(store_, DbSession{connection_, prompt_, *this, statusBar_},
                     pnlList_->ltvData()))
      refill();
  } catch (...) {
    refill();  // the counts made so far are shown
    throw;
  }
}

void TfrmMain::mnuHelp_HelpClick() {
  const QString program_dir =
      helpDir_.isEmpty() ? QCoreApplication::applicationDirPath() : helpDir_;
  const QString guide = FindHelpFile(program_dir);
  if (guide.isEmpty()) {
    WarnHelpMissing(program_dir, prompt_);
    return;
  }
  // Where the desktop has no viewer, the program's own help window shows the guide.
  auto show_window = [this, program_dir] {
    if (!helpWindow_) {
      UrlOpener opener = open_url_;
      if (!opener) opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
      helpWindow_ = new TfrmHelp(opener, this);
    }
    helpWindow_->ShowGuide(program_dir, prompt_);
  };
  const QUrl url = QUrl::fromLocalFile(guide);
  if (!open_url_) {
    OpenInDesktopViewer(url, this, show_window);
  } else if (!open_url_(url)) {
    show_window();
  }
}

void TfrmMain::mnuHelp_AboutClick() {
  if (forms_ && forms_->about) {
    forms_->about->exec();
  } else {
    TfrmAbout about(this);
    about.exec();
  }
}

}  // namespace morvane
