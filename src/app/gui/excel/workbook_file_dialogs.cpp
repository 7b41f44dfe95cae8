#include "app/gui/excel/workbook_file_dialogs.h"

#include <QDir>
#include <QFileInfo>

#include "app/gui/app_settings.h"
#include "app/gui/paths/file_dlg.h"

namespace morvane {

QString WorkbookFileFilter() { return QStringLiteral("Excel ﾌﾞｯｸ|*.xlsx"); }

QString TWorkbookFileDialogs::StartFolder() const {
  const QString project = project_folder_ ? project_folder_() : QString();
  if (!project.isEmpty()) return project;
  const QString remembered =
      settings_ ? settings_->LastFolder(TAppSettings::Folder::kWorkbooks) : QString();
  return remembered.isEmpty() ? QDir::homePath() : remembered;
}

std::optional<QString> TWorkbookFileDialogs::AskOpenPath() {
  TFileDlg dialog(owner_, prompt_);
  dialog.options = TFileDlg::kHideReadOnly | TFileDlg::kPathMustExist | TFileDlg::kFileMustExist;
  dialog.filter = WorkbookFileFilter();
  dialog.defaultExt = QStringLiteral("xlsx");
  dialog.initialDir = StartFolder();
  if (!dialog.ExecuteOpen()) return std::nullopt;
  if (settings_) settings_->SetLastFolderOf(TAppSettings::Folder::kWorkbooks, dialog.fileName);
  return dialog.fileName;
}

std::optional<QString> TWorkbookFileDialogs::AskSavePath(const QString& current_name) {
  TFileDlg dialog(owner_, prompt_);
  dialog.options =
      TFileDlg::kOverwritePrompt | TFileDlg::kHideReadOnly | TFileDlg::kNoReadOnlyReturn;
  dialog.filter = WorkbookFileFilter();
  dialog.defaultExt = QStringLiteral("xlsx");
  QFileInfo current(current_name);
  dialog.fileName = current.completeBaseName() + QStringLiteral(".xlsx");
  dialog.initialDir = current.isAbsolute() ? current.absolutePath() : StartFolder();
  if (!dialog.ExecuteSave()) return std::nullopt;
  if (settings_) settings_->SetLastFolderOf(TAppSettings::Folder::kWorkbooks, dialog.fileName);
  return dialog.fileName;
}

}  // namespace morvane
