// TpnlList: the list side of the main window's data area (pnlList): the path line with its Up
// button above the filter box and the three lists, of which the browser shows one at a time.
#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QToolButton;
class QTreeView;

namespace morvane {

class TpnlList : public QWidget {
  Q_OBJECT

 public:
  explicit TpnlList(QWidget* parent = nullptr);

  // The path line: the Up button and the path of the shown list.
  QWidget* pnlPath() const { return pnlPath_; }
  QToolButton* sbtUp() const { return sbtUp_; }
  QLineEdit* txtPath() const { return txtPath_; }
  // The filter box over the table list.
  QLineEdit* edtFilter() const { return edtFilter_; }
  // The catalogue list, the column list and the icons of the data sources.
  QTreeView* ltvData() const { return ltvData_; }
  QTreeView* ltvColumn() const { return ltvColumn_; }
  QListWidget* ltvDatabase() const { return ltvDatabase_; }

 private:
  QWidget* BuildPathLine();

  QWidget* pnlPath_ = nullptr;
  QToolButton* sbtUp_ = nullptr;
  QLineEdit* txtPath_ = nullptr;
  QLineEdit* edtFilter_ = nullptr;
  QTreeView* ltvData_ = nullptr;
  QTreeView* ltvColumn_ = nullptr;
  QListWidget* ltvDatabase_ = nullptr;
};

}  // namespace morvane
