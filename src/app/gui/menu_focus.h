// The menu bar and open menus take the keyboard focus while the user works in them; commands
// that depend on the focus look past them to the control that had it before.
#pragma once

class QWidget;

namespace morvane {

// True for the menu bar, a menu, or a widget inside one of them.
bool IsMenuWidget(const QWidget* widget);

}  // namespace morvane
