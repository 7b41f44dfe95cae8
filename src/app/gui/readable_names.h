// Long names in the data tree stay readable: the column grows with its longest name, so a
// horizontal scroll bar appears when it is wider than the tree, and every node shows its full
// text as a tooltip.
#pragma once

class QTreeWidget;

namespace morvane {

void MakeNamesReadable(QTreeWidget* tree);

}  // namespace morvane
