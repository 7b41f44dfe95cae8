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

  // Lists the names of all the store's ER sheets.
  void Load(const TCatalogueStore& store);
  // Makes the selected names (CP932), top to bottom, the store's ER output choice.
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
