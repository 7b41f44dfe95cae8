#include "app/gui/diff/changes_window.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "diff/change_format.h"
#include "excel/change_history.h"
#include "model/prompt.h"
#include "text/codec.h"

namespace morvane {
namespace {

constexpr int kChangeRole = Qt::UserRole + 1;  // position of the change in changes_

QString Shown(std::string_view cp932) { return QString::fromStdString(diff::ChangeText(cp932)); }
QString Utf8(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The group a change is listed under: its table (or index), or the referring table.
QString GroupName(const diff::TChange& change) {
  if (change.object == diff::ObjectKind::kRelation) return Shown(change.table);
  return Shown(diff::JoinFullName(change.owner, change.table, {}));
}

std::optional<QString> AskHistoryPath(QWidget* owner) {
  const QString path = QFileDialog::getSaveFileName(
      owner, QStringLiteral("変更履歴の書き込み先"), QString(),
      QStringLiteral("Excel ブック (*.xlsx)"), nullptr, QFileDialog::DontConfirmOverwrite);
  if (path.isEmpty()) return std::nullopt;
  return path;
}

}  // namespace

TfrmChanges::TfrmChanges(IPrompt& prompt, QWidget* parent)
    : QWidget(parent, Qt::Window), prompt_(prompt) {
  setObjectName(QStringLiteral("frmChanges"));
  setWindowTitle(QStringLiteral("比較結果"));
  setAttribute(Qt::WA_DeleteOnClose);
  lblWhat = new QLabel(this);
  cboFilter = new QComboBox(this);
  cboFilter->addItems({QStringLiteral("すべて"),
                       Utf8(diff::ChangeCaption(diff::ChangeKind::kAdded)),
                       Utf8(diff::ChangeCaption(diff::ChangeKind::kRemoved)),
                       Utf8(diff::ChangeCaption(diff::ChangeKind::kChanged))});
  cmdHistory = new QPushButton(QStringLiteral("変更履歴に書き込む..."), this);
  trvChanges = new QTreeWidget(this);
  trvChanges->setHeaderLabels({QStringLiteral("名前"), QStringLiteral("区分"),
                               QStringLiteral("対象"), QStringLiteral("項目"),
                               QStringLiteral("変更前"), QStringLiteral("変更後")});
  trvChanges->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  stbChanges = new QStatusBar(this);
  stbChanges->setSizeGripEnabled(false);
  auto* top = new QHBoxLayout;
  top->addWidget(lblWhat, 1);
  top->addWidget(new QLabel(QStringLiteral("区分:"), this));
  top->addWidget(cboFilter);
  top->addWidget(cmdHistory);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(trvChanges, 1);
  layout->addWidget(stbChanges);
  resize(820, 480);
  chooseHistoryPath_ = [this] { return AskHistoryPath(this); };
  connect(cboFilter, &QComboBox::currentIndexChanged, this, &TfrmChanges::cboFilterChange);
  connect(trvChanges, &QTreeWidget::itemDoubleClicked, this, &TfrmChanges::trvChangesDblClick);
  connect(cmdHistory, &QPushButton::clicked, this, &TfrmChanges::cmdHistoryClick);
}

void TfrmChanges::Load(const diff::ChangeList& changes, const QString& what) {
  changes_ = changes;
  lblWhat->setText(what);
  cmdHistory->setEnabled(!changes_.empty());
  Fill();
}

void TfrmChanges::Fill() {
  trvChanges->clear();
  const int filter = cboFilter->currentIndex();  // 0 all, else ChangeKind + 1
  QHash<QString, QTreeWidgetItem*> groups;
  for (size_t i = 0; i < changes_.size(); ++i) {
    const diff::TChange& change = changes_[i];
    if (filter > 0 && static_cast<int>(change.change) != filter - 1) continue;
    const QString group = GroupName(change);
    QTreeWidgetItem*& parent = groups[group];
    if (!parent) {
      parent = new QTreeWidgetItem(trvChanges, {group});
      parent->setExpanded(true);
    }
    auto* item = new QTreeWidgetItem(
        parent, {Shown(change.fullName), Utf8(diff::ChangeCaption(change.change)),
                 Utf8(diff::ObjectCaption(change.object)), Shown(change.item),
                 Shown(change.oldValue), Shown(change.newValue)});
    item->setData(0, kChangeRole, static_cast<qulonglong>(i));
  }
  trvChanges->expandAll();
  stbChanges->showMessage(changes_.empty() ? QStringLiteral("差分はありません")
                                           : QStringLiteral("%1 件").arg(ShownCount()));
}

int TfrmChanges::ShownCount() const {
  int count = 0;
  for (int g = 0; g < trvChanges->topLevelItemCount(); ++g) {
    count += trvChanges->topLevelItem(g)->childCount();
  }
  return count;
}

void TfrmChanges::cboFilterChange() { Fill(); }

void TfrmChanges::trvChangesDblClick(QTreeWidgetItem* item) {
  if (!item || !item->parent() || !changeChosen_) return;
  const size_t index = item->data(0, kChangeRole).toULongLong();
  if (index < changes_.size()) changeChosen_(changes_[index]);
}

void TfrmChanges::cmdHistoryClick() {
  std::optional<QString> path = chooseHistoryPath_();
  if (!path) return;
  excel::HistoryWriteResult written =
      excel::AppendChangeHistory(path->toStdString(), changes_, excel::TodayText());
  if (!written.ok) {
    prompt_.Error(Utf8ToCp932Lossy("変更履歴を書き込めませんでした。\r\n" + written.error));
    return;
  }
  prompt_.Inform(Utf8ToCp932Lossy("「変更履歴」シートの " + std::to_string(written.firstRow) +
                                  " 行目から " + std::to_string(written.rowsWritten) +
                                  " 件書き込みました。"));
}

}  // namespace morvane
