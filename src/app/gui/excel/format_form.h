// TfrmFormat: the output format settings dialog. It edits, for one data kind, where each item
// goes on the template sheet and whether it is written, the one-sheet and header options and
// start rows, and the ER drawing settings. Created once at start and reused; every showing
// loads the settings afresh, so edits that were not applied are lost on Close.
//
// The editing rules themselves live in excel/format_editing.h; this class shows their state and
// passes the user's actions to them.
#pragma once

#include <QDialog>

#include "excel/format_editing.h"
#include "model/prompt.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTreeWidget;

namespace morvane {

class IPrompt;

class TfrmFormat : public QDialog {
  Q_OBJECT

 public:
  // `mainWindow`, the parent, is the window the toggle button hides and shows.
  explicit TfrmFormat(QWidget* mainWindow = nullptr);

  // Reads the settings of `dataKind` (0: the ER settings only) from `store` into the controls;
  // chooses the caption, the visible tabs and the active one. Apply writes into this store.
  void Load(TCatalogueStore& store, DataKind dataKind, bool erViewShown);
  // Asks through `prompt` before settings that put two checked items at the same place are
  // applied, and before the standard layout is loaded.
  void SetPrompt(IPrompt* prompt) { prompt_ = prompt; }
  // Stores the controls into the store and data kind loaded last, then emits Applied. After
  // 「標準レイアウト」 the standard layout goes into every data kind and the import layout first.
  // False, with nothing stored, when the user declined to put two items at the same place.
  bool Apply();

  // Controls, named as on the form.
  QTabWidget* tabFormat = nullptr;
  QWidget* tabTable = nullptr;
  QTreeWidget* ltvTable = nullptr;
  QPushButton* cmdTableUp = nullptr;
  QPushButton* cmdTableDown = nullptr;
  QPushButton* cmdTableSetCol = nullptr;
  QPushButton* cmdTableAllTrue = nullptr;
  QPushButton* cmdTableAllFalse = nullptr;
  QCheckBox* chkTableNoOutput = nullptr;
  QCheckBox* chkTableOneSheet = nullptr;
  QLabel* lblTableOneSheet = nullptr;
  QLabel* lblTableStartRow = nullptr;
  QLineEdit* txtTableStartRow = nullptr;
  QCheckBox* chkTableHeader = nullptr;
  QWidget* tabColumn = nullptr;
  QTreeWidget* ltvColumn = nullptr;
  QPushButton* cmdColumnUp = nullptr;
  QPushButton* cmdColumnDown = nullptr;
  QPushButton* cmdColumnSetCol = nullptr;
  QPushButton* cmdColumnAllTrue = nullptr;
  QPushButton* cmdColumnAllFalse = nullptr;
  QLineEdit* txtColumnStartRow = nullptr;
  QCheckBox* chkColumnHeader = nullptr;
  QWidget* tabER = nullptr;
  QLineEdit* txtERLeft = nullptr;
  QLineEdit* txtERTop = nullptr;
  QCheckBox* chkERType = nullptr;
  QGroupBox* fraLineType = nullptr;
  QRadioButton* optLineTypeStraight = nullptr;
  QRadioButton* optLineTypeElbow = nullptr;
  QRadioButton* optLineTypeCurve = nullptr;
  QPushButton* cmdMainVisible = nullptr;
  QPushButton* cmdStandard = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdSave = nullptr;
  QPushButton* cmdClose = nullptr;

 signals:
  // The settings were stored: the main list must follow them.
  void Applied();

 public slots:
  void cmdTableUpClick();
  void cmdTableDownClick();
  void cmdTableSetColClick();
  void cmdTableAllTrueClick();
  void cmdTableAllFalseClick();
  void cmdColumnUpClick();
  void cmdColumnDownClick();
  void cmdColumnSetColClick();
  void cmdColumnAllTrueClick();
  void cmdColumnAllFalseClick();
  void chkTableNoOutputClick();
  void chkTableOneSheetClick();
  void cmdMainVisibleClick();
  // 「標準レイアウト」: after a confirmation, loads the product's standard layout into the
  // controls; Apply stores it, Close keeps the old settings.
  void cmdStandardClick();
  void cmdOKClick();
  void cmdSaveClick();
  void cmdCloseClick();
  // Close and Esc: shows the main window and closes without applying.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  QWidget* BuildTableTab();
  QWidget* BuildColumnTab();
  QWidget* BuildERTab();
  void ConnectSignals();

  // The lists as format lists, and back.
  TFormatList ReadList(const QTreeWidget* list) const;
  void WriteList(QTreeWidget* list, const TFormatList& rows);
  TFirstColumn TableFirstColumn() const;
  void ShowTableHeadings();
  TFormatDialogState ReadState() const;
  void WriteState(const TFormatDialogState& state);
  void WriteNumbers(const TFormatDialogState& state);
  void SetLineType(int lineType);

  // The list actions: each reads the list, runs the rule and writes the list back.
  void MoveRow(QTreeWidget* list, bool up);
  void EditList(QTreeWidget* list, void (*rule)(TFormatList&));

  void UpdateEnabling();
  void Edited();
  void ShowMainWindow();
  // False when a list puts two checked items at the same place and the user declines.
  bool AcceptAddressClashes(const TFormatDialogState& state);

  TCatalogueStore* store_ = nullptr;
  IPrompt* prompt_ = nullptr;
  DataKind dataKind_ = DataKind::None;
  bool loading_ = false;         // the controls are being filled: no edits
  bool standardLoaded_ = false;  // 「標準レイアウト」 loaded since the last showing or Apply
  QButtonGroup* lineTypes_ = nullptr;
};

}  // namespace morvane
