#include "app/gui/readable_names.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>
#include <QTreeWidget>

namespace morvane {
namespace {

// Shows the text of the node under the mouse as the tree's tooltip.
class TreeNameTips : public QObject {
 public:
  explicit TreeNameTips(QTreeWidget* tree) : QObject(tree), tree_(tree) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return QObject::eventFilter(watched, event);
    auto* help = static_cast<QHelpEvent*>(event);
    QTreeWidgetItem* item = tree_->itemAt(help->pos());
    if (item && !item->text(0).isEmpty()) {
      QToolTip::showText(help->globalPos(), item->text(0), tree_->viewport(),
                         tree_->visualItemRect(item));
    } else {
      QToolTip::hideText();
    }
    return true;
  }

 private:
  QTreeWidget* tree_;
};

}  // namespace

void MakeNamesReadable(QTreeWidget* tree) {
  tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  tree->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  tree->setTextElideMode(Qt::ElideNone);
  tree->header()->setStretchLastSection(false);
  tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  tree->viewport()->installEventFilter(new TreeNameTips(tree));
}

}  // namespace morvane
