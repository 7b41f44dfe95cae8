// TpnlSQL: the SQL input panel, shown instead of the lists while the tree's "SQL入力" node is
// selected. The user writes a SELECT (for Red Brick also an EXPLAIN) into memSQL, sets the row
// limit in txtSQLMaxRow and runs it; the result becomes data kind 5 of the document and is
// listed in ltvSQL. The statement text and the row limit belong to the document.
#pragma once

#include <QWidget>
#include <functional>

#include "db/db_session.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTreeView;

namespace morvane {

class IPrompt;
class TCatalogueStore;

class TpnlSQL : public QWidget {
  Q_OBJECT

 public:
  // What the panel asks of the main window.
  struct Hooks {
    std::function<DbSession()> session;     // the connection and the ways to report
    std::function<bool()> ensureConnected;  // shows the connect dialog when not connected
    std::function<void()> documentChanged;  // the commands' states follow
    std::function<void()> showResult;       // refills ltvSQL from data kind 5
  };

  TpnlSQL(TCatalogueStore& store, IPrompt& prompt, Hooks hooks, QWidget* parent = nullptr);

  // Shows the document's statement text and row limit; the document stays unmodified.
  void Load();
  // Copies the statement text (one entry per line) and the row limit into the document.
  void Apply();

  QWidget* pnlSQLTop = nullptr;
  QPushButton* cmdSQLExec = nullptr;
  QPushButton* cmdSQLClear = nullptr;
  QLabel* lblSQLMaxRow = nullptr;
  QLineEdit* txtSQLMaxRow = nullptr;
  QPlainTextEdit* memSQL = nullptr;
  QSplitter* sltSQL = nullptr;
  QTreeView* ltvSQL = nullptr;

 public slots:
  // Checks the statement and the row limit, connects if needed and runs the query.
  void cmdSQLExecClick();
  // Discards the result after asking.
  void cmdSQLClearClick();
  // Every edit of the text or the limit goes into the document and marks it modified.
  void memSQLChange();
  void txtSQLMaxRowChange();

 private:
  void BuildControls();
  // Empties ltvSQL of its rows and columns in one update.
  void EmptyResultList();

  TCatalogueStore& store_;
  IPrompt& prompt_;
  Hooks hooks_;
};

}  // namespace morvane
