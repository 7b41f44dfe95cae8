#include "app/gui/er/er_panel.h"

#include <QVBoxLayout>

#include "app/gui/er/er_sheet_tabs.h"
#include "app/gui/er/er_view.h"

namespace morvane {

TpnlER::TpnlER(TCatalogueStore& store, IPrompt& prompt, std::function<void()> modified,
               QWidget* parent)
    : QWidget(parent) {
  setObjectName(QStringLiteral("pnlER"));
  pagER_ = new TERSheetTabs;
  pagER_->setObjectName(QStringLiteral("pagER"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(pagER_);
  view_ = new TERView(pagER_, store, prompt, std::move(modified), this);
}

}  // namespace morvane
