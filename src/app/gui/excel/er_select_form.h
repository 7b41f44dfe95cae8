// TfrmERSelect: chooses the ER sheets to write into Excel. Load lists every sheet of the diagram
// in its order; OK with at least one sheet selected closes the dialog, and Apply stores the
// selected names, top to bottom, as the document's ER output choice.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace morvane {

class IPrompt;
class TCatalogueStore;

class TfrmERSelect : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmERSelect(IPrompt& prompt, QWidget* parent = nullptr);

  // Empties the store's ER output choice and lists the names of all its ER sheets.
  void Load(TCatalogueStore& store);
  // Appends the selected names (CP932), top to bottom, to the store's ER output choice.
  void Apply(TCatalogueStore& store) const;
  std::vector<std::string> SelectedSheets() const;

  // Controls, named as on the form.
  QListWidget* lstSheet = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

 public slots:
  void cmdOKClick();

 private:
  IPrompt& prompt_;
  std::vector<std::string> names_;  // the listed sheet names, CP932, in list order
};

}  // namespace morvane
