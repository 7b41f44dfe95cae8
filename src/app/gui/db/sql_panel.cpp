#include "app/gui/db/sql_panel.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/gui/browse/report_view.h"
#include "app/gui/qt_text.h"
#include "db/free_sql.h"
#include "db/free_sql_check.h"
#include "model/catalogue_store.h"
#include "model/prompt.h"
#include "text/sql_text.h"

namespace morvane {
namespace {

constexpr int kRowLimitMaxLength = 5;

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

}  // namespace

TpnlSQL::TpnlSQL(TCatalogueStore& store, IPrompt& prompt, Hooks hooks, QWidget* parent)
    : QWidget(parent), store_(store), prompt_(prompt), hooks_(std::move(hooks)) {
  setObjectName(QStringLiteral("pnlSQL"));
  BuildControls();
}

void TpnlSQL::BuildControls() {
  pnlSQLTop = Named(new QWidget, "pnlSQLTop");
  cmdSQLExec = Named(new QPushButton(QStringLiteral("実行(&S)")), "cmdSQLExec");
  cmdSQLClear = Named(new QPushButton(QStringLiteral("削除(&C)")), "cmdSQLClear");
  lblSQLMaxRow = Named(new QLabel(QStringLiteral("最大ﾚｺｰﾄﾞ数")), "lblSQLMaxRow");
  txtSQLMaxRow = Named(new QLineEdit, "txtSQLMaxRow");
  txtSQLMaxRow->setMaxLength(kRowLimitMaxLength);
  txtSQLMaxRow->setMaximumWidth(80);
  txtSQLMaxRow->setAttribute(Qt::WA_InputMethodEnabled, false);
  lblSQLMaxRow->setBuddy(txtSQLMaxRow);
  auto* bar_layout = new QHBoxLayout(pnlSQLTop);
  bar_layout->setContentsMargins(4, 2, 4, 2);
  bar_layout->addWidget(cmdSQLExec);
  bar_layout->addWidget(cmdSQLClear);
  bar_layout->addSpacing(12);
  bar_layout->addWidget(lblSQLMaxRow);
  bar_layout->addWidget(txtSQLMaxRow);
  bar_layout->addStretch(1);

  memSQL = Named(new QPlainTextEdit, "memSQL");
  memSQL->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  memSQL->setLineWrapMode(QPlainTextEdit::NoWrap);
  memSQL->setTabChangesFocus(false);
  memSQL->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memSQL->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  ltvSQL = MakeReportView("ltvSQL");
  ltvSQL->header()->setSectionsClickable(false);

  sltSQL = Named(new QSplitter(Qt::Vertical), "sltSQL");
  sltSQL->addWidget(memSQL);
  sltSQL->addWidget(ltvSQL);
  sltSQL->setSizes({120, 300});

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(pnlSQLTop);
  layout->addWidget(sltSQL, 1);

  connect(cmdSQLExec, &QPushButton::clicked, this, &TpnlSQL::cmdSQLExecClick);
  connect(cmdSQLClear, &QPushButton::clicked, this, &TpnlSQL::cmdSQLClearClick);
  connect(memSQL, &QPlainTextEdit::textChanged, this, &TpnlSQL::memSQLChange);
  connect(txtSQLMaxRow, &QLineEdit::textChanged, this, &TpnlSQL::txtSQLMaxRowChange);
}

void TpnlSQL::Load() {
  QSignalBlocker quiet_limit(txtSQLMaxRow);
  QSignalBlocker quiet_text(memSQL);
  txtSQLMaxRow->setText(FromCp932(store_.sqlMaxRow));
  memSQL->setPlainText(FromCp932(SqlTextOfLines(store_.sqlText)));
}

void TpnlSQL::Apply() {
  store_.sqlText = SqlTextLines(ToCp932(memSQL->toPlainText()));
  store_.sqlMaxRow = ToCp932(txtSQLMaxRow->text());
}

void TpnlSQL::memSQLChange() {
  Apply();
  store_.SetModified();
  hooks_.documentChanged();
}

void TpnlSQL::txtSQLMaxRowChange() { memSQLChange(); }

void TpnlSQL::EmptyResultList() {
  ltvSQL->setUpdatesEnabled(false);
  ListModelOf(ltvSQL)->Clear();
  ltvSQL->setUpdatesEnabled(true);
}

void TpnlSQL::cmdSQLExecClick() {
  // The statement goes to the database in Shift-JIS: a character it cannot hold would arrive as
  // "?" and change the statement.
  if (!CanEncodeCp932(memSQL->toPlainText())) {
    prompt_.Warn(ToCp932(QStringLiteral("SQL 文に Shift-JIS で表せない文字が含まれています。")));
    memSQL->setFocus();
    return;
  }
  const std::string sql = ToCp932(memSQL->toPlainText());
  FreeSqlCheck check = CheckFreeSql(store_.product, sql, ToCp932(txtSQLMaxRow->text()));
  if (check.refusal == FreeSqlRefusal::kStatement) {
    prompt_.Warn(check.message);
    memSQL->setFocus();
    return;
  }
  if (check.rowLimitWasWord) txtSQLMaxRow->setText(QStringLiteral("0"));
  if (check.refusal == FreeSqlRefusal::kRowLimit) {
    prompt_.Warn(check.message);
    txtSQLMaxRow->setFocus();
    return;
  }
  if (!hooks_.ensureConnected()) return;

  store_.SetModified();
  EmptyResultList();
  window()->repaint();
  DbSession session = hooks_.session();
  const QFontMetrics metrics(ltvSQL->font());
  ExecuteFreeSql(store_, session, sql, check.maxRows, [&metrics](std::string_view name) {
    return metrics.horizontalAdvance(FromCp932(std::string(name)));
  });
  hooks_.showResult();
}

void TpnlSQL::cmdSQLClearClick() {
  if (!prompt_.AskYesNo(ToCp932(QStringLiteral("情報を削除しますか？")))) return;
  EmptyResultList();
  ClearFreeSqlResult(store_);
  store_.SetModified();
  hooks_.documentChanged();
}

}  // namespace morvane
