// TfrmImport: the layout of the sheets to import and the choice of sheets. Created once at start
// and reused; every showing reloads the boxes from the document's layout and the list from the
// source workbook. OK closes the dialog only when a sheet is chosen and every box names a cell,
// row or column.
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

namespace excel {
class Workbook;
}

// What an import reads: the workbook, where its table sheets keep their values, and the sheets.
struct TImportChoice {
  excel::Workbook* book = nullptr;  // the source, whose worksheets are offered
  TImportLayout layout;
  std::vector<std::string> sheets;  // the chosen sheets (CP932), top to bottom
};

class TfrmImport : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmImport(IPrompt& prompt, QWidget* mainWindow = nullptr);

  // Fills the boxes from the choice's layout and the list with its workbook's worksheets.
  void Load(const TImportChoice& choice);
  // Stores the layout of the boxes and the selected sheets into `choice`.
  void Apply(TImportChoice& choice) const;

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
  // Checks the selection and the boxes, showing each box's text trimmed; false (with the
  // warning shown and the failing control focused) when something is wrong.
  bool CheckEntries();
  excel::ImportLayoutTexts BoxTexts() const;
  std::vector<std::string> SelectedSheets() const;

  IPrompt& prompt_;
  excel::Workbook* book_ = nullptr;
};

}  // namespace morvane
