// TfrmERSheetList: the list of ER sheets behind the button at the end of the sheet tabs, to find
// a sheet by (part of) its name among many and go to it.
#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QListWidget;

namespace morvane {

// The ER sheets by name in tab order, and the current one (-1: none).
struct TERSheetChoice {
  QStringList names;
  int current = -1;
};

class TfrmERSheetList : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmERSheetList(QWidget* parent = nullptr);

  // Shows the sheet names in tab order with the current one selected.
  void Load(const TERSheetChoice& choice);
  // Sets `choice.current` to the tab index of the chosen sheet, or -1 when none is chosen.
  void Apply(TERSheetChoice& choice) const;

  QLineEdit* edtFilter() const { return edtFilter_; }
  QListWidget* lstSheets() const { return lstSheets_; }

 private:
  void Narrow(const QString& text);

  QLineEdit* edtFilter_;
  QListWidget* lstSheets_;
};

}  // namespace morvane
