#include "app/gui/paths/project_path_chooser.h"

#include <QFileInfo>

#include "app/gui/app_settings.h"
#include "app/gui/paths/file_dlg.h"

namespace morvane {

QString ProjectFileFilter() { return QStringLiteral("VNK ﾌｧｲﾙ|*.vnk"); }

std::optional<QString> TProjectFileDialogs::AskOpenPath() {
  TFileDlg dialog(owner_, prompt_);
  dialog.options = TFileDlg::kHideReadOnly | TFileDlg::kPathMustExist | TFileDlg::kFileMustExist;
  dialog.filter = ProjectFileFilter();
  dialog.defaultExt = QStringLiteral("vnk");
  if (settings_) dialog.initialDir = settings_->LastFolder(TAppSettings::Folder::kProjects);
  if (!dialog.ExecuteOpen()) return std::nullopt;
  return dialog.fileName;
}

std::optional<QString> TProjectFileDialogs::AskSavePath(const QString& current_path) {
  TFileDlg dialog(owner_, prompt_);
  dialog.options =
      TFileDlg::kOverwritePrompt | TFileDlg::kHideReadOnly | TFileDlg::kNoReadOnlyReturn;
  dialog.filter = ProjectFileFilter();
  dialog.defaultExt = QStringLiteral("vnk");
  dialog.fileName = QFileInfo(current_path).fileName();
  if (!current_path.isEmpty()) {
    dialog.initialDir = QFileInfo(current_path).absolutePath();
  } else if (settings_) {
    dialog.initialDir = settings_->LastFolder(TAppSettings::Folder::kProjects);
  }
  if (!dialog.ExecuteSave()) return std::nullopt;
  return dialog.fileName;
}

}  // namespace morvane
