// TfrmCompare: what to compare the open project with. Load shows a request, Apply stores the
// user's choice into one: another project file, the connected database, or the project's own
// design definitions (Excelファイル) against its database definitions; the data kinds; whether
// statistics items count.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "model/data_kind.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace morvane {

class IPrompt;

struct TCompareRequest {
  enum class Source { kProjectFile, kDatabase, kDesign };
  Source source = Source::kProjectFile;
  QString projectPath;  // kProjectFile: the other project (the newer side)
  std::vector<DataKind> kinds = {DataKind::Table, DataKind::Index};
  bool allItems = false;
};

class TfrmCompare : public QDialog {
  Q_OBJECT
 public:
  // `askProject` answers the 参照... button with a project path, or nothing when cancelled.
  TfrmCompare(IPrompt& prompt, std::function<std::optional<QString>()> askProject,
              QWidget* parent = nullptr);

  void Load(const TCompareRequest& request);
  void Apply(TCompareRequest& request) const;

  QRadioButton* optFile = nullptr;
  QRadioButton* optDatabase = nullptr;
  QRadioButton* optDesign = nullptr;
  QLineEdit* txtFile = nullptr;
  QPushButton* cmdBrowse = nullptr;
  QCheckBox* chkTable = nullptr;
  QCheckBox* chkIndex = nullptr;
  QCheckBox* chkTableIndex = nullptr;
  QCheckBox* chkAllItems = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

 public slots:
  // Refuses an empty file name or no data kind with a warning; otherwise accepts.
  void cmdOKClick();

 private:
  void UpdateEnabled();

  IPrompt& prompt_;
  std::function<std::optional<QString>()> askProject_;
};

}  // namespace morvane
