// The filter box above the table list: typing narrows the list to the table names containing the
// text (see browse/name_filter.h); the browser does the filtering.
#pragma once

class QLineEdit;
class QWidget;

namespace morvane {

// The box edtFilter: with its placeholder and a clear button, hidden until a table list shows.
QLineEdit* MakeListFilterBox(QWidget* parent = nullptr);

}  // namespace morvane
