// TERSheetTabs: the ER sheets' pages with their tabs below, scroll buttons beside the tabs and a
// place for a button after them. Pages are shown one at a time; a page that was never current
// is never shown. Indexes are tab order, as in a QTabWidget.
#pragma once

#include <QWidget>
#include <vector>

class QStackedWidget;
class QToolButton;

namespace morvane {

class TERTabStrip;

class TERSheetTabs : public QWidget {
  Q_OBJECT

 public:
  explicit TERSheetTabs(QWidget* parent = nullptr);

  TERTabStrip* tabBar() const { return strip_; }
  int count() const { return static_cast<int>(pages_.size()); }
  QWidget* widget(int index) const;
  int indexOf(const QWidget* page) const;
  QString tabText(int index) const;
  void setTabText(int index, const QString& text);
  int currentIndex() const;
  void setCurrentIndex(int index);
  void setCurrentWidget(QWidget* page) { setCurrentIndex(indexOf(page)); }

  // Takes `page` (not shown until its tab is chosen) and adds its tab last.
  int addTab(QWidget* page, const QString& text);
  // Removes the tab; the page is not deleted.
  void removeTab(int index);
  // Removes every tab and deletes every page, without making any other page current on the way.
  void DeleteAll();
  // Puts `widget` after the scroll buttons, at the end of the tab row.
  void setCornerWidget(QWidget* widget);

  QToolButton* ScrollBackButton() const { return btnBack_; }
  QToolButton* ScrollOnButton() const { return btnOn_; }

 signals:
  void currentChanged(int index);

 private:
  void TabChanged(int index);
  void TabMoved(int from, int to);
  void UpdateScrollButtons();

  QStackedWidget* stack_;
  TERTabStrip* strip_;
  QToolButton* btnBack_;
  QToolButton* btnOn_;
  QWidget* corner_ = nullptr;
  std::vector<QWidget*> pages_;  // in tab order
};

}  // namespace morvane
