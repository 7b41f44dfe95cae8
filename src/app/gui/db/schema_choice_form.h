// TfrmSchemaChoice: which schemas (owners) of a generic ODBC data source a fetch reads. Lists
// the database's schemas with a check box each; the system's own schemas are not offered.
#pragma once

#include <QDialog>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "db/odbc_schema_list.h"

class QListWidget;
class QPushButton;

namespace morvane {

class TfrmSchemaChoice : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmSchemaChoice(QWidget* parent = nullptr);

  QListWidget* lstSchema = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

  // Shows the non-system schemas of `schemas`; those in `remembered` are checked, or every one
  // when nothing is remembered.
  void Load(const std::vector<OdbcSchemaEntry>& schemas,
            const std::optional<QStringList>& remembered);
  // The checked schemas, in list order (CP932).
  std::vector<std::string> Apply() const;
  // The same for the settings.
  QStringList CheckedNames() const;

 private:
  void SetAllChecked(bool checked);
  void UpdateOk();
};

}  // namespace morvane
