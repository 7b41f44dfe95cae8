// TfrmChanges: the result of a comparison in a window of its own. Load shows the changes grouped
// by table (relations under the referring table); a filter shows one kind of change; the
// status bar counts the changes shown. Double-clicking a change asks for its table (or column)
// to be selected in the main window; 変更履歴に書き込む... appends the changes to a workbook's
// 「変更履歴」 sheet.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

#include "diff/change.h"

class QComboBox;
class QLabel;
class QPushButton;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace morvane {

class IPrompt;

class TfrmChanges : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmChanges(IPrompt& prompt, QWidget* parent = nullptr);

  // Shows `changes` (sorted) under the caption `what` (e.g. the two sides compared).
  void Load(const diff::ChangeList& changes, const QString& what);

  // Where the change history goes; by default a save dialog that does not refuse an existing
  // workbook (it is appended to). Nothing when cancelled.
  void SetHistoryPathChooser(std::function<std::optional<QString>()> choose) {
    chooseHistoryPath_ = std::move(choose);
  }
  // Called with a double-clicked change.
  void SetChangeChosen(std::function<void(const diff::TChange&)> chosen) {
    changeChosen_ = std::move(chosen);
  }

  // The changes the filter lets through (shown) and all of them.
  int ShownCount() const;
  const diff::ChangeList& Changes() const { return changes_; }

  QLabel* lblWhat = nullptr;
  QComboBox* cboFilter = nullptr;  // すべて, 追加, 削除, 変更
  QTreeWidget* trvChanges = nullptr;
  QPushButton* cmdHistory = nullptr;
  QStatusBar* stbChanges = nullptr;

 public slots:
  void cboFilterChange();
  void trvChangesDblClick(QTreeWidgetItem* item);
  // Asks for the workbook and appends every change (not only the shown ones).
  void cmdHistoryClick();

 private:
  void Fill();

  IPrompt& prompt_;
  diff::ChangeList changes_;
  std::function<std::optional<QString>()> chooseHistoryPath_;
  std::function<void(const diff::TChange&)> changeChosen_;
};

}  // namespace morvane
