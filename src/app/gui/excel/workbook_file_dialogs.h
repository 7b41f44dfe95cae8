// How the workbook window asks for a workbook file: the real file dialogs, or, in tests, a
// chooser that answers without a display.
#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace morvane {

class IPrompt;
class TAppSettings;

class IWorkbookPathChooser {
 public:
  virtual ~IWorkbookPathChooser() = default;
  // The workbook file to open; nothing when the user cancelled.
  virtual std::optional<QString> AskOpenPath() = 0;
  // Where to save a workbook; `current_name` is its name or path. Nothing when cancelled.
  virtual std::optional<QString> AskSavePath(const QString& current_name) = 0;
};

// The filter of the workbook file dialogs.
QString WorkbookFileFilter();

// The open and save dialogs of workbook files, on TFileDlg.
class TWorkbookFileDialogs : public IWorkbookPathChooser {
 public:
  TWorkbookFileDialogs(QWidget* owner, IPrompt& prompt) : owner_(owner), prompt_(prompt) {}
  // The dialogs start in the project's folder (see SetProjectFolder), else in the folder last
  // used for workbooks, else in the home folder; they remember the folder chosen.
  void SetFolderMemory(TAppSettings* settings) { settings_ = settings; }
  // The folder of the current project; empty while it has no file.
  void SetProjectFolder(std::function<QString()> folder) { project_folder_ = std::move(folder); }
  std::optional<QString> AskOpenPath() override;
  std::optional<QString> AskSavePath(const QString& current_name) override;

 private:
  QString StartFolder() const;

  QWidget* owner_;
  IPrompt& prompt_;
  TAppSettings* settings_ = nullptr;
  std::function<QString()> project_folder_;
};

}  // namespace morvane
