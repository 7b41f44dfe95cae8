// The document commands of the main window: New, Open, Save, the save prompt, the layout reset
// and the window caption.
#include <QApplication>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QToolButton>
#include <QTreeWidget>

#include "app/gui/browse/list_panel.h"
#include "app/gui/browse/wait_cursor.h"
#include "app/gui/db/sql_panel.h"
#include "app/gui/er/er_panel.h"
#include "app/gui/er/er_view.h"
#include "app/gui/main_window.h"
#include "app/gui/paths/project_path_chooser.h"
#include "app/gui/qt_text.h"
#include "app/gui/recent_menu.h"
#include "app/gui/tree_images.h"
#include "app/gui/work_progress.h"
#include "model/prompt.h"
#include "project/new_project.h"
#include "project/project_reader.h"
#include "project/project_writer.h"

namespace morvane {
namespace {

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A core message (UTF-8) as the prompt wants it; characters CP932 lacks become "?".
std::string MessageCp932(const std::string& utf8) { return ToCp932(QString::fromStdString(utf8)); }

// Measures item names in the font of `list`, for the default item widths.
TextMeasurer MeasurerFor(const QWidget* list) {
  return [metrics = QFontMetrics(list->font())](std::string_view cp932) {
    return metrics.horizontalAdvance(FromCp932(std::string(cp932)));
  };
}

}  // namespace

bool TfrmMain::SavePrompt() {
  if (!store_.modified || store_.product == Product::None) return true;
  switch (prompt_.AskYesNoCancel(ToCp932(QStringLiteral("保存しますか？")))) {
    case PromptButton::kYes:
      return FileSave(false);
    case PromptButton::kNo:
      return true;
    default:
      return false;
  }
}

void TfrmMain::FileNew(Product product) {
  if (!SavePrompt()) return;
  {
    WaitCursor wait;
    Disconnect();
    browser_->ResetLists();  // the lists must not show records the reset destroys
    pnlER_->View().Clear();  // nor the sheets their windows
    NewProject(store_, product, MeasurerFor(pnlList_->ltvData()));
    projectLock_.Unlock();
    InitLayout();
    pnlER_->View().Rebuild();
    pnlSQL_->Load();
    trvDataType_->topLevelItem(1)->setExpanded(true);
    trvDataType_->setCurrentItem(trvDataType_->topLevelItem(0));
    store_.modified = false;
    emit documentChanged();
  }
  setWindowTitle(QStringLiteral("Morvane - [%1 新規作成]").arg(Utf8(ProductName(product))));
  trvDataType_->setFocus();
}

void TfrmMain::FileOpen(const QString& path) {
  QString chosen = path;
  if (chosen.isEmpty()) {
    std::optional<QString> asked = chooser_->AskOpenPath();
    if (!asked) return;
    chosen = *asked;
  }
  projectLock_.Unlock();  // the project open now may be the one asked for
  ProjectLock lock;
  if (std::optional<std::string> busy = lock.Lock(chosen.toStdString())) {
    if (!store_.fileName.empty()) projectLock_.Lock(store_.fileName, std::chrono::milliseconds(0));
    prompt_.Error(MessageCp932(*busy));
    return;
  }
  Disconnect();
  browser_->ResetLists();  // the lists must not show records the reading destroys
  pnlER_->View().Clear();  // nor the sheets their windows
  ProjectReadResult outcome;
  {
    WaitCursor wait;
    // The earlier-version warning comes as soon as the header is read, with the normal cursor.
    auto warn = [this](const std::string& warning) {
      QApplication::setOverrideCursor(Qt::ArrowCursor);
      prompt_.Warn(MessageCp932(warning));
      QApplication::restoreOverrideCursor();
    };
    outcome = OpenProjectFile(store_, chosen.toStdString(), MeasurerFor(pnlList_->ltvData()),
                              progress_.get(), warn);
  }
  for (const std::string& warning : outcome.warnings) prompt_.Warn(MessageCp932(warning));
  InitLayout();
  if (outcome.ok) {
    pnlER_->View().Rebuild();
    pnlSQL_->Load();
    trvDataType_->topLevelItem(1)->setExpanded(true);
    store_.currentDataKind = DataKind::None;
    store_.listRebuild = true;
    projectLock_ = std::move(lock);
  } else {
    // One box: what failed, the file and the reason.
    std::string text;
    for (const std::string& error : outcome.errors) text += (text.empty() ? "" : "\r\n") + error;
    prompt_.Error(MessageCp932(text));
    trvDataType_->clear();
    setWindowTitle(QStringLiteral("Morvane"));
  }
  pnlER_->hide();
  SetStatusText(0, Utf8(ProductName(store_.product)));
  store_.modified = false;
  emit documentChanged();
  trvDataType_->setFocus();
  if (outcome.ok) {
    SetCaptionForFile();
    trvDataType_->setCurrentItem(trvDataType_->topLevelItem(0));
    recent_->Remember(chosen);
  }
}

bool TfrmMain::FileSave(bool force_dialog) {
  QString path = QString::fromStdString(store_.fileName);
  if (force_dialog || path.isEmpty()) {
    std::optional<QString> asked = chooser_->AskSavePath(path);
    if (!asked) return false;
    path = *asked;
  }
  // Another file than the one held (Save As, or a lock lost) is another program's to write
  // until its lock is had.
  ProjectLock target;
  const bool held = projectLock_.held() && store_.fileName == path.toStdString();
  if (!held) {
    WaitCursor wait;
    if (std::optional<std::string> busy = target.Lock(path.toStdString())) {
      prompt_.Error(MessageCp932(*busy));
      return false;
    }
  }
  ProjectWriteResult outcome;
  {
    WaitCursor wait;
    // On failure the writer leaves the document, its file name and the old file untouched.
    outcome = SaveProjectFile(store_, path.toStdString(), progress_.get());
  }
  if (!outcome.ok) {
    prompt_.Error(MessageCp932(outcome.error));
    return false;
  }
  store_.modified = false;
  // The save put a new file under the name: hold that one now.
  projectLock_.Lock(path.toStdString(), std::chrono::milliseconds(0));
  emit documentChanged();
  SetCaptionForFile();
  recent_->Remember(path);
  return true;
}

void TfrmMain::SetCaptionForFile() {
  setWindowTitle(QStringLiteral("Morvane - [%1]")
                     .arg(QFileInfo(QString::fromStdString(store_.fileName)).fileName()));
}

void TfrmMain::InitLayout() {
  SetStatusText(0, Utf8(ProductName(store_.product)));
  store_.listViewActive = false;
  browser_->RebuildTree();

  browser_->ResetLists();
  pnlList_->ltvData()->show();
  pnlList_->ltvColumn()->hide();
  pnlList_->ltvDatabase()->hide();

  pnlList_->show();
  pnlSQL_->hide();
  pnlER_->hide();
  pnlList_->txtPath()->clear();
  pnlList_->sbtUp()->setEnabled(false);
  store_.erViewActive = false;
  store_.sortColumn.fill(0);
  store_.sortDirection.fill(0);

  pnlER_->View().Clear();
  store_.listViewActive = true;
}

void TfrmMain::MarkModified() {
  store_.SetModified();
  emit documentChanged();
}

}  // namespace morvane
