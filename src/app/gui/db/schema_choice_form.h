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

// The schemas a generic ODBC fetch reads.
struct TSchemaChoice {
  std::vector<OdbcSchemaEntry> schemas;  // as the database lists them
  std::optional<QStringList> checked;    // the names checked; none: every one offered
  std::vector<std::string> chosen;       // the checked schemas in list order (CP932)
};

class TfrmSchemaChoice : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmSchemaChoice(QWidget* parent = nullptr);

  QListWidget* lstSchema = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

  // Shows the non-system schemas of `choice.schemas`; those in `choice.checked` are checked,
  // or every one when nothing was checked before.
  void Load(const TSchemaChoice& choice);
  // Stores the checked names (for the settings) and the chosen schemas into `choice`.
  void Apply(TSchemaChoice& choice) const;

 private:
  std::vector<std::string> Chosen() const;
  QStringList CheckedNames() const;
  void SetAllChecked(bool checked);
  void UpdateOk();
};

}  // namespace morvane
