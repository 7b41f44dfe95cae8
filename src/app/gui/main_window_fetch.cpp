// The fetch command of the Database menu and the toolbar, and the outcome of every fetch in the
// status bar.
#include <QLabel>
#include <QStatusBar>

#include "app/gui/browse/browser.h"
#include "app/gui/main_window.h"
#include "db/catalogue_fetch.h"
#include "model/data_kind.h"

namespace morvane {

void TfrmMain::mnuDB_FetchClick() {
  if (!CommandStates().fetch) return;
  browser_->RefreshCurrentDataKind();
  emit documentChanged();
}

bool TfrmMain::FetchCurrentDataKind() {
  const DataKind kind = store_.currentDataKind;
  bool fetched = false;
  if (fetcher_) {
    fetched = fetcher_();
  } else if (ChooseOdbcSchemas()) {
    DbSession session{connection_, prompt_, *this, statusBar_};
    fetched = FetchCatalogue(store_, session);
  }
  ShowFetchOutcome(kind, fetched);
  return fetched;
}

void TfrmMain::ShowFetchOutcome(DataKind kind, bool fetched) {
  if (!lblFetchOutcome_) {
    lblFetchOutcome_ = new QLabel(statusBar());
    lblFetchOutcome_->setObjectName(QStringLiteral("stbMsgFetchOutcome"));
    statusBar()->addPermanentWidget(lblFetchOutcome_);
  }
  const std::string_view name = DataKindCaption(kind);
  const QString caption = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  lblFetchOutcome_->setText(
      fetched
          ? QStringLiteral("%1: %2 件を取得しました").arg(caption).arg(store_.Records(kind).size())
          : QStringLiteral("%1を取得できませんでした").arg(caption));
}

QString TfrmMain::FetchOutcomeText() const {
  return lblFetchOutcome_ ? lblFetchOutcome_->text() : QString();
}

}  // namespace morvane
