// TfrmImport: the layout of the sheets to import and the choice of sheets. Created once at start
// and reused; every showing reloads the boxes from the document's layout and the list from the
// source workbook. OK stores the layout only when every box names a cell, row or column.
#pragma once

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "excel/import_layout_check.h"

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace morvane {

class IPrompt;
class TCatalogueStore;

namespace excel {
class Workbook;
}

class TfrmImport : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmImport(IPrompt& prompt, QWidget* mainWindow = nullptr);

  // Fills the boxes from the store's layout and the list with the workbook's worksheets; OK
  // stores the layout into this store.
  void Load(TCatalogueStore& store, excel::Workbook& book);
  // The names (CP932) of the selected sheets, top to bottom.
  std::vector<std::string> SelectedSheets() const;

  // Controls, named as on the form.
  QListWidget* lstExcelSheet = nullptr;
  QGroupBox* fraLayout = nullptr;
  QLineEdit* txtTableNameCell = nullptr;
  QLineEdit* txtColumnStartRow = nullptr;
  QLineEdit* txtColumnNameCol = nullptr;
  QLineEdit* txtColumnTypeCol = nullptr;
  QLineEdit* txtColumnLengthCol = nullptr;
  QLineEdit* txtColumnPrecisionCol = nullptr;
  QLineEdit* txtColumnScaleCol = nullptr;
  QLineEdit* txtColumnSizeCol = nullptr;
  QLineEdit* txtColumnNotNullCol = nullptr;
  QLineEdit* txtColumnUniqueCol = nullptr;
  QLineEdit* txtColumnPrimaryCol = nullptr;
  QLineEdit* txtColumnComment1Col = nullptr;
  QLineEdit* txtColumnComment2Col = nullptr;
  QLineEdit* txtColumnComment3Col = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

  // The fourteen boxes in layout order.
  std::array<QLineEdit*, excel::kLayoutFieldCount> LayoutBoxes() const;

 public slots:
  void cmdOKClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildWidgets();
  // Checks the boxes and stores the layout; false (with the warning shown and the failing
  // control focused) when something is wrong.
  bool Apply();

  IPrompt& prompt_;
  TCatalogueStore* store_ = nullptr;
  excel::Workbook* book_ = nullptr;
};

}  // namespace morvane
