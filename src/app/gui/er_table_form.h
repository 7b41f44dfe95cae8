// TfrmERTable: a table window on an ER sheet, showing one table's columns as a check list.
#pragma once

#include <QWidget>

class QListWidget;

namespace morvane {

class TfrmERTable : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmERTable(QWidget* parent = nullptr);
  QListWidget* lstColumn() const { return lstColumn_; }

 private:
  QListWidget* lstColumn_;
};

}  // namespace morvane
