// TpnlER: the ER panel, shown instead of the lists in the ER view: one tab an ER sheet (pagER),
// worked by the ER view.
#pragma once

#include <QWidget>
#include <functional>

namespace morvane {

class IPrompt;
class TCatalogueStore;
class TERSheetTabs;
class TERView;

class TpnlER : public QWidget {
  Q_OBJECT

 public:
  // `modified` runs after every edit of the diagram.
  TpnlER(TCatalogueStore& store, IPrompt& prompt, std::function<void()> modified,
         QWidget* parent = nullptr);

  TERSheetTabs* Sheets() const { return pagER_; }
  TERView& View() const { return *view_; }

 private:
  TERSheetTabs* pagER_ = nullptr;
  TERView* view_ = nullptr;
};

}  // namespace morvane
